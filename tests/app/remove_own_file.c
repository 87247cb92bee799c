/* Preloaded into the setup program by a test: removes the program's file before its start-up
 * check runs, as when the file is deleted while the program is running. */
#include <limits.h>
#include <string.h>
#include <unistd.h>

__attribute__((constructor)) static void remove_own_file(void)
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        _exit(3);
    path[length] = '\0';
    /* Only ever the setup program's test copy, whatever else the preload reaches by mistake. */
    const char *name = strrchr(path, '/');
    if (name == NULL || strcmp(name + 1, "fvpsetup") != 0)
        return;
    if (unlink(path) != 0)
        _exit(3);
}

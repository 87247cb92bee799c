/* Preloaded into the setup program by a test: removes the program's file before its start-up
 * check runs, as when the file is deleted while the program is running. */
#include <limits.h>
#include <unistd.h>

__attribute__((constructor)) static void remove_own_file(void)
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        _exit(3);
    path[length] = '\0';
    if (unlink(path) != 0)
        _exit(3);
}

/* Linked into the test setup program. Before the program starts, it hides the payload
 * resource that FVP_HIDE_RESOURCE names (as if the build had left it out); when the program
 * ends, it writes the exit status that the program gave to the file FVP_EXIT_STATUS_FILE
 * names, since the scenario driver then replaces the status with its verdict. */
#include <stdio.h>
#include <stdlib.h>

#include <windows.h>
#include <winapi_linux.h>

static void RecordExitStatus(int status, void *path)
{
    FILE *f = fopen((const char *)path, "w");
    if (f) {
        fprintf(f, "%d\n", status);
        fclose(f);
    }
}

__attribute__((constructor)) static void SetUpProbe()
{
    const char *hide = getenv("FVP_HIDE_RESOURCE");
    const char *statusFile = getenv("FVP_EXIT_STATUS_FILE");
    if (hide && !WinapiHideResource(RT_RCDATA, MAKEINTRESOURCEA(atoi(hide))))
        fprintf(stderr, "install_probe: no resource %s to hide\n", hide);
    if (statusFile)
        on_exit(RecordExitStatus, (void *)statusFile);
}

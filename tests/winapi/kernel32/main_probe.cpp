// A program entered through winapi_main: prints what WinMain received, for the tests.
#include <stdio.h>

#include "winapi_linux.h"
#include "winbase.h"

// It shows no window and runs with its output in a pipe: a display chosen before main, as a
// scenario driver chooses one, keeps main from asking for a terminal.
static const BOOL display_chosen = WinapiUseDisplay("headless");

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    printf("instance-is-module=%d\n", hInstance == GetModuleHandleA(NULL));
    printf("previous=%p\n", (void *)hPrevInstance);
    printf("show=%d\n", nShowCmd);
    printf("commandline=[%s]\n", GetCommandLineA());
    printf("arguments=[%s]\n", lpCmdLine);
    return 42;
}

// A program entered through winapi_main: prints what WinMain received, for the tests.
#include <stdio.h>

#include "winbase.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    printf("instance-is-module=%d\n", hInstance == GetModuleHandleA(NULL));
    printf("previous=%p\n", (void *)hPrevInstance);
    printf("show=%d\n", nShowCmd);
    printf("commandline=[%s]\n", GetCommandLineA());
    printf("arguments=[%s]\n", lpCmdLine);
    return 42;
}

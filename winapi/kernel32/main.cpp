// winapi_main: the program's entry on Linux, doing what the Windows loader and the run-time
// library's start-up do before WinMain.
#include "winbase.h"
#include "winuser.h"

// The arguments part of the command line: past the program's name (quoted or not) and the
// blanks after it, as the run-time library's start-up finds it.
static LPSTR SkipProgramName(LPSTR commandLine)
{
    LPSTR p = commandLine;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {
        }
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

int main(int argc, char **argv)
{
    (void)argc;
    (void)argv;
    return WinMain(GetModuleHandleA(NULL), NULL, SkipProgramName(GetCommandLineA()), SW_SHOWNORMAL);
}

// winapi_main: the program's entry on Linux, doing what the Windows loader and the run-time
// library's start-up do before WinMain.
#include <errno.h>
#include <stdio.h>
#include <unistd.h>

#include "dospath.h"
#include "winapi_linux.h"
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

// The wizard shows in the terminal it was started from, unless a preloaded scenario driver
// chose a display already. Without a terminal there is nobody to answer it: say so and end
// before anything on the machine is touched.
static bool ChooseDisplay()
{
    if (WinapiGetDisplayName()) return true;
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO) && WinapiUseDisplay("tty")) return true;
    fprintf(stderr, "%s: needs a terminal (standard input and output must be a terminal)\n",
            program_invocation_short_name);
    return false;
}

// The prefix is the machine: one the program cannot work in is said so before the wizard
// starts, not found out at its first file. Checked after the display, so that a start without
// a terminal leaves no new prefix behind.
static bool PreparePrefix()
{
    std::string problem;
    if (DosPreparePrefix(problem)) return true;
    fprintf(stderr, "%s: %s\n", program_invocation_short_name, problem.c_str());
    return false;
}

int main(int argc, char **argv)
{
    (void)argc;
    (void)argv;
    if (!ChooseDisplay() || !PreparePrefix()) return 2;
    return WinMain(GetModuleHandleA(NULL), NULL, SkipProgramName(GetCommandLineA()), SW_SHOWNORMAL);
}

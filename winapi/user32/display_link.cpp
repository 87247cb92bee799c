/* The display in use: chosen by name before the first window, told what changes. */
#include "user32_private.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include "winapi_linux.h"

namespace user32 {
namespace {

const WinapiDisplay *chosen;
bool opened;

void Nothing() {}
void NothingFor(HWND) {}
BOOL NoWait(DWORD) { return FALSE; }
void DefaultScreen(SIZE *size)
{
    size->cx = 640;
    size->cy = 480;
}

/* Until a display is chosen nothing is drawn; the first window ends the program. */
const WinapiDisplay kNone = {"none", Nothing, NothingFor, Nothing, NoWait, DefaultScreen};

}  // namespace

const WinapiDisplay *Display()
{
    return chosen ? chosen : &kNone;
}

void RequireDisplay()
{
    if (!chosen) Fatal("no display is available (none was chosen with WinapiUseDisplay)");
    if (!opened) {
        opened = true;
        chosen->Open();
    }
}

void NotifyChanged(HWND hwnd)
{
    Display()->WindowChanged(hwnd);
}

void Fatal(const char *what)
{
    fflush(stdout);
    fprintf(stderr, "%s: %s\n", program_invocation_short_name, what);
    exit(1);
}

}  // namespace user32

using namespace user32;

extern "C" BOOL WinapiUseDisplay(LPCSTR name)
{
    const WinapiDisplay *display = name ? WinapiFindDisplay(name) : nullptr;
    if (name && !display) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (display != chosen) opened = false;
    chosen = display;
    return TRUE;
}

/* The chosen display's name, so that main knows whether a scenario driver chose one. */
extern "C" LPCSTR WinapiGetDisplayName(void)
{
    return chosen ? chosen->name : nullptr;
}

/* The displays this build carries. */
#include <string.h>

#include "display.h"
#include "headless/headless.h"
#include "tty/tty.h"

static const WinapiDisplay *const kDisplays[] = {&winapi_headless_display, &winapi_tty_display};

extern "C" const WinapiDisplay *WinapiFindDisplay(const char *name)
{
    for (const WinapiDisplay *display : kDisplays)
        if (strcmp(display->name, name) == 0) return display;
    return nullptr;
}

#include "headless.h"

#include <time.h>

static void Open(void) {}

static void WindowChanged(HWND) {}

static void Poll(void) {}

/* No input can ever come, so an endless wait would never end. */
static BOOL Wait(DWORD timeout_ms)
{
    if (timeout_ms == INFINITE) return FALSE;
    struct timespec ts;
    ts.tv_sec = timeout_ms / 1000;
    ts.tv_nsec = (long)(timeout_ms % 1000) * 1000000L;
    while (nanosleep(&ts, &ts) != 0) {
    }
    return TRUE;
}

/* A 160 by 60 character screen at 4 by 8 pixels per character. */
static void GetScreenSize(SIZE *size)
{
    size->cx = 640;
    size->cy = 480;
}

extern const WinapiDisplay winapi_headless_display = {"headless", Open, WindowChanged, Poll, Wait, GetScreenSize};

/* What user32 tells a display and how input comes back. A display draws from the real
 * window state (the window tree, texts, styles, enabled and check states, focus), which it
 * reads with ordinary Win32 calls; it keeps no copy of it. */
#ifndef WINAPI_DISPLAY_H
#define WINAPI_DISPLAY_H

#include "windef.h"

#ifndef INFINITE
#define INFINITE 0xFFFFFFFF
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct WinapiDisplay {
    const char *name;
    /* Called once, before the first window is created or the first message is waited for. */
    void (*Open)(void);
    /* Something a person could see of the window changed: created, destroyed, shown, hidden,
     * moved, text, style, enabled or check state, focus, or it was invalidated. Called often:
     * note it, draw later. */
    void (*WindowChanged)(HWND hwnd);
    /* The thread looked for a message and found none (also on every empty PeekMessage pump):
     * draw what changed and queue input that is ready, without waiting. Must be cheap. */
    void (*Poll)(void);
    /* Nothing to do for timeout_ms milliseconds (INFINITE: until input comes): wait for input
     * or the timeout. FALSE when the display has no input to wait for and timeout_ms is
     * INFINITE, so the thread would wait forever. */
    BOOL (*Wait)(DWORD timeout_ms);
    /* The screen in pixels; one pixel is one dialog unit. */
    void (*GetScreenSize)(SIZE *size);
} WinapiDisplay;

/* The displays this build carries, by name ("headless", "tty"); NULL for an unknown name. */
const WinapiDisplay *WinapiFindDisplay(const char *name);

/* Input from a display: a key press as WM_KEYDOWN then WM_KEYUP for the focus window, in the
 * input part of the queue (after posted messages, before paint and timers). ch is the character
 * the key types (TranslateMessage turns the key-down into WM_CHAR with it), 0 for none; shift
 * says whether Shift is held (GetKeyState(VK_SHIFT) while these messages are handled). */
void WinapiQueueKey(UINT vk, CHAR ch, BOOL shift);

#ifdef __cplusplus
}
#endif

#endif

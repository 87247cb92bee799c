/* Keyboard focus and the active window. */
#include "user32_private.h"

using namespace user32;

static HWND focus_window;
static HWND active_window;

namespace user32 {

void FocusLost(Window *w)
{
    Window *f = FromHandle(focus_window);
    if (f && (f == w || IsAncestor(w, f))) {
        // A child's parent takes the focus over, as on the platform.
        if ((w->style & WS_CHILD) && IsWindowEnabled(w->parent->handle)) SetFocus(w->parent->handle);
        if (FromHandle(focus_window) == f) focus_window = nullptr;
    }
    if (FromHandle(active_window) == w) ActivateOther(w);
    if (FromHandle(active_window) == w) active_window = nullptr;
}

void ActivateOther(Window *w)
{
    Window *next = nullptr;
    auto usable = [w](Window *c) {
        return c && c != w && !c->destroying && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED);
    };
    if (usable(w->owner)) next = w->owner;
    for (Window *top : Desktop()->children)
        if (!next && usable(top)) next = top;
    SetActiveWindow(next ? next->handle : nullptr);
}

}  // namespace user32

/***********************************************************************
 *              SetFocus
 *
 * Activates the window's top-level window first. A disabled window, or one inside a
 * disabled window, cannot take the focus.
 */
extern "C" HWND WINAPI SetFocus(HWND hwnd)
{
    HWND previous = GetFocus();
    if (hwnd) {
        Window *w = ValidWindow(hwnd);
        if (!w) return nullptr;
        for (Window *a = w; a && a->parent; a = a->parent)
            if (a->style & (WS_DISABLED | WS_MINIMIZE)) return nullptr;
        if (hwnd == previous) return previous;
        Window *top = TopLevelOf(w);
        if (top->handle != active_window) {
            SetActiveWindow(top->handle);
            if (!FromHandle(hwnd)) return nullptr;
            if (GetFocus() == hwnd) return previous;
        }
    } else if (!previous) {
        return nullptr;
    }
    HWND old = GetFocus();
    focus_window = hwnd;
    if (old) SendMessageA(old, WM_KILLFOCUS, (WPARAM)hwnd, 0);
    if (hwnd && GetFocus() == hwnd) SendMessageA(hwnd, WM_SETFOCUS, (WPARAM)old, 0);
    if (old) NotifyChanged(old);
    if (hwnd) NotifyChanged(hwnd);
    return previous;
}

/***********************************************************************
 *              GetFocus
 */
extern "C" HWND WINAPI GetFocus(void)
{
    if (focus_window && !FromHandle(focus_window)) focus_window = nullptr;
    return focus_window;
}

/***********************************************************************
 *              SetActiveWindow
 *
 * WM_ACTIVATE goes to the window that loses activation, then to the one that gains it; if
 * the focus is not inside the new active window after that, the window itself takes it.
 */
extern "C" HWND WINAPI SetActiveWindow(HWND hwnd)
{
    HWND previous = GetActiveWindow();
    if (hwnd) {
        Window *w = ValidWindow(hwnd);
        if (!w) return nullptr;
        if (w->parent != Desktop()) return nullptr;
    }
    if (hwnd == previous) return previous;
    active_window = hwnd;
    if (previous) SendMessageA(previous, WM_ACTIVATE, WA_INACTIVE, (LPARAM)hwnd);
    if (hwnd && GetActiveWindow() == hwnd) SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, (LPARAM)previous);
    if (GetActiveWindow() == hwnd) {
        Window *f = FromHandle(GetFocus());
        Window *a = FromHandle(hwnd);
        if (!a && f) SetFocus(nullptr);
        else if (a && (!f || (f != a && !IsAncestor(a, f)))) SetFocus(hwnd);
    }
    if (previous) NotifyChanged(previous);
    if (hwnd) NotifyChanged(hwnd);
    return previous;
}

/***********************************************************************
 *              GetActiveWindow
 */
extern "C" HWND WINAPI GetActiveWindow(void)
{
    if (active_window && !FromHandle(active_window)) active_window = nullptr;
    return active_window;
}

/***********************************************************************
 *              SetForegroundWindow
 */
extern "C" BOOL WINAPI SetForegroundWindow(HWND hwnd)
{
    if (!ValidWindow(hwnd)) return FALSE;
    SetActiveWindow(TopLevelOf(FromHandle(hwnd))->handle);
    return TRUE;
}

/***********************************************************************
 *              GetForegroundWindow
 */
extern "C" HWND WINAPI GetForegroundWindow(void)
{
    return GetActiveWindow();
}

/* Showing, hiding, moving and sizing windows; z-order among siblings. */
#include "user32_private.h"

#include <algorithm>

using namespace user32;

static void Restack(Window *w, HWND after)
{
    auto &siblings = w->parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), w));
    if (after == HWND_BOTTOM) {
        siblings.push_back(w);
        return;
    }
    Window *a = after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST ? nullptr : FromHandle(after);
    auto it = a ? std::find(siblings.begin(), siblings.end(), a) : siblings.end();
    siblings.insert(it == siblings.end() ? siblings.begin() : it + 1, w);
}

/***********************************************************************
 *              SetWindowPos
 */
extern "C" BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    if (!w->parent) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    WINDOWPOS pos = {hwnd, after, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
    if (pos.x == w->rect.left && pos.y == w->rect.top) pos.flags |= SWP_NOMOVE;
    if (pos.cx == w->rect.right - w->rect.left && pos.cy == w->rect.bottom - w->rect.top) pos.flags |= SWP_NOSIZE;
    bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible) pos.flags &= ~SWP_SHOWWINDOW;
    if (!visible) pos.flags &= ~SWP_HIDEWINDOW;

    SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)&pos);
    if (!(w = FromHandle(hwnd))) return FALSE;

    bool moved = !(pos.flags & SWP_NOMOVE) || !(pos.flags & SWP_NOSIZE);
    if (moved) {
        if (IsEffectivelyVisible(w)) InvalidateRect(w->parent->handle, &w->rect, TRUE);
        w->rect = {pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
        if (IsEffectivelyVisible(w) && !(pos.flags & SWP_NOREDRAW)) InvalidateTree(w);
    }
    if (!(pos.flags & SWP_NOZORDER)) Restack(w, pos.hwndInsertAfter);
    if (pos.flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
        if (IsEffectivelyVisible(w)) InvalidateTree(w);
        if (w->parent == Desktop() && !(pos.flags & SWP_NOACTIVATE)) SetActiveWindow(hwnd);
    } else if (pos.flags & SWP_HIDEWINDOW) {
        if (IsEffectivelyVisible(w)) InvalidateRect(w->parent->handle, &w->rect, TRUE);
        ValidateTree(w);
        w->style &= ~WS_VISIBLE;
        HWND focus = GetFocus();
        Window *f = FromHandle(focus);
        if (f && (f == w || IsAncestor(w, f))) SetFocus(w->parent == Desktop() ? nullptr : w->parent->handle);
        if (GetActiveWindow() == hwnd) ActivateOther(w);
    }
    if (!(w = FromHandle(hwnd))) return TRUE;
    NotifyChanged(hwnd);
    SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, (LPARAM)&pos);
    return TRUE;
}

/***********************************************************************
 *              MoveWindow
 */
extern "C" BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

/***********************************************************************
 *              ShowWindow
 *
 * Returns whether the window was visible before.
 */
extern "C" BOOL WINAPI ShowWindow(HWND hwnd, int command)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    bool was_visible = (w->style & WS_VISIBLE) != 0;
    bool show = command != SW_HIDE;
    bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE &&
                    command != SW_HIDE;
    if (show == was_visible) {
        if (show && activate && w->parent == Desktop()) SetActiveWindow(hwnd);
        return was_visible;
    }
    SendMessageA(hwnd, WM_SHOWWINDOW, show, 0);
    if (!FromHandle(hwnd)) return was_visible;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                     (activate ? 0 : SWP_NOACTIVATE));
    return was_visible;
}

/***********************************************************************
 *              IsWindowVisible
 */
extern "C" BOOL WINAPI IsWindowVisible(HWND hwnd)
{
    Window *w = FromHandle(hwnd);
    return w && IsEffectivelyVisible(w);
}

/***********************************************************************
 *              EnableWindow
 *
 * Returns whether the window was disabled before.
 */
extern "C" BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    bool was_disabled = (w->style & WS_DISABLED) != 0;
    if (enable && was_disabled) {
        w->style &= ~WS_DISABLED;
        NotifyChanged(hwnd);
        SendMessageA(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !was_disabled) {
        w->style |= WS_DISABLED;
        NotifyChanged(hwnd);
        if (GetFocus() == hwnd) SetFocus(nullptr);
        SendMessageA(hwnd, WM_ENABLE, FALSE, 0);
    }
    return was_disabled;
}

/***********************************************************************
 *              IsWindowEnabled
 */
extern "C" BOOL WINAPI IsWindowEnabled(HWND hwnd)
{
    Window *w = FromHandle(hwnd);
    return w && !(w->style & WS_DISABLED);
}

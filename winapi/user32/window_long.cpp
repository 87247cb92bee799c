/* Window data: GetWindowLong/SetWindowLong and their pointer-sized forms. */
#include "user32_private.h"

#include <cstring>

using namespace user32;

static bool ExtraRange(Window *w, int index, size_t size)
{
    if (index < 0 || (size_t)index + size > w->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    return true;
}

static void ChangeStyle(HWND hwnd, int which, DWORD value)
{
    Window *w = FromHandle(hwnd);
    STYLESTRUCT change;
    change.styleOld = which == GWL_STYLE ? w->style : w->exstyle;
    change.styleNew = value;
    SendMessageA(hwnd, WM_STYLECHANGING, (WPARAM)which, (LPARAM)&change);
    if (!(w = FromHandle(hwnd))) return;
    if (which == GWL_STYLE) {
        // Visibility changed this way still decides what gets painted.
        bool was_visible = IsEffectivelyVisible(w);
        w->style = change.styleNew;
        bool visible = IsEffectivelyVisible(w);
        if (was_visible && !visible) ValidateTree(w);
        if (!was_visible && visible) InvalidateTree(w);
    } else
        w->exstyle = change.styleNew;
    SendMessageA(hwnd, WM_STYLECHANGED, (WPARAM)which, (LPARAM)&change);
    NotifyChanged(hwnd);
}

/***********************************************************************
 *              GetWindowLongPtrA
 */
extern "C" LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWLP_WNDPROC: return (LONG_PTR)w->proc;
    case GWLP_HINSTANCE: return (LONG_PTR)w->instance;
    case GWLP_HWNDPARENT:
        if (w->style & WS_CHILD) return (LONG_PTR)w->parent->handle;
        return w->owner ? (LONG_PTR)w->owner->handle : 0;
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exstyle;
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userdata;
    }
    if (!ExtraRange(w, index, sizeof(LONG_PTR))) return 0;
    LONG_PTR value;
    memcpy(&value, &w->extra[(size_t)index], sizeof(value));
    return value;
}

/***********************************************************************
 *              SetWindowLongPtrA
 */
extern "C" LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return 0;
    LONG_PTR old;
    switch (index) {
    case GWLP_WNDPROC:
        if (!value) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        old = (LONG_PTR)w->proc;
        w->proc = (WNDPROC)value;
        return old;
    case GWLP_HINSTANCE:
        old = (LONG_PTR)w->instance;
        w->instance = (HINSTANCE)value;
        return old;
    case GWLP_HWNDPARENT: {
        // For a top-level window this sets the owner, as on the platform.
        old = GetWindowLongPtrA(hwnd, GWLP_HWNDPARENT);
        if (w->style & WS_CHILD) return old;
        Window *owner = value ? ValidWindow((HWND)value) : nullptr;
        if (value && !owner) return 0;
        w->owner = owner ? TopLevelOf(owner) : nullptr;
        return old;
    }
    case GWL_STYLE:
        old = (LONG_PTR)(LONG)w->style;
        ChangeStyle(hwnd, GWL_STYLE, (DWORD)value);
        return old;
    case GWL_EXSTYLE:
        old = (LONG_PTR)(LONG)w->exstyle;
        ChangeStyle(hwnd, GWL_EXSTYLE, (DWORD)value);
        return old;
    case GWLP_ID:
        old = w->id;
        w->id = value;
        return old;
    case GWLP_USERDATA:
        old = w->userdata;
        w->userdata = value;
        return old;
    }
    if (!ExtraRange(w, index, sizeof(LONG_PTR))) return 0;
    memcpy(&old, &w->extra[(size_t)index], sizeof(old));
    memcpy(&w->extra[(size_t)index], &value, sizeof(value));
    return old;
}

/***********************************************************************
 *              GetWindowLongA
 */
extern "C" LONG WINAPI GetWindowLongA(HWND hwnd, int index)
{
    if (index >= 0) {
        Window *w = ValidWindow(hwnd);
        if (!w || !ExtraRange(w, index, sizeof(LONG))) return 0;
        LONG value;
        memcpy(&value, &w->extra[(size_t)index], sizeof(value));
        return value;
    }
    return (LONG)GetWindowLongPtrA(hwnd, index);
}

/***********************************************************************
 *              SetWindowLongA
 */
extern "C" LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value)
{
    if (index >= 0) {
        Window *w = ValidWindow(hwnd);
        if (!w || !ExtraRange(w, index, sizeof(LONG))) return 0;
        LONG old;
        memcpy(&old, &w->extra[(size_t)index], sizeof(old));
        memcpy(&w->extra[(size_t)index], &value, sizeof(value));
        return old;
    }
    return (LONG)SetWindowLongPtrA(hwnd, index, value);
}

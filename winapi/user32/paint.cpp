/* Update regions and painting. A window's update region is kept as one rectangle; the queue
 * counts the windows that have one, which is what makes WM_PAINT. */
#include "user32_private.h"

using namespace user32;

namespace user32 {
namespace {

RECT ClientOf(const Window *w)
{
    return {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
}

void Mark(Window *w, const RECT *rect, bool erase)
{
    // Hidden windows are painted whole when shown; the desktop is the display's own.
    if (!w->parent || !IsEffectivelyVisible(w)) return;
    RECT r = rect ? *rect : ClientOf(w);
    if (!w->needs_paint) {
        w->needs_paint = true;
        w->update = r;
        QueueAddPaint();
    } else {
        if (r.left < w->update.left) w->update.left = r.left;
        if (r.top < w->update.top) w->update.top = r.top;
        if (r.right > w->update.right) w->update.right = r.right;
        if (r.bottom > w->update.bottom) w->update.bottom = r.bottom;
    }
    if (erase) w->erase = true;
    NotifyChanged(w->handle);
}

void Clear(Window *w)
{
    if (!w->needs_paint) return;
    w->needs_paint = false;
    w->erase = false;
    QueueRemovePaint();
}

void MarkChildren(Window *w, bool erase)
{
    for (Window *child : w->children) {
        if (!(child->style & WS_VISIBLE)) continue;
        Mark(child, nullptr, erase);
        if (!(child->style & WS_CLIPCHILDREN)) MarkChildren(child, erase);
    }
}

}  // namespace

void InvalidateTree(Window *w)
{
    Mark(w, nullptr, true);
    for (Window *child : w->children)
        if (child->style & WS_VISIBLE) InvalidateTree(child);
}

void ValidateTree(Window *w)
{
    Clear(w);
    for (Window *child : w->children) ValidateTree(child);
}

}  // namespace user32

/***********************************************************************
 *              InvalidateRect
 *
 * Children are invalidated with their parent unless it clips them (WS_CLIPCHILDREN).
 */
extern "C" BOOL WINAPI InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase)
{
    if (!hwnd) {
        for (Window *top : Desktop()->children)
            if (top->style & WS_VISIBLE) InvalidateTree(top);
        return TRUE;
    }
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    Mark(w, rect, erase != FALSE);
    if (!(w->style & WS_CLIPCHILDREN)) MarkChildren(w, erase != FALSE);
    return TRUE;
}

/***********************************************************************
 *              ValidateRect
 */
extern "C" BOOL WINAPI ValidateRect(HWND hwnd, const RECT *rect)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    if (!w->needs_paint) return TRUE;
    if (!rect || (rect->left <= w->update.left && rect->top <= w->update.top && rect->right >= w->update.right &&
                  rect->bottom >= w->update.bottom))
        Clear(w);
    return TRUE;
}

/***********************************************************************
 *              UpdateWindow
 *
 * Sends WM_PAINT at once to the window and then to its children that wait for one.
 */
extern "C" BOOL WINAPI UpdateWindow(HWND hwnd)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    if (w->needs_paint && IsEffectivelyVisible(w)) SendMessageA(hwnd, WM_PAINT, 0, 0);
    if (!(w = FromHandle(hwnd))) return TRUE;
    std::vector<HWND> children;
    for (Window *child : w->children) children.push_back(child->handle);
    for (HWND child : children)
        if (FromHandle(child)) UpdateWindow(child);
    return TRUE;
}

/***********************************************************************
 *              BeginPaint
 */
extern "C" HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    Window *w = ValidWindow(hwnd);
    if (!w || !ps) return nullptr;
    // There is no drawing surface; the handle only has to be distinct and not NULL.
    HDC hdc = (HDC)hwnd;
    ps->hdc = hdc;
    ps->rcPaint = w->needs_paint ? w->update : ClientOf(w);
    ps->fRestore = ps->fIncUpdate = FALSE;
    bool erase = w->erase;
    Clear(w);
    ps->fErase = FALSE;
    if (erase) ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, (WPARAM)hdc, 0) == 0;
    return hdc;
}

/***********************************************************************
 *              EndPaint
 */
extern "C" BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT *)
{
    return TRUE;
}

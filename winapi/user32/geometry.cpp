/* Window and client rectangles and coordinate mapping. Windows have no non-client area:
 * the display draws frames and captions around or over the client area as it sees fit. */
#include "user32_private.h"

using namespace user32;

static POINT ScreenOrigin(const Window *w)
{
    POINT p = {0, 0};
    for (; w && w->parent; w = w->parent) {
        p.x += w->rect.left;
        p.y += w->rect.top;
    }
    return p;
}

static RECT RectOf(Window *w)
{
    if (w != Desktop()) return w->rect;
    SIZE screen;
    Display()->GetScreenSize(&screen);
    return {0, 0, screen.cx, screen.cy};
}

/***********************************************************************
 *              GetWindowRect
 */
extern "C" BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect)
{
    Window *w = ValidWindow(hwnd);
    if (!w || !rect) return FALSE;
    RECT r = RectOf(w);
    POINT origin = ScreenOrigin(w->parent);
    *rect = {r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    return TRUE;
}

/***********************************************************************
 *              GetClientRect
 */
extern "C" BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect)
{
    Window *w = ValidWindow(hwnd);
    if (!w || !rect) return FALSE;
    RECT r = RectOf(w);
    *rect = {0, 0, r.right - r.left, r.bottom - r.top};
    return TRUE;
}

/***********************************************************************
 *              ClientToScreen
 */
extern "C" BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point)
{
    Window *w = ValidWindow(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = ScreenOrigin(w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

/***********************************************************************
 *              ScreenToClient
 */
extern "C" BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point)
{
    Window *w = ValidWindow(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = ScreenOrigin(w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

/***********************************************************************
 *              MapWindowPoints
 *
 * Returns the horizontal offset in the low word and the vertical one in the high word.
 */
extern "C" int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    Window *f = from ? ValidWindow(from) : Desktop();
    Window *t = to ? ValidWindow(to) : Desktop();
    if (!f || !t) return 0;
    POINT a = ScreenOrigin(f), b = ScreenOrigin(t);
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; i++) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG((WORD)dx, (WORD)dy);
}

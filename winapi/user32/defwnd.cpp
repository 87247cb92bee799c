/* The default window procedure. */
#include "user32_private.h"

using namespace user32;

/***********************************************************************
 *              DefWindowProcA
 */
extern "C" LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return 0;
    switch (message) {
    case WM_NCCREATE: {
        auto *cs = (const CREATESTRUCTA *)lParam;
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT:
        w->text = lParam ? (LPCSTR)lParam : "";
        NotifyChanged(hwnd);
        return TRUE;
    case WM_GETTEXT:
        return CopyText(w->text, (LPSTR)lParam, (size_t)wParam);
    case WM_GETTEXTLENGTH:
        return (LRESULT)w->text.size();
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return w->cls->background ? 1 : 0;
    case WM_WINDOWPOSCHANGED: {
        auto *pos = (const WINDOWPOS *)lParam;
        if (!(pos->flags & SWP_NOMOVE)) SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
        if (!(pos->flags & SWP_NOSIZE)) SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(pos->cx, pos->cy));
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd);
        return 0;
    }
    return 0;
}

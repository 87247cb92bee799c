/* The progress bar, window class "msctls_progress32": a position within a range, moved by
 * messages and repainted at once whenever it changes. */
#include <windows.h>
#include <commctrl.h>

#include "comctl32_private.h"

namespace {

struct Progress {
    int low;
    int high;
    int pos;
    int step;
};

Progress *ProgressOf(HWND hwnd)
{
    return (Progress *)GetWindowLongPtrA(hwnd, 0);
}

void Clamp(Progress *bar)
{
    if (bar->pos < bar->low)
        bar->pos = bar->low;
    if (bar->pos > bar->high)
        bar->pos = bar->high;
}

void Repaint(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, TRUE);
    UpdateWindow(hwnd);
}

/* Returns the old position. */
int MoveTo(HWND hwnd, Progress *bar, int pos)
{
    int old = bar->pos;
    bar->pos = pos;
    Clamp(bar);
    if (bar->pos != old)
        Repaint(hwnd);
    return old;
}

/* Returns the old range, each bound cut to 16 bits as the message's result holds them. */
LRESULT SetRange(HWND hwnd, Progress *bar, int low, int high)
{
    LRESULT old = (LRESULT)(DWORD)MAKELONG(LOWORD(bar->low), LOWORD(bar->high));
    if (bar->low == low && bar->high == high)
        return old;
    bar->low = low;
    bar->high = high;
    Clamp(bar);
    Repaint(hwnd);
    return old;
}

/* Stepping past either end of the range wraps around to the other end. */
int StepIt(HWND hwnd, Progress *bar)
{
    int old = bar->pos;
    if (bar->low == bar->high)
        return old;
    int span = bar->high - bar->low;
    int pos = bar->pos + bar->step;
    if (pos > bar->high)
        pos = (pos - bar->low) % span + bar->low;
    if (pos < bar->low)
        pos = (pos - bar->low) % span + bar->high;
    bar->pos = pos;
    if (pos != old)
        Repaint(hwnd);
    return old;
}

LRESULT CALLBACK ProgressWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Progress *bar = ProgressOf(hwnd);
    if (msg == WM_CREATE) {
        bar = new Progress{0, 100, 0, 10};
        SetWindowLongPtrA(hwnd, 0, (LONG_PTR)bar);
        return 0;
    }
    if (!bar)
        return DefWindowProcA(hwnd, msg, wParam, lParam);

    switch (msg) {
    case WM_DESTROY:
        SetWindowLongPtrA(hwnd, 0, 0);
        delete bar;
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case PBM_SETRANGE:
        return SetRange(hwnd, bar, LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
        return SetRange(hwnd, bar, (int)wParam, (int)lParam);
    case PBM_GETRANGE:
        if (lParam) {
            ((PPBRANGE)lParam)->iLow = bar->low;
            ((PPBRANGE)lParam)->iHigh = bar->high;
        }
        return wParam ? bar->low : bar->high;
    case PBM_SETPOS:
        return MoveTo(hwnd, bar, (int)wParam);
    case PBM_DELTAPOS:
        return MoveTo(hwnd, bar, bar->pos + (int)wParam);
    case PBM_GETPOS:
        return bar->pos;
    case PBM_SETSTEP: {
        int old = bar->step;
        bar->step = (int)wParam;
        return old;
    }
    case PBM_STEPIT:
        return StepIt(hwnd, bar);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

void ProgressRegisterClass(void)
{
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ProgressWindowProc;
    wc.cbWndExtra = sizeof(Progress *);
    wc.lpszClassName = PROGRESS_CLASSA;
    RegisterClassA(&wc);
}

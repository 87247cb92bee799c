/* The static control: a text (or an icon place) that the display draws. */
#include "user32_private.h"

namespace user32 {

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE) return DLGC_STATIC;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace user32

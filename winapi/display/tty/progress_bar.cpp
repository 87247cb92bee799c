/* The progress bar: filled in proportion to its position within its range. */
#include "control_kinds.h"

#include <commctrl.h>

#include <algorithm>

namespace tty {

void DrawProgress(const Canvas &canvas, HWND hwnd, const Cells &own)
{
    PBRANGE range = {0, 0};
    SendMessageA(hwnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    int pos = (int)SendMessageA(hwnd, PBM_GETPOS, 0, 0);
    int y = own.top + (own.Height() - 1) / 2;
    int inner = std::max(0, own.Width() - 2);
    long long span = (long long)range.iHigh - range.iLow;
    int filled = span > 0 ? (int)(((long long)pos - range.iLow) * inner / span) : 0;
    filled = std::min(std::max(filled, 0), inner);
    attr_t attr = LookAttr(kWindow);
    canvas.Put(own.left, y, '[' | attr);
    for (int i = 0; i < inner; i++) canvas.Put(own.left + 1 + i, y, (i < filled ? kFilled : ' ') | LookAttr(kBar));
    canvas.Put(own.right - 1, y, ']' | attr);
}

}  // namespace tty

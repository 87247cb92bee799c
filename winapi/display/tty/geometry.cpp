#include "geometry.h"

#include <algorithm>

namespace tty {

static POINT origin;  // the cell of the screen's pixel (0, 0)

static int FloorDiv(int value, int unit)
{
    return value >= 0 ? value / unit : -((-value + unit - 1) / unit);
}

Cells CellsOf(HWND hwnd)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return {0, 0, 0, 0};
    Cells c = {origin.x + FloorDiv(r.left, kCellWidth), origin.y + FloorDiv(r.top, kCellHeight),
               origin.x + FloorDiv(r.right, kCellWidth), origin.y + FloorDiv(r.bottom, kCellHeight)};
    if (r.right > r.left && c.right <= c.left) c.right = c.left + 1;
    if (r.bottom > r.top && c.bottom <= c.top) c.bottom = c.top + 1;
    return c;
}

int CentredLineRow(HWND hwnd)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return 0;
    Cells c = CellsOf(hwnd);
    int row = origin.y + FloorDiv(r.top + (r.bottom - r.top - kCellHeight) / 2, kCellHeight);
    return std::min(std::max(row, c.top), std::max(c.top, c.bottom - 1));
}

bool HasFrame(HWND hwnd)
{
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    LONG exstyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    return (style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME)) || (exstyle & WS_EX_DLGMODALFRAME);
}

Cells FrameOf(HWND hwnd)
{
    Cells c = CellsOf(hwnd);
    if (HasFrame(hwnd)) c = {c.left - 1, c.top - 1, c.right + 1, c.bottom + 1};
    return c;
}

bool PlaceOrigin(HWND main, int columns, int lines)
{
    POINT old = origin;
    origin = {0, 0};
    if (main) {
        Cells frame = FrameOf(main);
        origin.x = frame.Width() <= columns ? (columns - frame.Width()) / 2 - frame.left : -frame.left;
        origin.y = frame.Height() <= lines ? (lines - frame.Height()) / 2 - frame.top : -frame.top;
    }
    return origin.x != old.x || origin.y != old.y;
}

}  // namespace tty

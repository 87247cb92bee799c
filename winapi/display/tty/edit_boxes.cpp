/* Edit boxes: a single-line box scrolled sideways as the box keeps it, and a multi-line box
 * with its lines as the box breaks them and its vertical scroll bar. */
#include "control_kinds.h"

#include <string.h>

#include <algorithm>
#include <string>

#include "geometry.h"
#include "wrap.h"

namespace tty {
namespace {

/* The box scrolls itself sideways (its first visible character is EM_GETFIRSTVISIBLELINE);
 * its text goes inside the formatting rectangle, the caret at the end of the selection. */
void DrawSingleLineEdit(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor)
{
    DWORD style = StyleOf(hwnd);
    std::string text = TextOf(hwnd);
    if (style & ES_PASSWORD) text.assign(text.size(), '*');
    DWORD start = 0, end = 0;
    SendMessageA(hwnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    int first = (int)std::min<LRESULT>(SendMessageA(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0), (LRESULT)text.size());
    RECT format = {0, 0, 0, 0};
    SendMessageA(hwnd, EM_GETRECT, 0, (LPARAM)&format);
    int left = own.left + format.left / kCellWidth;
    int width = std::max(1, (int)(format.right - format.left) / kCellWidth);
    int y = CentredLineRow(hwnd);
    attr_t field = (style & WS_DISABLED) ? LookAttr(kDisabled) : LookAttr(kField);
    canvas.Fill({own.left, y, own.right, y + 1}, field);
    canvas.Text(left, y, text.substr((size_t)first), field, width);
    bool show_selection = focused || (style & ES_NOHIDESEL);
    if (show_selection && end > start) {
        int a = std::max((int)start, first), b = std::min((int)end, first + width);
        if (b > a) canvas.Text(left + a - first, y, text.substr((size_t)a, (size_t)(b - a)), LookAttr(kHighlight));
    }
    int caret = (int)std::min<size_t>(end, text.size()) - first;
    if (focused) PlaceCursor(cursor, left + std::min(std::max(caret, 0), width), y);
}

std::string EditLine(HWND hwnd, int line)
{
    char buffer[1024];
    WORD size = sizeof buffer - 1;
    memcpy(buffer, &size, sizeof size);
    LRESULT count = SendMessageA(hwnd, EM_GETLINE, (WPARAM)line, (LPARAM)buffer);
    return ExpandTabs(std::string(buffer, (size_t)std::max<LRESULT>(0, count)));
}

void DrawScrollBar(const Canvas &canvas, int x, int top, int rows, int first, int count, attr_t attr)
{
    if (rows <= 0) return;
    if (rows < 3) {
        for (int y = top; y < top + rows; y++) canvas.Put(x, y, kTrack | attr);
        return;
    }
    canvas.Put(x, top, '^' | attr);
    canvas.Put(x, top + rows - 1, 'v' | attr);
    int track = rows - 2;
    int thumb = count <= track ? 0 : (int)((long long)first * (track - 1) / std::max(1, count - track));
    thumb = std::min(std::max(thumb, 0), track - 1);
    for (int i = 0; i < track; i++) canvas.Put(x, top + 1 + i, (i == thumb ? kFilled : kTrack) | attr);
}

void DrawMultiLineEdit(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor)
{
    DWORD style = StyleOf(hwnd);
    attr_t attr = FaceAttr(hwnd);
    canvas.Fill(own, attr);
    Cells inside = DrawBorder(canvas, hwnd, own, attr);
    int count = (int)SendMessageA(hwnd, EM_GETLINECOUNT, 0, 0);
    int first = (int)SendMessageA(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (style & WS_VSCROLL) {
        inside.right--;
        DrawScrollBar(canvas, inside.right, inside.top, inside.Height(), first, count, attr);
    }
    Canvas text = canvas.Within(inside);
    for (int row = 0; row < inside.Height() && first + row < count; row++)
        text.Text(inside.left, inside.top + row, EditLine(hwnd, first + row), attr, inside.Width());
    if (focused) PlaceCursor(cursor, inside.left, inside.top);
}

}  // namespace

void DrawEdit(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor)
{
    if (StyleOf(hwnd) & ES_MULTILINE) DrawMultiLineEdit(canvas, hwnd, own, focused, cursor);
    else DrawSingleLineEdit(canvas, hwnd, own, focused, cursor);
}

}  // namespace tty

/* The look of every kind of window: what kind a window is, and the parts their drawing shares. */
#include "controls.h"

#include <commctrl.h>
#include <strings.h>

#include <string>

#include "control_kinds.h"
#include "geometry.h"

namespace tty {
namespace {

enum Kind { kOther, kDialog, kStatic, kButton, kEdit, kProgress, kTree };

Kind KindOf(HWND hwnd)
{
    char name[64];
    if (!GetClassNameA(hwnd, name, sizeof name)) return kOther;
    if (strcasecmp(name, "#32770") == 0) return kDialog;
    if (strcasecmp(name, "Static") == 0) return kStatic;
    if (strcasecmp(name, "Button") == 0) return kButton;
    if (strcasecmp(name, "Edit") == 0) return kEdit;
    if (strcasecmp(name, PROGRESS_CLASSA) == 0) return kProgress;
    if (strcasecmp(name, WC_TREEVIEWA) == 0) return kTree;
    return kOther;
}

}  // namespace

std::string TextOf(HWND hwnd)
{
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return std::string();
    std::string text((size_t)length + 1, '\0');
    text.resize((size_t)GetWindowTextA(hwnd, &text[0], length + 1));
    return text;
}

DWORD StyleOf(HWND hwnd)
{
    return (DWORD)GetWindowLongA(hwnd, GWL_STYLE);
}

attr_t FaceAttr(HWND hwnd)
{
    return LookAttr((StyleOf(hwnd) & WS_DISABLED) ? kDisabled : kWindow);
}

void PlaceCursor(Cursor *cursor, int x, int y)
{
    cursor->shown = true;
    cursor->x = x;
    cursor->y = y;
}

Cells DrawBorder(const Canvas &canvas, HWND hwnd, const Cells &own, attr_t attr)
{
    if (!(StyleOf(hwnd) & WS_BORDER) && !(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return own;
    canvas.Box(own, attr);
    return {own.left + 1, own.top + 1, own.right - 1, own.bottom - 1};
}

Cells OccupiedCellsOf(HWND hwnd)
{
    Cells own = CellsOf(hwnd);
    if (KindOf(hwnd) == kEdit && !(StyleOf(hwnd) & ES_MULTILINE)) {
        int row = CentredLineRow(hwnd);
        return {own.left, row, own.right, row + 1};
    }
    return own;
}

Cells ExtentOf(HWND hwnd)
{
    if (KindOf(hwnd) == kStatic) return StaticExtent(hwnd, CellsOf(hwnd));
    return OccupiedCellsOf(hwnd);
}

void DrawWindow(const Canvas &canvas, HWND hwnd, Cursor *cursor)
{
    Cells own = CellsOf(hwnd);
    bool focused = GetFocus() == hwnd;
    if (focused) *cursor = {hwnd, false, 0, 0};
    switch (KindOf(hwnd)) {
    case kDialog: canvas.Fill(own, LookAttr(kWindow)); return;
    case kStatic: DrawStatic(canvas, hwnd, own); return;
    case kButton: DrawButton(canvas, hwnd, own, focused, cursor); return;
    case kEdit: DrawEdit(canvas, hwnd, own, focused, cursor); return;
    case kProgress: DrawProgress(canvas, hwnd, own); return;
    case kTree: DrawTreeView(canvas, hwnd, own, focused, cursor); return;
    case kOther: return;
    }
}

void DrawFrame(const Canvas &canvas, HWND hwnd)
{
    Cells frame = FrameOf(hwnd);
    bool active = GetActiveWindow() == hwnd;
    attr_t attr = LookAttr(kWindow);
    canvas.Fill(frame, attr);
    canvas.Box(frame, attr);
    if (!(StyleOf(hwnd) & WS_CAPTION)) return;
    std::string caption = " " + TextOf(hwnd) + " ";
    int room = frame.Width() - 4;
    if (room <= 0) return;
    canvas.Text(frame.left + 2, frame.top, caption, active ? LookAttr(kCaption) : attr, room);
}

}  // namespace tty

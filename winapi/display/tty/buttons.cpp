/* Buttons: push buttons, check boxes and radio buttons with their check state, group boxes. */
#include "control_kinds.h"

#include <algorithm>
#include <string>
#include <vector>

#include "wrap.h"

namespace tty {
namespace {

void DrawPushButton(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor)
{
    std::string label = WithoutMnemonic(TextOf(hwnd));
    bool enabled = IsWindowEnabled(hwnd);
    bool pushed = (SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    int room = std::max(0, own.Width() - 4);
    if ((int)label.size() > room) label.resize((size_t)room);
    // The brackets are what can be pressed: a disabled button has none.
    std::string face = enabled ? "[ " + label + " ]" : "  " + label + "  ";
    int x = own.left + std::max(0, (own.Width() - (int)face.size()) / 2);
    int y = own.top + (own.Height() - 1) / 2;
    attr_t attr = !enabled ? LookAttr(kDisabled) : (focused || pushed) ? LookAttr(kHighlight) : LookAttr(kWindow);
    if ((StyleOf(hwnd) & BS_TYPEMASK) == BS_DEFPUSHBUTTON && enabled) attr |= A_BOLD;
    canvas.Text(x, y, face, attr);
    if (focused) PlaceCursor(cursor, x + 2, y);
}

void DrawCheckBox(const Canvas &canvas, HWND hwnd, const Cells &own, bool radio, bool focused, Cursor *cursor)
{
    DWORD style = StyleOf(hwnd);
    LRESULT check = SendMessageA(hwnd, BM_GETCHECK, 0, 0);
    std::string mark = radio ? (check ? "(*)" : "( )")
                             : check == BST_CHECKED ? "[x]" : check == BST_INDETERMINATE ? "[-]" : "[ ]";
    std::string label = WithoutMnemonic(TextOf(hwnd));
    int columns = std::max(1, own.Width() - 4);
    std::vector<std::string> lines =
        (style & BS_MULTILINE) ? WrapText(label, columns) : std::vector<std::string>{label};
    int count = std::min((int)lines.size(), std::max(1, own.Height()));
    int y = own.top;
    DWORD vertical = style & BS_VCENTER;
    if (vertical == BS_BOTTOM) y = own.bottom - count;
    else if (vertical != BS_TOP) y = own.top + (own.Height() - count) / 2;
    attr_t face = FaceAttr(hwnd);
    canvas.Text(own.left, y, mark, face);
    for (int i = 0; i < count; i++)
        canvas.Text(own.left + 4, y + i, lines[(size_t)i], focused ? LookAttr(kHighlight) : face, columns);
    if (focused) PlaceCursor(cursor, own.left + 1, y);
}

void DrawGroupBox(const Canvas &canvas, HWND hwnd, const Cells &own)
{
    attr_t attr = FaceAttr(hwnd);
    canvas.Box(own, attr);
    std::string label = WithoutMnemonic(TextOf(hwnd));
    if (!label.empty()) canvas.Text(own.left + 1, own.top, " " + label + " ", attr, own.Width() - 2);
}

}  // namespace

void DrawButton(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor)
{
    switch (StyleOf(hwnd) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: DrawPushButton(canvas, hwnd, own, focused, cursor); return;
    case BS_GROUPBOX: DrawGroupBox(canvas, hwnd, own); return;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: DrawCheckBox(canvas, hwnd, own, true, focused, cursor); return;
    default: DrawCheckBox(canvas, hwnd, own, false, focused, cursor); return;
    }
}


}  // namespace tty

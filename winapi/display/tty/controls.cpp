#include "controls.h"

#include <commctrl.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

#include "geometry.h"
#include "wrap.h"

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

/* ---- static text ---- */

bool IsLine(HWND hwnd, DWORD style)
{
    return (style & SS_SUNKEN) && GetWindowTextLengthA(hwnd) == 0;
}

std::vector<std::string> StaticLines(HWND hwnd, DWORD style, int columns)
{
    std::string text = TextOf(hwnd);
    if (!(style & SS_NOPREFIX)) text = WithoutMnemonic(text);
    DWORD type = style & SS_TYPEMASK;
    if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) return WrapText(text, 0x7FFF);
    return WrapText(text, columns);
}

/* Rows below `own` that a static may use: down to its parent's bottom, up to the first row
 * where another visible sibling lies in its columns. */
int FreeRowsBelow(HWND hwnd, const Cells &own, int wanted)
{
    HWND parent = GetParent(hwnd);
    int limit = own.bottom + wanted;
    if (parent) limit = std::min(limit, CellsOf(parent).bottom);
    for (HWND sibling = parent ? GetWindow(hwnd, GW_HWNDFIRST) : nullptr; sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == hwnd || !(StyleOf(sibling) & WS_VISIBLE)) continue;
        Cells other = CellsOf(sibling);
        if (other.right <= own.left || other.left >= own.right) continue;
        if (other.bottom > own.bottom && other.top < limit) limit = std::max(own.bottom, other.top);
    }
    return std::max(0, limit - own.bottom);
}

/* Columns right of `own` that no other visible sibling uses in its rows, up to the parent's edge. */
int FreeColumnsRight(HWND hwnd, const Cells &own)
{
    HWND parent = GetParent(hwnd);
    if (!parent) return 0;
    int limit = CellsOf(parent).right;
    for (HWND sibling = GetWindow(hwnd, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == hwnd || !(StyleOf(sibling) & WS_VISIBLE)) continue;
        Cells other = CellsOf(sibling);
        if (other.bottom <= own.top || other.top >= own.bottom || other.right <= own.right) continue;
        limit = std::min(limit, std::max(own.right, other.left));
    }
    return std::max(0, limit - own.right);
}

/* Where a static's text goes. A terminal cell is as wide as the platform font's average
 * character, so a text that fits its box on the platform may need more room here. It takes, in
 * this order of preference, as few free columns to its right as let it keep its own rows (the
 * lines then break much as the platform's do), the free rows below its box, or both; a text
 * that fits nowhere shows as much of itself as the free room holds. */
struct StaticLayout {
    Cells extent;
    std::vector<std::string> lines;
};

bool TryLayout(HWND hwnd, DWORD style, const Cells &box, bool use_rows_below, StaticLayout *layout)
{
    std::vector<std::string> lines = StaticLines(hwnd, style, box.Width());
    int wanted = (int)lines.size() - box.Height();
    int below = use_rows_below && wanted > 0 ? FreeRowsBelow(hwnd, box, wanted) : 0;
    if (wanted > below) return false;
    *layout = {{box.left, box.top, box.right, box.bottom + std::max(0, wanted)}, lines};
    return true;
}

StaticLayout LayOutStatic(HWND hwnd, DWORD style, const Cells &own)
{
    StaticLayout layout;
    if (TryLayout(hwnd, style, own, false, &layout)) return layout;
    int right = FreeColumnsRight(hwnd, own);
    for (bool use_rows_below : {false, true}) {
        if (use_rows_below && TryLayout(hwnd, style, own, true, &layout)) return layout;
        for (int extra = 1; extra <= right; extra++)
            if (TryLayout(hwnd, style, {own.left, own.top, own.right + extra, own.bottom}, use_rows_below, &layout))
                return layout;
    }
    Cells widest = {own.left, own.top, own.right + right, own.bottom};
    layout = {widest, StaticLines(hwnd, style, widest.Width())};
    layout.extent.bottom += FreeRowsBelow(hwnd, widest, (int)layout.lines.size() - widest.Height());
    return layout;
}

Cells StaticExtent(HWND hwnd, const Cells &own)
{
    DWORD style = StyleOf(hwnd);
    if ((style & SS_TYPEMASK) == SS_ICON || IsLine(hwnd, style)) return own;
    return LayOutStatic(hwnd, style, own).extent;
}

void DrawStatic(const Canvas &canvas, HWND hwnd, const Cells &own)
{
    DWORD style = StyleOf(hwnd);
    DWORD type = style & SS_TYPEMASK;
    if (type == SS_ICON) return;
    attr_t attr = FaceAttr(hwnd);
    if (IsLine(hwnd, style)) {
        for (int x = own.left; x < own.right; x++) canvas.Put(x, own.top, kLineAcross | attr);
        return;
    }
    StaticLayout layout = LayOutStatic(hwnd, style, own);
    const Cells &box = layout.extent;
    for (size_t i = 0; i < layout.lines.size(); i++) {
        const std::string &line = layout.lines[i];
        int x = box.left;
        if (type == SS_CENTER) x += std::max(0, (box.Width() - (int)line.size()) / 2);
        else if (type == SS_RIGHT) x += std::max(0, box.Width() - (int)line.size());
        canvas.Text(x, box.top + (int)i, line, attr, box.right - x);
    }
}

/* ---- buttons ---- */

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

/* ---- edit boxes ---- */

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
    int y = own.top + (own.Height() - 1) / 2;
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
    Cells inside = own;
    if ((style & WS_BORDER) || (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
        canvas.Box(own, attr);
        inside = {own.left + 1, own.top + 1, own.right - 1, own.bottom - 1};
    }
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

/* ---- progress bar ---- */

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

/* ---- tree view ---- */

struct TreeRow {
    std::string text;
    UINT state;
    int children;
};

TreeRow TreeItem(HWND hwnd, HTREEITEM item)
{
    char text[MAX_PATH] = "";
    TVITEMA info = {};
    info.mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(hwnd, TVM_GETITEMA, 0, (LPARAM)&info);
    return {text, info.state, info.cChildren};
}

int TreeDepth(HWND hwnd, HTREEITEM item)
{
    int depth = 0;
    while ((item = (HTREEITEM)SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)item))) depth++;
    return depth;
}

/* The rows from the tree's first visible item on; an item with children has a button that
 * shows whether it is open, and the selected item is marked. */
void DrawTreeView(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor)
{
    DWORD style = StyleOf(hwnd);
    attr_t attr = FaceAttr(hwnd);
    canvas.Fill(own, attr);
    Cells inside = own;
    if ((style & WS_BORDER) || (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
        canvas.Box(own, attr);
        inside = {own.left + 1, own.top + 1, own.right - 1, own.bottom - 1};
    }
    Canvas rows = canvas.Within(inside);
    HTREEITEM selected = (HTREEITEM)SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0);
    HTREEITEM item = (HTREEITEM)SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
    bool buttons = (style & TVS_HASBUTTONS) != 0;
    int root_indent = (style & TVS_LINESATROOT) ? 1 : 0;
    for (int y = inside.top; item && y < inside.bottom; y++) {
        TreeRow row = TreeItem(hwnd, item);
        int x = inside.left + 2 * (TreeDepth(hwnd, item) + root_indent) - (buttons ? 2 : 0);
        if (buttons && row.children) rows.Text(x, y, (row.state & TVIS_EXPANDED) ? "-" : "+", attr);
        x += buttons ? 2 : 0;
        bool is_selected = item == selected;
        rows.Text(x, y, row.text, is_selected ? LookAttr(focused ? kHighlight : kField) : attr, inside.right - x);
        if (is_selected && focused) PlaceCursor(cursor, x, y);
        item = (HTREEITEM)SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, (LPARAM)item);
    }
}

}  // namespace

Cells ExtentOf(HWND hwnd)
{
    Cells own = CellsOf(hwnd);
    if (KindOf(hwnd) == kStatic) return StaticExtent(hwnd, own);
    return own;
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
    case kEdit:
        if (StyleOf(hwnd) & ES_MULTILINE) DrawMultiLineEdit(canvas, hwnd, own, focused, cursor);
        else DrawSingleLineEdit(canvas, hwnd, own, focused, cursor);
        return;
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

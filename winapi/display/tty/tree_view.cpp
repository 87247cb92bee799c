/* The tree view (the folder browser's): the rows from its first visible item on. */
#include "control_kinds.h"

#include <commctrl.h>

#include <string>

namespace tty {
namespace {

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
}  // namespace

void DrawTreeView(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor)
{
    DWORD style = StyleOf(hwnd);
    attr_t attr = FaceAttr(hwnd);
    canvas.Fill(own, attr);
    Cells inside = DrawBorder(canvas, hwnd, own, attr);
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


}  // namespace tty

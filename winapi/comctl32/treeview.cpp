/* The tree view, window class "SysTreeView32": items in a hierarchy that the parent fills,
 * often only when a node is first expanded (TVN_ITEMEXPANDINGA), one item selected, moved
 * through with the keyboard. The display draws it from what TVM_GETNEXTITEM and TVM_GETITEMA
 * report, so the control repaints by invalidating itself. One item takes one line of the
 * system font: 8 units, one row of the terminal. */
#include <windows.h>
#include <commctrl.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <string>
#include <unordered_set>

#include "comctl32_private.h"

struct _TREEITEM {
    HTREEITEM parent = nullptr;
    HTREEITEM first = nullptr, last = nullptr;  // children
    HTREEITEM prev = nullptr, next = nullptr;   // siblings
    std::string text;
    LPARAM lParam = 0;
    UINT state = 0;
    int cChildren = 0;
};

namespace {

const int kItemHeight = 8;
const int kLineHeight = 8;  // a border takes one line above and one below

struct Tree {
    HWND hwnd;
    HWND notify;  // the parent at creation, as on Windows
    _TREEITEM root;  // holds the top-level items; never handed out
    std::unordered_set<HTREEITEM> items;
    HTREEITEM selected = nullptr;
    HTREEITEM first_visible = nullptr;
};

Tree *TreeOf(HWND hwnd)
{
    return (Tree *)GetWindowLongPtrA(hwnd, 0);
}

bool Valid(const Tree *tree, HTREEITEM item)
{
    return item && tree->items.count(item) != 0;
}

void Repaint(Tree *tree)
{
    InvalidateRect(tree->hwnd, NULL, TRUE);
}

/* ---- walking the visible list: items whose ancestors are all expanded ---- */

bool Expanded(HTREEITEM item)
{
    return (item->state & TVIS_EXPANDED) != 0;
}

bool IsVisible(const Tree *tree, HTREEITEM item)
{
    for (HTREEITEM p = item->parent; p != &tree->root; p = p->parent)
        if (!Expanded(p)) return false;
    return true;
}

HTREEITEM NextVisible(const Tree *tree, HTREEITEM item)
{
    if (Expanded(item) && item->first) return item->first;
    for (; item != &tree->root; item = item->parent)
        if (item->next) return item->next;
    return nullptr;
}

HTREEITEM LastVisibleBelow(HTREEITEM item)
{
    while (Expanded(item) && item->last) item = item->last;
    return item;
}

HTREEITEM PrevVisible(const Tree *tree, HTREEITEM item)
{
    if (item->prev) return LastVisibleBelow(item->prev);
    return item->parent != &tree->root ? item->parent : nullptr;
}

/* The row of a visible item counted from the first top-level item. */
int RowOf(const Tree *tree, HTREEITEM item)
{
    int row = 0;
    for (HTREEITEM at = tree->root.first; at && at != item; at = NextVisible(tree, at)) row++;
    return row;
}

int VisibleRows(const Tree *tree)
{
    RECT r;
    GetClientRect(tree->hwnd, &r);
    LONG height = r.bottom - r.top;
    if ((GetWindowLongA(tree->hwnd, GWL_STYLE) & WS_BORDER) ||
        (GetWindowLongA(tree->hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE))
        height -= 2 * kLineHeight;
    return height > 0 ? (int)(height / kItemHeight) : 0;
}

/* Scrolls as little as brings a visible item into view. */
void ScrollIntoView(Tree *tree, HTREEITEM item)
{
    if (!tree->first_visible || !IsVisible(tree, tree->first_visible)) tree->first_visible = tree->root.first;
    int row = RowOf(tree, item);
    int top = RowOf(tree, tree->first_visible);
    int rows = VisibleRows(tree);
    if (row < top) {
        tree->first_visible = item;
    } else if (rows > 0 && row >= top + rows) {
        HTREEITEM first = tree->first_visible;
        for (int skip = row - (top + rows) + 1; skip > 0 && first; skip--) first = NextVisible(tree, first);
        if (first) tree->first_visible = first;
    }
}

/* ---- notifications to the parent ---- */

LRESULT Notify(Tree *tree, UINT code, NMHDR *hdr)
{
    hdr->hwndFrom = tree->hwnd;
    hdr->idFrom = (UINT_PTR)GetDlgCtrlID(tree->hwnd);
    hdr->code = code;
    return SendMessageA(tree->notify, WM_NOTIFY, hdr->idFrom, (LPARAM)hdr);
}

/* What a notification tells of an item: never its text, which the parent can ask for. */
void Describe(HTREEITEM item, UINT mask, TVITEMA *out)
{
    if (!item) return;
    out->mask = mask;
    out->hItem = item;
    out->state = item->state;
    out->cChildren = item->cChildren;
    out->lParam = item->lParam;
}

LRESULT NotifyTree(Tree *tree, UINT code, UINT action, HTREEITEM old_item, HTREEITEM new_item)
{
    NMTREEVIEWA nm;
    memset(&nm, 0, sizeof nm);
    nm.action = action;
    Describe(old_item, TVIF_HANDLE | TVIF_STATE | TVIF_PARAM, &nm.itemOld);
    Describe(new_item, TVIF_HANDLE | TVIF_STATE | TVIF_PARAM, &nm.itemNew);
    return Notify(tree, code, &nm.hdr);
}

/* ---- selection ---- */

BOOL Expand(Tree *tree, HTREEITEM item, bool by_user);

/* TVN_SELCHANGINGA may refuse the change; FALSE then. */
BOOL Select(Tree *tree, HTREEITEM item, UINT cause)
{
    HTREEITEM old = tree->selected;
    if (item == old) return TRUE;
    if (NotifyTree(tree, TVN_SELCHANGINGA, cause, old, item)) return FALSE;
    if (Valid(tree, old)) old->state &= ~TVIS_SELECTED;
    if (item) item->state |= TVIS_SELECTED;
    tree->selected = item;
    if (item) {
        // A selected item is shown: its collapsed ancestors open, as a user would open them.
        for (HTREEITEM p = item->parent; p != &tree->root; p = p->parent)
            if (!Expanded(p)) Expand(tree, p, true);
        ScrollIntoView(tree, item);
    }
    Repaint(tree);
    NotifyTree(tree, TVN_SELCHANGEDA, cause, Valid(tree, old) ? old : nullptr, item);
    return TRUE;
}

/* ---- expanding and collapsing ---- */

/* The parent hears of an expansion by message the first time only, of one by the user every
 * time; it may fill the children then, or refuse by returning TRUE. An item without children
 * after that does not expand. */
BOOL Expand(Tree *tree, HTREEITEM item, bool by_user)
{
    if (item->cChildren == 0) return FALSE;
    bool notify = by_user || !(item->state & TVIS_EXPANDEDONCE);
    if (notify && NotifyTree(tree, TVN_ITEMEXPANDINGA, TVE_EXPAND, nullptr, item)) return FALSE;
    if (!Valid(tree, item) || !item->first) return FALSE;
    item->state |= TVIS_EXPANDED;
    Repaint(tree);
    if (notify) {
        NotifyTree(tree, TVN_ITEMEXPANDEDA, TVE_EXPAND, nullptr, item);
        if (Valid(tree, item)) item->state |= TVIS_EXPANDEDONCE;
    }
    return TRUE;
}

bool IsBelow(const Tree *tree, HTREEITEM ancestor, HTREEITEM item)
{
    for (HTREEITEM p = item ? item->parent : nullptr; p && p != &tree->root; p = p->parent)
        if (p == ancestor) return true;
    return false;
}

/* The selection inside a collapsed item moves to the item itself without notifications, as
 * on Windows. Collapsing by message tells the parent nothing; by keyboard it does. */
BOOL Collapse(Tree *tree, HTREEITEM item, bool by_user)
{
    if (item->cChildren == 0) return FALSE;
    if (by_user && NotifyTree(tree, TVN_ITEMEXPANDINGA, TVE_COLLAPSE, nullptr, item)) return FALSE;
    if (!Valid(tree, item) || !item->first) return FALSE;
    bool was_expanded = Expanded(item);
    item->state &= ~TVIS_EXPANDED;
    if (!was_expanded) return FALSE;
    if (by_user) NotifyTree(tree, TVN_ITEMEXPANDEDA, TVE_COLLAPSE, nullptr, item);
    if (IsBelow(tree, item, tree->selected)) {
        tree->selected->state &= ~TVIS_SELECTED;
        item->state |= TVIS_SELECTED;
        tree->selected = item;
    }
    if (IsBelow(tree, item, tree->first_visible)) tree->first_visible = item;
    Repaint(tree);
    return TRUE;
}

/* ---- items ---- */

void SetFields(HTREEITEM item, const TVITEMA *from)
{
    if (from->mask & TVIF_TEXT) item->text = from->pszText ? from->pszText : "";
    if (from->mask & TVIF_STATE) item->state = (item->state & ~from->stateMask) | (from->state & from->stateMask);
    if (from->mask & TVIF_PARAM) item->lParam = from->lParam;
    if (from->mask & TVIF_CHILDREN) item->cChildren = from->cChildren;
}

void Link(HTREEITEM item, HTREEITEM parent, HTREEITEM after)
{
    item->parent = parent;
    item->prev = after;
    item->next = after ? after->next : parent->first;
    if (item->next) item->next->prev = item;
    else parent->last = item;
    if (after) after->next = item;
    else parent->first = item;
}

/* The sibling a new item goes after: nullptr for the first place. Names are compared without
 * regard to case; an item goes after those of an equal name. */
HTREEITEM SortedPlace(HTREEITEM parent, const std::string &text)
{
    HTREEITEM after = nullptr;
    for (HTREEITEM at = parent->first; at && strcasecmp(text.c_str(), at->text.c_str()) >= 0; at = at->next)
        after = at;
    return after;
}

LRESULT InsertItem(Tree *tree, const TVINSERTSTRUCTA *insert)
{
    if (!insert) return 0;
    HTREEITEM parent = insert->hParent == TVI_ROOT || !insert->hParent ? &tree->root : insert->hParent;
    if (parent != &tree->root && !Valid(tree, parent)) return 0;
    HTREEITEM where = insert->hInsertAfter;
    if (where != TVI_FIRST && where != TVI_LAST && where != TVI_SORT && (!Valid(tree, where) || where->parent != parent))
        where = TVI_LAST;

    HTREEITEM item = new _TREEITEM;
    SetFields(item, &insert->item);
    item->state &= ~(TVIS_SELECTED | TVIS_EXPANDEDONCE);
    HTREEITEM after = where == TVI_FIRST ? nullptr
                      : where == TVI_LAST ? parent->last
                      : where == TVI_SORT ? SortedPlace(parent, item->text)
                                          : where;
    Link(item, parent, after);
    tree->items.insert(item);
    if (parent->cChildren == 0) parent->cChildren = 1;
    if (!tree->first_visible) tree->first_visible = item;
    Repaint(tree);
    return (LRESULT)item;
}

void Unlink(HTREEITEM item)
{
    HTREEITEM parent = item->parent;
    if (item->prev) item->prev->next = item->next;
    else parent->first = item->next;
    if (item->next) item->next->prev = item->prev;
    else parent->last = item->prev;
    if (!parent->first && parent->cChildren > 0) parent->cChildren = 0;
}

/* Children go first, so the parent hears of every item before the item holding it. */
void Remove(Tree *tree, HTREEITEM item)
{
    while (item->first) Remove(tree, item->first);
    NMTREEVIEWA nm;
    memset(&nm, 0, sizeof nm);
    Describe(item, TVIF_HANDLE | TVIF_PARAM, &nm.itemOld);
    Notify(tree, TVN_DELETEITEMA, &nm.hdr);
    Unlink(item);
    tree->items.erase(item);
    if (tree->selected == item) tree->selected = nullptr;
    if (tree->first_visible == item) tree->first_visible = nullptr;
    delete item;
}

/* A deleted selection passes to the next sibling, else the parent, else the previous sibling. */
LRESULT DeleteItem(Tree *tree, HTREEITEM item)
{
    if (item == TVI_ROOT || !item) {
        while (tree->root.first) Remove(tree, tree->root.first);
        Repaint(tree);
        return TRUE;
    }
    if (!Valid(tree, item)) return FALSE;
    HTREEITEM successor = nullptr;
    if (tree->selected == item || IsBelow(tree, item, tree->selected))
        successor = item->next ? item->next : item->parent != &tree->root ? item->parent : item->prev;
    HTREEITEM first_visible = tree->first_visible;
    if (first_visible == item || IsBelow(tree, item, first_visible))
        first_visible = item->next ? item->next : item->prev ? item->prev
                                              : item->parent != &tree->root ? item->parent : nullptr;
    Remove(tree, item);
    tree->first_visible = Valid(tree, first_visible) ? first_visible : tree->root.first;
    if (!tree->selected && Valid(tree, successor)) Select(tree, successor, TVC_UNKNOWN);
    Repaint(tree);
    return TRUE;
}

/* The state and parameter always come back, whatever the mask asks, as on Windows. */
LRESULT GetItem(Tree *tree, TVITEMA *out)
{
    if (!out || !Valid(tree, out->hItem)) return FALSE;
    HTREEITEM item = out->hItem;
    if ((out->mask & TVIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        size_t n = std::min(item->text.size(), (size_t)out->cchTextMax - 1);
        memcpy(out->pszText, item->text.data(), n);
        out->pszText[n] = '\0';
    }
    if (out->mask & TVIF_CHILDREN) out->cChildren = item->cChildren;
    out->state = item->state;
    out->lParam = item->lParam;
    return TRUE;
}

LRESULT SetItem(Tree *tree, const TVITEMA *from)
{
    if (!from || !Valid(tree, from->hItem)) return FALSE;
    SetFields(from->hItem, from);
    Repaint(tree);
    return TRUE;
}

LRESULT GetNextItem(Tree *tree, WPARAM which, HTREEITEM item)
{
    switch (which) {
    case TVGN_ROOT: return (LRESULT)tree->root.first;
    case TVGN_CARET: return (LRESULT)tree->selected;
    case TVGN_FIRSTVISIBLE:
        return (LRESULT)(tree->first_visible && IsVisible(tree, tree->first_visible) ? tree->first_visible
                                                                                        : tree->root.first);
    case TVGN_CHILD:
        if (!item || item == TVI_ROOT) return (LRESULT)tree->root.first;
        break;
    }
    if (!Valid(tree, item)) return 0;
    switch (which) {
    case TVGN_NEXT: return (LRESULT)item->next;
    case TVGN_PREVIOUS: return (LRESULT)item->prev;
    case TVGN_PARENT: return (LRESULT)(item->parent != &tree->root ? item->parent : nullptr);
    case TVGN_CHILD: return (LRESULT)item->first;
    case TVGN_NEXTVISIBLE: return IsVisible(tree, item) ? (LRESULT)NextVisible(tree, item) : 0;
    }
    return 0;
}

/* ---- keyboard ---- */

// The numeric keypad's plus and minus, which open and close the selected item.
#ifndef VK_ADD
#define VK_ADD 0x6B
#endif
#ifndef VK_SUBTRACT
#define VK_SUBTRACT 0x6D
#endif

/* The parent hears of every key first, as on Windows. */
void KeyDown(Tree *tree, WPARAM key)
{
    NMTVKEYDOWN nm;
    memset(&nm, 0, sizeof nm);
    nm.wVKey = (WORD)key;
    Notify(tree, TVN_KEYDOWN, &nm.hdr);
    HTREEITEM at = tree->selected;
    if (!at) return;
    HTREEITEM to = nullptr;
    switch (key) {
    case VK_UP:
        to = PrevVisible(tree, at);
        if (!to) to = tree->root.first;
        break;
    case VK_DOWN: to = NextVisible(tree, at); break;
    case VK_HOME: to = tree->root.first; break;
    case VK_END: to = LastVisibleBelow(tree->root.last); break;
    case VK_LEFT:
        if (Expanded(at)) Collapse(tree, at, true);
        else if (at->parent != &tree->root) to = at->parent;
        break;
    case VK_RIGHT:
        if (at->cChildren == 0) break;
        if (!Expanded(at)) Expand(tree, at, true);
        else to = at->first;
        break;
    case VK_BACK:
        if (at->parent != &tree->root) to = at->parent;
        break;
    case VK_ADD: Expand(tree, at, true); break;
    case VK_SUBTRACT: Collapse(tree, at, true); break;
    }
    if (to && to != at) Select(tree, to, TVC_BYKEYBOARD);
}

LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Tree *tree = TreeOf(hwnd);
    if (msg == WM_CREATE) {
        tree = new Tree;
        tree->hwnd = hwnd;
        tree->notify = ((LPCREATESTRUCTA)lParam)->hwndParent;
        tree->root.state = TVIS_EXPANDED;
        SetWindowLongPtrA(hwnd, 0, (LONG_PTR)tree);
        return 0;
    }
    if (!tree) return DefWindowProcA(hwnd, msg, wParam, lParam);

    switch (msg) {
    case WM_DESTROY:
        while (tree->root.first) Remove(tree, tree->root.first);
        SetWindowLongPtrA(hwnd, 0, 0);
        delete tree;
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        // Taking the focus with nothing selected selects the first item shown.
        if (!tree->selected) Select(tree, (HTREEITEM)GetNextItem(tree, TVGN_FIRSTVISIBLE, nullptr), TVC_UNKNOWN);
        Repaint(tree);
        return 0;
    case WM_KILLFOCUS:
        Repaint(tree);
        return 0;
    case WM_KEYDOWN:
        KeyDown(tree, wParam);
        return 0;
    case TVM_INSERTITEMA:
        return InsertItem(tree, (const TVINSERTSTRUCTA *)lParam);
    case TVM_DELETEITEM:
        return DeleteItem(tree, (HTREEITEM)lParam);
    case TVM_EXPAND: {
        HTREEITEM item = (HTREEITEM)lParam;
        if (!Valid(tree, item)) return FALSE;
        if ((wParam & 3) == TVE_EXPAND) return Expand(tree, item, false);
        if ((wParam & 3) == TVE_COLLAPSE) return Collapse(tree, item, false);
        return FALSE;
    }
    case TVM_GETNEXTITEM:
        return GetNextItem(tree, wParam, (HTREEITEM)lParam);
    case TVM_SELECTITEM:
        if (wParam != TVGN_CARET) return FALSE;
        if (lParam && !Valid(tree, (HTREEITEM)lParam)) return FALSE;
        return Select(tree, (HTREEITEM)lParam, TVC_UNKNOWN);
    case TVM_GETITEMA:
        return GetItem(tree, (TVITEMA *)lParam);
    case TVM_SETITEMA:
        return SetItem(tree, (const TVITEMA *)lParam);
    case TVM_GETCOUNT:
        return (LRESULT)tree->items.size();
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

void TreeViewRegisterClass(void)
{
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = TreeViewProc;
    wc.cbWndExtra = sizeof(Tree *);
    wc.lpszClassName = WC_TREEVIEWA;
    RegisterClassA(&wc);
}

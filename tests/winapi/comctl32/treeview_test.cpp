/* The tree view as the folder browser drives it: items inserted in their places, children
 * filled by the parent when a node first opens, the selection and its notifications, the
 * keyboard. Only the Win32 API is used, so the expectations can be held against Wine. */
#include <windows.h>
#include <commctrl.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The numeric keypad's plus and minus, named here for the Linux build's headers.
#ifndef VK_ADD
#define VK_ADD 0x6B
#endif
#ifndef VK_SUBTRACT
#define VK_SUBTRACT 0x6D
#endif

namespace {

struct Notification {
    UINT code;
    UINT action;
    LPARAM oldParam;
    LPARAM newParam;
    UINT newState;
};

std::vector<Notification> g_heard;
std::function<void(HTREEITEM)> g_onExpanding;  // fills a node that opens
LRESULT g_answer;                              // what the parent answers to SELCHANGING/ITEMEXPANDING

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY) {
        const NMTREEVIEWA *nm = (const NMTREEVIEWA *)lParam;
        g_heard.push_back({nm->hdr.code, nm->action, nm->itemOld.lParam, nm->itemNew.lParam, nm->itemNew.state});
        if (nm->hdr.code == TVN_ITEMEXPANDINGA && g_onExpanding && !(nm->itemNew.state & TVIS_EXPANDEDONCE))
            g_onExpanding(nm->itemNew.hItem);
        if (nm->hdr.code == TVN_ITEMEXPANDINGA || nm->hdr.code == TVN_SELCHANGINGA)
            return g_answer;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "TreeViewTestParent";
        RegisterClassA(&wc);
        m_parent = CreateWindowExA(0, "TreeViewTestParent", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, NULL,
                                   NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(m_parent, nullptr);
        m_tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                                 0, 0, 200, 300, m_parent, (HMENU)7, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(m_tree, nullptr);
        g_heard.clear();
        g_onExpanding = nullptr;
        g_answer = 0;
    }
    void TearDown() override
    {
        g_onExpanding = nullptr;
        DestroyWindow(m_parent);
    }

    HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, const char *text, LPARAM param, int children = 0)
    {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = (LPSTR)text;
        insert.item.lParam = param;
        insert.item.cChildren = children;
        return (HTREEITEM)SendMessageA(m_tree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
    }
    HTREEITEM Next(UINT which, HTREEITEM item)
    {
        return (HTREEITEM)SendMessageA(m_tree, TVM_GETNEXTITEM, which, (LPARAM)item);
    }
    std::string Text(HTREEITEM item)
    {
        char buf[64] = "";
        TVITEMA tvi = {};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = buf;
        tvi.cchTextMax = sizeof buf;
        return SendMessageA(m_tree, TVM_GETITEMA, 0, (LPARAM)&tvi) ? buf : "<none>";
    }
    UINT State(HTREEITEM item)
    {
        TVITEMA tvi = {};
        tvi.mask = TVIF_STATE;
        tvi.hItem = item;
        tvi.stateMask = 0xFFFF;
        SendMessageA(m_tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
        return tvi.state;
    }
    int Children(HTREEITEM item)
    {
        TVITEMA tvi = {};
        tvi.mask = TVIF_CHILDREN;
        tvi.hItem = item;
        SendMessageA(m_tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
        return tvi.cChildren;
    }
    // The texts of a node's children, in order.
    std::string ChildTexts(HTREEITEM parent)
    {
        std::string texts;
        for (HTREEITEM at = parent ? Next(TVGN_CHILD, parent) : Next(TVGN_ROOT, NULL); at; at = Next(TVGN_NEXT, at))
            texts += (texts.empty() ? "" : ",") + Text(at);
        return texts;
    }
    std::vector<UINT> Codes()
    {
        std::vector<UINT> codes;
        for (const Notification &n : g_heard) codes.push_back(n.code);
        return codes;
    }
    void Key(UINT vk)
    {
        SendMessageA(m_tree, WM_KEYDOWN, vk, 0);
    }
    HTREEITEM Caret()
    {
        return Next(TVGN_CARET, NULL);
    }

    HWND m_parent = NULL;
    HWND m_tree = NULL;
};

TEST_F(TreeViewTest, ItemsGoWhereTheInsertionAsksAndAreWalkedAsSiblings)
{
    HTREEITEM middle = Insert(TVI_ROOT, TVI_LAST, "middle", 1);
    Insert(TVI_ROOT, TVI_FIRST, "first", 2);
    HTREEITEM last = Insert(TVI_ROOT, TVI_LAST, "last", 3);
    Insert(TVI_ROOT, middle, "after middle", 4);
    EXPECT_EQ(ChildTexts(NULL), "first,middle,after middle,last");
    EXPECT_EQ(Next(TVGN_PREVIOUS, last), Next(TVGN_NEXT, middle));
    EXPECT_EQ(Next(TVGN_CHILD, NULL), Next(TVGN_ROOT, NULL));

    // Sorted insertion ignores case; the parent of a top-level item is none.
    for (const char *name : {"Zeta", "apps", "Games", "beta"}) Insert(middle, TVI_SORT, name, 0);
    EXPECT_EQ(ChildTexts(middle), "apps,beta,Games,Zeta");
    EXPECT_EQ(Next(TVGN_PARENT, Next(TVGN_CHILD, middle)), middle);
    EXPECT_EQ(Next(TVGN_PARENT, middle), nullptr);
    EXPECT_EQ(Children(middle), 1) << "a parent without a children count gets one";
    EXPECT_EQ(SendMessageA(m_tree, TVM_GETCOUNT, 0, 0), 8);

    // An item that is not in the tree is no parent.
    EXPECT_EQ(Insert((HTREEITEM)&g_heard, TVI_LAST, "nowhere", 0), nullptr);
    EXPECT_EQ(SendMessageA(m_tree, TVM_GETCOUNT, 0, 0), 8);
}

TEST_F(TreeViewTest, TextsAndStatesAreReadAndChanged)
{
    HTREEITEM item = Insert(TVI_ROOT, TVI_LAST, "a name", 42);
    char text[16];
    TVITEMA tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(m_tree, TVM_GETITEMA, 0, (LPARAM)&tvi));
    EXPECT_STREQ(text, "a name");
    EXPECT_EQ(tvi.lParam, 42) << "the parameter comes back whatever the mask asks";

    tvi.mask = TVIF_TEXT | TVIF_PARAM;
    tvi.pszText = (LPSTR) "renamed";
    tvi.lParam = 43;
    ASSERT_TRUE(SendMessageA(m_tree, TVM_SETITEMA, 0, (LPARAM)&tvi));
    EXPECT_EQ(Text(item), "renamed");

    SendMessageA(m_tree, TVM_DELETEITEM, 0, (LPARAM)item);
    tvi.hItem = item;
    EXPECT_FALSE(SendMessageA(m_tree, TVM_GETITEMA, 0, (LPARAM)&tvi));
    EXPECT_FALSE(SendMessageA(m_tree, TVM_SETITEMA, 0, (LPARAM)&tvi));
}

TEST_F(TreeViewTest, TheParentFillsANodeWhenItFirstOpens)
{
    HTREEITEM folder = Insert(TVI_ROOT, TVI_LAST, "folder", 10, 1);
    HTREEITEM empty = Insert(TVI_ROOT, TVI_LAST, "empty", 11, 1);
    HTREEITEM leaf = Insert(TVI_ROOT, TVI_LAST, "leaf", 12, 0);
    g_onExpanding = [&](HTREEITEM item) {
        if (item == folder) Insert(item, TVI_SORT, "sub", 13);
    };

    EXPECT_TRUE(SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)folder));
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA}));
    EXPECT_EQ(g_heard[0].newParam, 10);
    EXPECT_EQ(g_heard[0].action, (UINT)TVE_EXPAND);
    EXPECT_EQ(ChildTexts(folder), "sub");
    EXPECT_EQ(State(folder) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), (UINT)(TVIS_EXPANDED | TVIS_EXPANDEDONCE));

    // Closing and opening again by message tells the parent nothing.
    g_heard.clear();
    EXPECT_TRUE(SendMessageA(m_tree, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)folder));
    EXPECT_FALSE(State(folder) & TVIS_EXPANDED);
    EXPECT_TRUE(SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)folder));
    EXPECT_TRUE(g_heard.empty());

    // A node the parent leaves empty stays closed; one without children is not even asked about.
    g_heard.clear();
    EXPECT_FALSE(SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)empty));
    EXPECT_EQ(Codes(), std::vector<UINT>{TVN_ITEMEXPANDINGA});
    EXPECT_FALSE(State(empty) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE));
    g_heard.clear();
    EXPECT_FALSE(SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)leaf));
    EXPECT_TRUE(g_heard.empty());

    // The parent may refuse.
    HTREEITEM refused = Insert(TVI_ROOT, TVI_LAST, "refused", 14, 1);
    Insert(refused, TVI_LAST, "inside", 15);
    g_answer = TRUE;
    EXPECT_FALSE(SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)refused));
    EXPECT_FALSE(State(refused) & TVIS_EXPANDED);
}

TEST_F(TreeViewTest, SelectionNotifiesAndShowsItsItem)
{
    HTREEITEM a = Insert(TVI_ROOT, TVI_LAST, "a", 1, 1);
    HTREEITEM inner = Insert(a, TVI_LAST, "inner", 2);
    HTREEITEM b = Insert(TVI_ROOT, TVI_LAST, "b", 3);

    ASSERT_TRUE(SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)b));
    ASSERT_EQ(Codes(), (std::vector<UINT>{TVN_SELCHANGINGA, TVN_SELCHANGEDA}));
    EXPECT_EQ(g_heard[1].oldParam, 0);
    EXPECT_EQ(g_heard[1].newParam, 3);
    EXPECT_EQ(g_heard[1].action, (UINT)TVC_UNKNOWN);
    EXPECT_TRUE(State(b) & TVIS_SELECTED);

    // Selecting an item in a closed node opens the node.
    g_heard.clear();
    ASSERT_TRUE(SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)inner));
    EXPECT_EQ(Caret(), inner);
    EXPECT_TRUE(State(a) & TVIS_EXPANDED);
    EXPECT_FALSE(State(b) & TVIS_SELECTED);
    EXPECT_EQ(g_heard.back().oldParam, 3);
    EXPECT_EQ(g_heard.back().newParam, 2);

    // The parent may refuse a change.
    g_answer = TRUE;
    g_heard.clear();
    EXPECT_FALSE(SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)b));
    EXPECT_EQ(Codes(), std::vector<UINT>{TVN_SELCHANGINGA});
    EXPECT_EQ(Caret(), inner);
    g_answer = FALSE;

    // Closing a node moves the selection inside it to the node, silently.
    g_heard.clear();
    SendMessageA(m_tree, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)a);
    EXPECT_EQ(Caret(), a);
    EXPECT_TRUE(g_heard.empty());
}

TEST_F(TreeViewTest, DeletingTellsTheParentOfEveryItemAndMovesTheSelection)
{
    HTREEITEM a = Insert(TVI_ROOT, TVI_LAST, "a", 1);
    HTREEITEM inner = Insert(a, TVI_LAST, "inner", 2);
    Insert(TVI_ROOT, TVI_LAST, "b", 3);
    SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)inner);
    g_heard.clear();

    ASSERT_TRUE(SendMessageA(m_tree, TVM_DELETEITEM, 0, (LPARAM)a));
    ASSERT_GE(g_heard.size(), 2u);
    EXPECT_EQ(g_heard[0].code, (UINT)TVN_DELETEITEMA);
    EXPECT_EQ(g_heard[0].oldParam, 2) << "children go first";
    EXPECT_EQ(g_heard[1].oldParam, 1);
    EXPECT_EQ(Text(Caret()), "b") << "the next sibling takes the selection";
    EXPECT_EQ(g_heard.back().code, (UINT)TVN_SELCHANGEDA);
    EXPECT_EQ(SendMessageA(m_tree, TVM_GETCOUNT, 0, 0), 1);

    EXPECT_FALSE(SendMessageA(m_tree, TVM_DELETEITEM, 0, (LPARAM)a));
    ASSERT_TRUE(SendMessageA(m_tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT));
    EXPECT_EQ(SendMessageA(m_tree, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Caret(), nullptr);
}

// More items than the control's height shows: the first one shown follows the selection.
TEST_F(TreeViewTest, TheSelectionIsScrolledIntoView)
{
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 60; i++) items.push_back(Insert(TVI_ROOT, TVI_LAST, "item", i));
    EXPECT_EQ(Next(TVGN_FIRSTVISIBLE, NULL), items[0]);

    SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)items.back());
    HTREEITEM first = Next(TVGN_FIRSTVISIBLE, NULL);
    EXPECT_NE(first, items[0]);
    int shownBefore = 0;
    for (HTREEITEM at = first; at && at != items.back(); at = Next(TVGN_NEXTVISIBLE, at)) shownBefore++;
    EXPECT_LT(shownBefore, 59) << "the selection lies below the first item shown";

    SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)items[1]);
    EXPECT_EQ(Next(TVGN_FIRSTVISIBLE, NULL), items[1]) << "scrolled back up as far as needed";
}

TEST_F(TreeViewTest, KeysMoveAmongShownItemsAndOpenAndCloseNodes)
{
    EXPECT_TRUE(SendMessageA(m_tree, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
    HTREEITEM desktop = Insert(TVI_ROOT, TVI_LAST, "Desktop", 1, 1);
    HTREEITEM computer = Insert(desktop, TVI_LAST, "My Computer", 2, 1);
    HTREEITEM drive = Insert(computer, TVI_LAST, "(D:)", 3);
    HTREEITEM other = Insert(desktop, TVI_LAST, "Other", 4);
    SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)desktop);

    // The focus selects the first item when nothing is selected.
    ShowWindow(m_parent, SW_SHOW);
    SetFocus(m_tree);
    ASSERT_EQ(Caret(), desktop);

    Key(VK_DOWN);
    EXPECT_EQ(Caret(), computer);
    g_heard.clear();
    Key(VK_RIGHT);  // opens, telling the parent
    EXPECT_TRUE(State(computer) & TVIS_EXPANDED);
    EXPECT_EQ(Caret(), computer);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TVN_KEYDOWN, TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA}));
    Key(VK_RIGHT);  // then goes in
    EXPECT_EQ(Caret(), drive);
    g_heard.clear();
    Key(VK_DOWN);  // past the last child to the next shown item
    EXPECT_EQ(Caret(), other);
    EXPECT_EQ(g_heard.back().action, (UINT)TVC_BYKEYBOARD);
    Key(VK_DOWN);  // nothing below
    EXPECT_EQ(Caret(), other);
    Key(VK_UP);
    EXPECT_EQ(Caret(), drive);
    Key(VK_LEFT);  // to the parent
    EXPECT_EQ(Caret(), computer);
    Key(VK_LEFT);  // closes it
    EXPECT_FALSE(State(computer) & TVIS_EXPANDED);
    Key(VK_DOWN);
    EXPECT_EQ(Caret(), other) << "a closed node's children are skipped";

    // The keypad's plus and minus open and close the selection.
    SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)computer);
    Key(VK_ADD);
    EXPECT_TRUE(State(computer) & TVIS_EXPANDED);
    Key(VK_SUBTRACT);
    EXPECT_FALSE(State(computer) & TVIS_EXPANDED);
}

}  // namespace

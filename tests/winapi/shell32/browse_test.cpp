// The folder browser in a fresh prefix with a drive D: holding a few folders, driven from the
// idle hook as the scenario driver drives it: the dialog is found as a top-level "#32770"
// window, items are chosen through the tree's messages, OK and Cancel pressed with BM_CLICK.
// What it shows and returns is what Wine 8's browser shows and returns for the same prefix.
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <winapi_linux.h>

#include "prefix_fixture.h"

namespace {

const int kTreeId = 14145;
const int kTitleId = 14146;

std::function<void(HWND)> g_act;  // what to do once the browser shows
bool g_acted;
int g_idleAfterActing;
const int kIdleCallsAllowed = 1000;

BOOL CALLBACK FindBrowser(HWND hwnd, LPARAM found)
{
    char cls[32], caption[64];
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (strcmp(cls, "#32770") == 0 && strcmp(caption, "Browse for Folder") == 0 && IsWindowVisible(hwnd)) {
        *(HWND *)found = hwnd;
        return FALSE;
    }
    return TRUE;
}

void ActWhenIdle()
{
    HWND browser = NULL;
    EnumWindows(FindBrowser, (LPARAM)&browser);
    if (!browser) return;
    if (!g_acted) {
        g_acted = true;
        g_act(browser);
    } else if (++g_idleAfterActing == kIdleCallsAllowed) {
        ADD_FAILURE() << "the browser is still open; closed by force";
        EndDialog(browser, 0);
    }
}

std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH] = "";
    TVITEMA tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
    return text;
}

TVITEMA ItemFacts(HWND tree, HTREEITEM item)
{
    TVITEMA tvi = {};
    tvi.mask = TVIF_CHILDREN | TVIF_STATE;
    tvi.hItem = item;
    tvi.stateMask = 0xFFFF;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
    return tvi;
}

// The child of `parent` with this text, after opening `parent` as a user would.
HTREEITEM Child(HWND tree, HTREEITEM parent, const std::string &text)
{
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
    for (HTREEITEM at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent); at;
         at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)at))
        if (ItemText(tree, at) == text) return at;
    return NULL;
}

std::string ChildTexts(HWND tree, HTREEITEM parent)
{
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
    std::string texts;
    for (HTREEITEM at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent); at;
         at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)at))
        texts += (texts.empty() ? "" : "|") + ItemText(tree, at);
    return texts;
}

HTREEITEM Root(HWND tree)
{
    return (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
}

// Selects the item at the end of a path of names from the Desktop (none: nothing selected).
HTREEITEM Walk(HWND tree, const std::vector<std::string> &names)
{
    HTREEITEM at = Root(tree);
    for (const std::string &name : names) at = at ? Child(tree, at, name) : NULL;
    return at;
}

class BrowseTest : public PrefixTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(WinapiUseDisplay("headless")); }

    void SetUp() override
    {
        PrefixTest::SetUp();
        // Drive D: is a folder outside the prefix, as a user adds one.
        const std::string d = Scratch() + "/d";
        for (const char *folder : {"", "/Games", "/apps", "/apps/tools", "/Zeta", "/beta", "/.hidden"})
            ASSERT_EQ(mkdir((d + folder).c_str(), 0777), 0);
        WriteHostFile(d + "/file.txt", "not a folder");
        ASSERT_EQ(symlink(d.c_str(), Host("dosdevices/d:").c_str()), 0);
        char desktop[MAX_PATH];
        LPITEMIDLIST pidl;
        ASSERT_EQ(SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOP, &pidl), S_OK);
        ASSERT_TRUE(SHGetPathFromIDListA(pidl, desktop));
        ILFree(pidl);
        m_desktop = desktop;
        ASSERT_TRUE(CreateDirectoryA((m_desktop + "\\DeskFolder").c_str(), NULL));

        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "BrowseTestOwner";
        RegisterClassA(&wc);
        m_owner = CreateWindowExA(0, "BrowseTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                  NULL, NULL, NULL, NULL);
        m_page = CreateWindowExA(0, "BrowseTestOwner", "page", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, m_owner,
                                 NULL, NULL, NULL);
        ASSERT_TRUE(m_owner && m_page);
        WinapiSetIdleHook(ActWhenIdle);
    }
    void TearDown() override
    {
        WinapiSetIdleHook(NULL);
        g_act = nullptr;
        DestroyWindow(m_owner);
        PrefixTest::TearDown();
    }

    // Runs the browser as the destination page runs it; the display name buffer starts as
    // "unchanged".
    LPITEMIDLIST Browse(std::function<void(HWND)> act)
    {
        g_act = act;
        g_acted = false;
        g_idleAfterActing = 0;
        strcpy(m_name, "unchanged");
        BROWSEINFOA bi = {};
        bi.hwndOwner = m_page;
        bi.pszDisplayName = m_name;
        bi.lpszTitle = "Choose a directory";
        bi.ulFlags = 0;
        LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
        EXPECT_TRUE(g_acted) << "the browser never showed";
        return pidl;
    }

    std::string m_desktop;
    HWND m_owner = NULL;
    HWND m_page = NULL;
    char m_name[MAX_PATH];
};

TEST_F(BrowseTest, ChoicesGiveTheirPathOrNone)
{
    struct Case {
        std::vector<std::string> names;  // from the Desktop; none: OK with nothing chosen
        BOOL hasPath;
        std::string path;  // below the desktop folder when it starts with a backslash
        std::string displayName;
    } cases[] = {
        {{"My Computer", " (D:)", "Games"}, TRUE, "D:\\Games", "Games"},
        {{"My Computer", " (D:)", "apps", "tools"}, TRUE, "D:\\apps\\tools", "tools"},
        {{"My Computer", " (D:)"}, TRUE, "D:\\", " (D:)"},
        {{"My Computer"}, FALSE, "", "My Computer"},
        {{"DeskFolder"}, TRUE, "\\DeskFolder", "DeskFolder"},
        {{}, TRUE, "\\", "Desktop"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.displayName);
        LPITEMIDLIST pidl = Browse([&](HWND browser) {
            HWND tree = GetDlgItem(browser, kTreeId);
            if (!c.names.empty()) {
                HTREEITEM item = Walk(tree, c.names);
                ASSERT_NE(item, nullptr);
                SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
            }
            SendMessageA(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
        });
        ASSERT_NE(pidl, nullptr);
        EXPECT_EQ(std::string(m_name), c.displayName);
        char path[MAX_PATH] = "unchanged";
        EXPECT_EQ(SHGetPathFromIDListA(pidl, path), c.hasPath);
        std::string expected = c.path;
        if (!expected.empty() && expected[0] == '\\') expected = m_desktop + (expected == "\\" ? "" : expected);
        EXPECT_EQ(std::string(path), expected);
        ILFree(pidl);
    }
}

TEST_F(BrowseTest, CancelGivesNothingAndLeavesTheNameAlone)
{
    LPITEMIDLIST pidl = Browse([](HWND browser) {
        HWND tree = GetDlgItem(browser, kTreeId);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)Walk(tree, {"My Computer", " (D:)", "Games"}));
        SendMessageA(GetDlgItem(browser, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(pidl, nullptr);
    EXPECT_STREQ(m_name, "unchanged");
}

TEST_F(BrowseTest, TheDialogShowsTheNamespaceAsWineDoes)
{
    LPITEMIDLIST pidl = Browse([&](HWND browser) {
        EXPECT_EQ(GetWindow(browser, GW_OWNER), m_owner) << "owned by the page's top-level window";
        EXPECT_FALSE(IsWindowEnabled(m_owner)) << "modal";
        char text[64];
        GetDlgItemTextA(browser, kTitleId, text, sizeof text);
        EXPECT_STREQ(text, "Choose a directory");
        GetDlgItemTextA(browser, IDOK, text, sizeof text);
        EXPECT_STREQ(text, "OK");
        GetDlgItemTextA(browser, IDCANCEL, text, sizeof text);
        EXPECT_STREQ(text, "Cancel");
        EXPECT_EQ(GetFocus(), GetDlgItem(browser, IDOK)) << "the first tab stop has the focus";

        HWND tree = GetDlgItem(browser, kTreeId);
        GetClassNameA(tree, text, sizeof text);
        EXPECT_STREQ(text, "SysTreeView32");
        EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), 0) << "nothing chosen yet";
        HTREEITEM desktop = Root(tree);
        EXPECT_EQ(ItemText(tree, desktop), "Desktop");
        EXPECT_TRUE(ItemFacts(tree, desktop).state & TVIS_EXPANDED);
        EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)desktop), 0);

        EXPECT_EQ(ChildTexts(tree, desktop), "DeskFolder|My Computer");
        HTREEITEM computer = Child(tree, desktop, "My Computer");
        EXPECT_EQ(ChildTexts(tree, computer), " (C:)| (D:)| (Z:)");
        HTREEITEM d = Child(tree, computer, " (D:)");
        EXPECT_EQ(ChildTexts(tree, d), "apps|beta|Games|Zeta") << "folders only, hidden ones left out";
        EXPECT_EQ(ItemFacts(tree, Child(tree, d, "apps")).cChildren, 1);
        EXPECT_EQ(ItemFacts(tree, Child(tree, d, "Games")).cChildren, 0);
        EXPECT_EQ(ItemFacts(tree, Child(tree, desktop, "DeskFolder")).cChildren, 0);
        SendMessageA(GetDlgItem(browser, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(pidl, nullptr);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

// A person with the keyboard: Shift+Tab into the tree (which selects the Desktop), down to
// the computer, Right to open it and Right to enter it, down to D:, Enter for OK.
TEST_F(BrowseTest, TheKeyboardChoosesADrive)
{
    LPITEMIDLIST pidl = Browse([](HWND browser) {
        HWND tree = GetDlgItem(browser, kTreeId);
        SendMessageA(browser, WM_NEXTDLGCTL, TRUE, 0);
        EXPECT_EQ(GetFocus(), tree);
        for (UINT key : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN})
            PostMessageA(tree, WM_KEYDOWN, key, 0);
    });
    ASSERT_NE(pidl, nullptr);
    char path[MAX_PATH];
    EXPECT_TRUE(SHGetPathFromIDListA(pidl, path));
    EXPECT_STREQ(path, "D:\\");
    EXPECT_STREQ(m_name, " (D:)");
    ILFree(pidl);
}

}  // namespace

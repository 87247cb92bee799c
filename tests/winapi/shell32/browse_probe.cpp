// What the folder browser shows and returns, printed the same way from the Linux build and
// from the real shell32 under Wine (browse-compare-wine.sh compares the two):
//   browse_probe NAME/NAME/...   chooses the item at the end of the names from the Desktop
//                                (e.g. "My Computer/ (D:)/Games") and presses OK
//   browse_probe                 presses Cancel
// A thread timer does the work inside the browser's modal loop, on both platforms. Only what
// both shells agree to show is printed: the dialog's controls, the drives, drive D:'s
// folders, the chosen item's path and its item id list.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <string>

static const char *g_target;
static bool g_done;

static BOOL CALLBACK FindBrowser(HWND hwnd, LPARAM found)
{
    char cls[32];
    GetClassNameA(hwnd, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
        *(HWND *)found = hwnd;
        return FALSE;
    }
    return TRUE;
}

static std::string Text(HWND tree, HTREEITEM item, int *children)
{
    char text[MAX_PATH] = "";
    TVITEMA tvi = {};
    tvi.mask = TVIF_TEXT | TVIF_CHILDREN;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
    if (children) *children = tvi.cChildren;
    return text;
}

static HTREEITEM Child(HWND tree, HTREEITEM parent, const std::string &name)
{
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
    for (HTREEITEM at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent); at;
         at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)at))
        if (Text(tree, at, NULL) == name) return at;
    return NULL;
}

// The children of an item, one a line; with `drives_only`, those named as drives.
static void PrintChildren(HWND tree, HTREEITEM parent, const char *indent, bool drives_only)
{
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
    for (HTREEITEM at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent); at;
         at = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)at)) {
        int children;
        std::string text = Text(tree, at, &children);
        if (drives_only && text.find(":)") == std::string::npos) continue;
        printf("%s'%s' children=%d\n", indent, text.c_str(), children);
    }
}

static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND browser = NULL;
    EnumWindows(FindBrowser, (LPARAM)&browser);
    if (!browser || g_done) return;
    g_done = true;
    KillTimer(NULL, id);

    char text[MAX_PATH];
    GetWindowTextA(browser, text, sizeof text);
    printf("dialog '%s'\n", text);
    for (HWND c = GetWindow(browser, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[64];
        GetClassNameA(c, cls, sizeof cls);
        GetWindowTextA(c, text, sizeof text);
        LONG style = GetWindowLongA(c, GWL_STYLE);
        printf("  control %d %s '%s' visible=%d tabstop=%d\n", GetDlgCtrlID(c), cls, text,
               (style & WS_VISIBLE) != 0, (style & WS_TABSTOP) != 0);
    }
    GetClassNameA(GetFocus(), text, sizeof text);
    printf("focus %s %d\n", text, GetDlgCtrlID(GetFocus()));

    HWND tree = GetDlgItem(browser, 14145);  // the tree's id in Wine's dialog
    HTREEITEM desktop = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    printf("root '%s'\n", Text(tree, desktop, NULL).c_str());
    HTREEITEM computer = Child(tree, desktop, "My Computer");
    printf("My Computer %s\n", computer ? "found" : "missing");
    PrintChildren(tree, computer, "  ", true);
    HTREEITEM d = Child(tree, computer, " (D:)");
    printf("D:\n");
    PrintChildren(tree, d, "  ", false);

    HTREEITEM target = desktop;
    if (g_target) {
        char names[MAX_PATH];
        strcpy(names, g_target);
        for (char *name = strtok(names, "/"); name && target; name = strtok(NULL, "/"))
            target = Child(tree, target, name);
        printf("target %s\n", target ? "found" : "missing");
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)target);
    }
    SendMessageA(GetDlgItem(browser, g_target ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
}

int main(int argc, char **argv)
{
    g_target = argc > 1 && *argv[1] ? argv[1] : NULL;
    CoInitialize(NULL);
    char name[MAX_PATH] = "";
    BROWSEINFOA bi = {};
    bi.pszDisplayName = name;
    bi.lpszTitle = "Choose a directory";
    SetTimer(NULL, 0, 50, Tick);
    LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
    if (!pidl) {
        printf("no item\n");
        return 0;
    }
    char path[MAX_PATH] = "unchanged";
    BOOL ok = SHGetPathFromIDListA(pidl, path);
    printf("path %d '%s'\nlist", ok, path);
    const BYTE *p = (const BYTE *)pidl;
    size_t size = 0;
    while (p[size] | p[size + 1] << 8) size += p[size] | p[size + 1] << 8;
    for (size_t i = 0; i < size + 2; i++) printf(" %02x", p[i]);
    printf("\n");
    CoTaskMemFree(pidl);
    return 0;
}

// The folder browser: Wine's "Browse for Folder" dialog, with the shell's namespace as a tree
// that is filled as its nodes open. The Desktop is the top; under it the folders on the user's
// desktop and "My Computer"; under that the drives of the prefix, then their folders.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "itemlist.h"
#include "shlobj.h"
#include "windows.h"
#include "commctrl.h"

namespace {

// The control ids and layout of Wine's dialog.
const WORD kTreeId = 14145;
const WORD kTitleId = 14146;
const WORD kStatusId = 14147;

const char kDesktopName[] = "Desktop";
const char kMyComputerName[] = "My Computer";

// What a node of the tree stands for: its item id list and its display name.
struct Entry {
    std::string list;
    std::string name;
    std::string path;  // the folder it opens, "" for My Computer
};

struct Browse {
    LPBROWSEINFOA info;
    HWND dialog;
    HWND tree;
    std::vector<Entry> entries;  // by the tree items' lParam
    LPARAM chosen;               // the selected entry, -1 for none
};

// ---- the dialog template, built in memory as a resource compiler lays it out ----

class TemplateWriter {
public:
    void Header(DWORD style, WORD items, short x, short y, short cx, short cy, const char *caption,
                WORD points, const char *font)
    {
        Dword(style);
        Dword(0);
        Word(items);
        Word((WORD)x), Word((WORD)y), Word((WORD)cx), Word((WORD)cy);
        Word(0);  // no menu
        Word(0);  // the dialog class
        Text(caption);
        Word(points);
        Text(font);
    }

    // A control of a system class, named by its atom (0x80 button, 0x82 static).
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const char *text)
    {
        ItemStart(style, x, y, cx, cy, id);
        Word(0xFFFF), Word(atom);
        ItemEnd(text);
    }

    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, const char *cls, const char *text)
    {
        ItemStart(style, x, y, cx, cy, id);
        Text(cls);
        ItemEnd(text);
    }

    LPCDLGTEMPLATEA Data() const { return (LPCDLGTEMPLATEA)words_.data(); }

private:
    void ItemStart(DWORD style, short x, short y, short cx, short cy, WORD id)
    {
        while (words_.size() % 2) words_.push_back(0);  // items start on a DWORD
        Dword(style);
        Dword(0);
        Word((WORD)x), Word((WORD)y), Word((WORD)cx), Word((WORD)cy);
        Word(id);
    }
    void ItemEnd(const char *text)
    {
        Text(text);
        Word(0);  // no creation data
    }
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d) { Word((WORD)(d & 0xffff)), Word((WORD)(d >> 16)); }
    void Text(const char *s)
    {
        for (; *s; s++) Word((BYTE)*s);
        Word(0);
    }

    std::vector<WORD> words_;
};

const WORD kButton = 0x80;
const WORD kStatic = 0x82;

void WriteTemplate(TemplateWriter &t)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    t.Header(DS_MODALFRAME | DS_SETFONT | DS_3DLOOK | WS_CAPTION | WS_SYSMENU, 5, 15, 40, 190, 195,
             "Browse for Folder", 8, "MS Shell Dlg");
    t.Item(child | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 80, 176, 50, 14, IDOK, kButton, "OK");
    t.Item(child | BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 134, 176, 50, 14, IDCANCEL, kButton, "Cancel");
    t.Item(child | SS_LEFT | WS_GROUP, 5, 4, 180, 24, kTitleId, kStatic, "");
    // The status line shows only for callers that ask for one; this browser has none to show.
    t.Item(WS_CHILD | SS_LEFT | WS_GROUP, 5, 25, 180, 12, kStatusId, kStatic, "");
    t.Item(child | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 5, 40, 180, 120,
           kTreeId, WC_TREEVIEWA, "");
}

// ---- the namespace ----

std::string EmptyList()
{
    return std::string(2, '\0');
}

// The list of every drive begins with the "My Computer" item.
std::string MyComputerList()
{
    const std::string drive = ItemListForPath("C:\\", false);
    const size_t cb = (BYTE)drive[0] | (BYTE)drive[1] << 8;
    return drive.substr(0, cb) + EmptyList();
}

// Drives have no volume label in the prefix: Wine shows a blank, then the letter.
std::string DriveName(char letter)
{
    return std::string(" (") + letter + ":)";
}

bool IsShownFolder(const WIN32_FIND_DATAA &data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) &&
           strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0;
}

std::string Join(const std::string &folder, const std::string &name)
{
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// The folders in a folder, as the disk spells them; hidden ones are left out, as the shell
// leaves them out. With `first_only`, stops at the first.
std::vector<std::string> Subfolders(const std::string &folder, bool first_only)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(Join(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (IsShownFolder(data)) names.push_back(data.cFileName);
    } while ((names.empty() || !first_only) && FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// ---- the tree ----

HTREEITEM AddNode(Browse *b, HTREEITEM parent, HTREEITEM after, Entry entry, bool children)
{
    b->entries.push_back(std::move(entry));
    const Entry &e = b->entries.back();
    TVINSERTSTRUCTA insert;
    memset(&insert, 0, sizeof insert);
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = (LPSTR)e.name.c_str();
    insert.item.lParam = (LPARAM)(b->entries.size() - 1);
    insert.item.cChildren = children ? 1 : 0;
    return (HTREEITEM)SendMessageA(b->tree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
}

void AddFolders(Browse *b, HTREEITEM parent, const std::string &folder)
{
    for (const std::string &name : Subfolders(folder, false)) {
        const std::string path = Join(folder, name);
        AddNode(b, parent, TVI_SORT, {ItemListForPath(path, false), name, path}, !Subfolders(path, true).empty());
    }
}

void AddDrives(Browse *b, HTREEITEM parent)
{
    for (char letter = 'A'; letter <= 'Z'; letter++) {
        const std::string root = std::string(1, letter) + ":\\";
        const DWORD attributes = GetFileAttributesA(root.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        AddNode(b, parent, TVI_LAST, {ItemListForPath(root, false), DriveName(letter), root},
                !Subfolders(root, true).empty());
    }
}

// The desktop shows the folders on the user's desktop and the computer, in name order.
void AddDesktop(Browse *b, HTREEITEM parent)
{
    char desktop[MAX_PATH];
    const std::string empty = EmptyList();
    if (SHGetPathFromIDListA((LPCITEMIDLIST)empty.data(), desktop)) {
        for (const std::string &name : Subfolders(desktop, false)) {
            const std::string path = Join(desktop, name);
            AddNode(b, parent, TVI_SORT, {ItemListForPath(path, false), name, path},
                    !Subfolders(path, true).empty());
        }
    }
    AddNode(b, parent, TVI_SORT, {MyComputerList(), kMyComputerName, ""}, true);
}

// A node is filled when it opens for the first time.
void Fill(Browse *b, HTREEITEM item, LPARAM index)
{
    const Entry entry = b->entries[(size_t)index];
    if (entry.list == EmptyList()) AddDesktop(b, item);
    else if (entry.path.empty()) AddDrives(b, item);
    else AddFolders(b, item, entry.path);
}

void Callback(Browse *b, UINT message, LPARAM param)
{
    if (b->info->lpfn) b->info->lpfn(b->dialog, message, param, b->info->lParam);
}

void Initialize(Browse *b)
{
    b->tree = GetDlgItem(b->dialog, kTreeId);
    if (b->info->lpszTitle) SetDlgItemTextA(b->dialog, kTitleId, b->info->lpszTitle);
    else ShowWindow(GetDlgItem(b->dialog, kTitleId), SW_HIDE);
    HTREEITEM desktop = AddNode(b, TVI_ROOT, TVI_LAST, {EmptyList(), kDesktopName, ""}, true);
    SendMessageA(b->tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)desktop);
    Callback(b, BFFM_INITIALIZED, 0);
}

LRESULT OnTreeNotify(Browse *b, const NMTREEVIEWA *nm)
{
    switch (nm->hdr.code) {
    case TVN_ITEMEXPANDINGA:
        if (!(nm->itemNew.state & TVIS_EXPANDEDONCE)) Fill(b, nm->itemNew.hItem, nm->itemNew.lParam);
        return 0;
    case TVN_SELCHANGEDA:
        b->chosen = nm->itemNew.hItem ? nm->itemNew.lParam : -1;
        if (b->chosen >= 0) Callback(b, BFFM_SELCHANGED, (LPARAM)b->entries[(size_t)b->chosen].list.data());
        return 0;
    }
    return 0;
}

INT_PTR CALLBACK BrowseDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Browse *b = (Browse *)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        b = (Browse *)lParam;
        b->dialog = dialog;
        SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)b);
        Initialize(b);
        return TRUE;
    case WM_NOTIFY:
        if (b && ((const NMHDR *)lParam)->idFrom == kTreeId) OnTreeNotify(b, (const NMTREEVIEWA *)lParam);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDOK);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

/***********************************************************************
 *           SHBrowseForFolderA
 *
 * The chosen item's list (the Desktop's when OK is pressed with nothing chosen), which the
 * caller frees with CoTaskMemFree or ILFree; NULL when the user cancels. pszDisplayName
 * receives the item's display name (at most MAX_PATH characters); it is left alone on Cancel.
 */
LPITEMIDLIST WINAPI SHBrowseForFolderA(LPBROWSEINFOA lpbi)
{
    if (!lpbi) return NULL;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    Browse b = {lpbi, NULL, NULL, {}, -1};
    TemplateWriter t;
    WriteTemplate(t);
    if (DialogBoxIndirectParamA(GetModuleHandleA(NULL), t.Data(), lpbi->hwndOwner, BrowseDialogProc,
                                (LPARAM)&b) != 1)
        return NULL;

    const Entry chosen = b.chosen >= 0 ? b.entries[(size_t)b.chosen] : Entry{EmptyList(), kDesktopName, ""};
    LPITEMIDLIST pidl = (LPITEMIDLIST)CoTaskMemAlloc(chosen.list.size());
    if (!pidl) return NULL;
    memcpy(pidl, chosen.list.data(), chosen.list.size());
    if (lpbi->pszDisplayName) {
        const size_t n = std::min(chosen.name.size(), (size_t)MAX_PATH - 1);
        memcpy(lpbi->pszDisplayName, chosen.name.data(), n);
        lpbi->pszDisplayName[n] = '\0';
    }
    return pidl;
}

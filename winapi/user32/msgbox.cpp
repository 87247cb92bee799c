/* MessageBoxA: a real modal dialog of the dialog class, laid out as the platform lays it out:
 * an icon (id 1088), the buttons, and the text in a static control with id 0xFFFF. */
#include "user32_private.h"

#include <algorithm>

using namespace user32;

namespace {

const int kIconId = 1088;
const int kTextId = 0xFFFF;
const int kMargin = 8;          // dialog units around and between the parts
const int kButtonWidth = 40;
const int kButtonHeight = 14;
const int kIconSize = 16;
const int kMaxTextColumns = 60;  // longer lines wrap
const int kCharWidth = 4;
const int kLineHeight = 8;

struct Button {
    int id;
    const char *text;
};

std::vector<Button> ButtonsFor(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    }
    return {{IDOK, "OK"}};
}

/* Columns and lines the text needs when lines longer than the limit wrap. */
SIZE TextExtent(const std::string &text)
{
    int columns = 0, lines = 0;
    size_t pos = 0;
    for (;;) {
        size_t end = text.find('\n', pos);
        size_t length = (end == std::string::npos ? text.size() : end) - pos;
        if (length && text[pos + length - 1] == '\r') length--;
        columns = std::max(columns, (int)std::min<size_t>(length, kMaxTextColumns));
        lines += length ? (int)((length + kMaxTextColumns - 1) / kMaxTextColumns) : 1;
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return {columns * kCharWidth, lines * kLineHeight};
}

/* Esc closes a box with a Cancel button as Cancel, and a box with only OK as OK. */
INT_PTR CALLBACK MessageBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    int id = LOWORD(wParam);
    if (id == IDCANCEL && !GetDlgItem(dialog, IDCANCEL)) {
        if (!GetDlgItem(dialog, IDOK) || GetDlgItem(dialog, IDYES)) return TRUE;
        id = IDOK;
    }
    if (GetDlgItem(dialog, id)) EndDialog(dialog, id);
    return TRUE;
}

}  // namespace

/***********************************************************************
 *              MessageBoxA
 */
extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    std::string message = text ? text : "";
    std::vector<Button> buttons = ButtonsFor(type);
    bool has_icon = (type & MB_ICONMASK) != 0;

    SIZE extent = TextExtent(message);
    int icon_width = has_icon ? kIconSize + kMargin : 0;
    int body_height = std::max<int>(extent.cy, has_icon ? kIconSize : 0);
    int buttons_width = (int)buttons.size() * (kButtonWidth + kMargin) - kMargin;
    int width = kMargin * 2 + std::max<int>(icon_width + extent.cx, buttons_width);
    int height = kMargin * 3 + body_height + kButtonHeight;

    Window *top = owner ? FromHandle(owner) : nullptr;
    owner = top ? TopLevelOf(top)->handle : nullptr;
    RECT area;
    GetWindowRect(owner ? owner : GetDesktopWindow(), &area);
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;

    HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT, WC_DIALOG,
                               caption ? caption : "Error",
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | DS_MODALFRAME | DS_NOIDLEMSG |
                                   DS_SETFONT | DS_3DLOOK,
                               x, y, width, height, owner, nullptr, nullptr, nullptr);
    if (!box) return 0;
    SetWindowLongPtrA(box, DWLP_DLGPROC, (LONG_PTR)MessageBoxProc);

    CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Static", "", WS_CHILD | SS_ICON | (has_icon ? WS_VISIBLE : 0), kMargin,
                    kMargin, kIconSize, kIconSize, box, (HMENU)(ULONG_PTR)kIconId, nullptr, nullptr);
    size_t default_index = ((type & MB_DEFMASK) >> 8) < buttons.size() ? (type & MB_DEFMASK) >> 8 : 0;
    int bx = (width - buttons_width) / 2;
    int by = kMargin * 2 + body_height;
    HWND default_button = nullptr;
    for (size_t i = 0; i < buttons.size(); i++) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                      (i == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Button", buttons[i].text, style, bx, by, kButtonWidth,
                                      kButtonHeight, box, (HMENU)(ULONG_PTR)buttons[i].id, nullptr, nullptr);
        if (i == default_index) default_button = button;
        bx += kButtonWidth + kMargin;
    }
    CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Static", message.c_str(), WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX,
                    kMargin + icon_width, kMargin, extent.cx, extent.cy, box, (HMENU)(ULONG_PTR)kTextId, nullptr,
                    nullptr);

    SendMessageA(box, DM_SETDEFID, (WPARAM)buttons[default_index].id, 0);
    if (DialogInfo *info = DialogOf(box)) info->saved_focus = default_button;
    return (int)RunModalDialog(box, owner);
}

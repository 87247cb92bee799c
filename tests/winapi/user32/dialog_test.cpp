/* Dialogs from templates: controls, WM_INITDIALOG and the first focus, results through
 * DWLP_MSGRESULT, the keyboard of IsDialogMessage, modal runs. */
#include <string>

#include "dialog_builder.h"
#include "recorder.h"

namespace {

const DWORD kPageStyle = DS_SETFONT | DS_CONTROL | WS_CHILD | WS_VISIBLE;
const DWORD kPopupStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

enum { kName = 100, kNote = 101, kCheck = 102, kOff = 103, kBrowse = 104, kGo = 105 };

/* A form like the wizard pages: an edit box, a note, a check box, a disabled button, a push
 * button and a default button. */
DialogBuilder Form(DWORD style, bool extended = false)
{
    DialogBuilder b(style, 200, 100, "Form", extended);
    b.Control(kEditAtom, kName, "C:\\Games\\", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_VISIBLE, 7, 7, 140, 14)
        .Control(kStaticAtom, kNote, "A note", SS_LEFT | WS_VISIBLE, 7, 25, 100, 8)
        .Control(kButtonAtom, kCheck, "Check", BS_AUTOCHECKBOX | BS_TOP | WS_TABSTOP | WS_VISIBLE, 7, 40, 100, 10)
        .Control(kButtonAtom, kOff, "Off", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED | WS_VISIBLE, 7, 55, 50, 14)
        .Control(kButtonAtom, kBrowse, "&Browse...", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 60, 55, 50, 14)
        .Control(kButtonAtom, kGo, "Go", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 120, 55, 50, 14);
    return b;
}

struct DialogLog {
    HWND init_focus = nullptr;
    LPARAM init_param = 0;
    std::vector<WPARAM> commands;
    LRESULT notify_result = 0;
};
DialogLog g_dialog;

INT_PTR CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_dialog.init_focus = (HWND)wParam;
        g_dialog.init_param = lParam;
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) g_dialog.commands.push_back(wParam);
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, g_dialog.notify_result);
        return TRUE;
    }
    return FALSE;
}

std::string Text(HWND hwnd)
{
    char buffer[128];
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

std::string ClassOf(HWND hwnd)
{
    char buffer[64];
    GetClassNameA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

}  // namespace

class DialogTest : public User32Test {
protected:
    void SetUp() override
    {
        User32Test::SetUp();
        g_dialog = DialogLog();
    }

    void PressKey(HWND dialog, UINT vk, bool shift = false)
    {
        WinapiQueueKey(vk, 0, shift);
        PumpDialog(dialog);
    }
};

TEST_F(DialogTest, ControlsComeFromTheTemplateInBothForms)
{
    for (bool extended : {false, true}) {
        DialogBuilder form = Form(kPopupStyle | WS_VISIBLE, extended);
        HWND dialog = CreateDialogIndirectParamA(nullptr, form.Get(), nullptr, FormProc, 77);
        ASSERT_TRUE(dialog) << extended;
        EXPECT_EQ(ClassOf(dialog), "#32770");
        EXPECT_EQ(Text(dialog), "Form");
        EXPECT_TRUE(IsWindowVisible(dialog));

        struct Expected {
            int id;
            const char *cls;
            const char *text;
        } expected[] = {{kName, "Edit", "C:\\Games\\"}, {kNote, "Static", "A note"}, {kCheck, "Button", "Check"},
                        {kOff, "Button", "Off"},        {kBrowse, "Button", "&Browse..."}, {kGo, "Button", "Go"}};
        HWND control = GetWindow(dialog, GW_CHILD);
        for (const Expected &e : expected) {
            ASSERT_TRUE(control);
            EXPECT_EQ(GetDlgCtrlID(control), e.id);
            EXPECT_EQ(ClassOf(control), e.cls);
            EXPECT_EQ(Text(control), e.text);
            EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & WS_CHILD);
            control = GetWindow(control, GW_HWNDNEXT);
        }
        EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, kCheck), GWL_STYLE) & (BS_TYPEMASK | BS_TOP),
                  (LONG)(BS_AUTOCHECKBOX | BS_TOP));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kOff)));
        RECT r;
        GetWindowRect(GetDlgItem(dialog, kBrowse), &r);
        RECT d;
        GetWindowRect(dialog, &d);
        EXPECT_EQ(r.left - d.left, 60);  // one dialog unit is one pixel
        EXPECT_EQ(r.bottom - r.top, 14);

        // WM_INITDIALOG gets the first tab stop and the caller's value; TRUE puts the focus
        // there, with the edit box's text selected.
        EXPECT_EQ(g_dialog.init_param, 77);
        EXPECT_EQ(g_dialog.init_focus, GetDlgItem(dialog, kName));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kName));
        DWORD start = 1, end = 0;
        SendDlgItemMessageA(dialog, kName, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 9u);
        DestroyWindow(dialog);
    }
}

TEST_F(DialogTest, NotificationResultsTravelInMsgResult)
{
    DialogBuilder form = Form(kPopupStyle);
    HWND dialog = CreateDialogIndirectParamA(nullptr, form.Get(), nullptr, FormProc, 0);
    NMHDR header = {dialog, 1, 0};
    g_dialog.notify_result = -1;
    EXPECT_EQ(SendMessageA(dialog, WM_NOTIFY, 1, (LPARAM)&header), -1);
    g_dialog.notify_result = 5;
    EXPECT_EQ(SendMessageA(dialog, WM_NOTIFY, 1, (LPARAM)&header), 5);
    SetWindowLongPtrA(dialog, DWLP_USER, 99);
    EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_USER), 99);
    EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_DLGPROC), (LONG_PTR)FormProc);
}

TEST_F(DialogTest, DialogItemHelpers)
{
    DialogBuilder form = Form(kPopupStyle);
    HWND dialog = CreateDialogIndirectParamA(nullptr, form.Get(), nullptr, FormProc, 0);
    EXPECT_TRUE(SetDlgItemTextA(dialog, kNote, "Changed"));
    char buffer[4];
    EXPECT_EQ(GetDlgItemTextA(dialog, kNote, buffer, sizeof(buffer)), 3u);  // cut to the buffer
    EXPECT_STREQ(buffer, "Cha");
    EXPECT_TRUE(CheckDlgButton(dialog, kCheck, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), (UINT)BST_CHECKED);
    EXPECT_FALSE(SetDlgItemTextA(dialog, 999, "x"));
    RECT r = {4, 8, 40, 80};
    EXPECT_TRUE(MapDialogRect(dialog, &r));
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 80);
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(4, 8));
}

/* Tab visits the enabled, visible tab stops in template order and wraps; Shift+Tab goes back. */
TEST_F(DialogTest, TabAndShiftTabFollowTheTemplateOrder)
{
    DialogBuilder form = Form(kPopupStyle | WS_VISIBLE);
    HWND dialog = CreateDialogIndirectParamA(nullptr, form.Get(), nullptr, FormProc, 0);
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, kName));
    std::vector<int> visited;
    for (int i = 0; i < 4; i++) {
        PressKey(dialog, VK_TAB);
        visited.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(visited, (std::vector<int>{kCheck, kBrowse, kGo, kName}));
    PressKey(dialog, VK_TAB, true);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), kGo);
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), GetDlgItem(dialog, kGo));
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, kNote), FALSE), GetDlgItem(dialog, kCheck));
}

TEST_F(DialogTest, EnterPressesTheDefaultOrFocusedButtonAndEscCancels)
{
    DialogBuilder form = Form(kPopupStyle | WS_VISIBLE);
    HWND dialog = CreateDialogIndirectParamA(nullptr, form.Get(), nullptr, FormProc, 0);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELONG(kGo, DC_HASDEFID));

    PressKey(dialog, VK_RETURN);  // focus in the edit box: the default button
    PressKey(dialog, VK_ESCAPE);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, kBrowse), TRUE);
    // A focused push button takes the default look and gets Enter.
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, kBrowse), GWL_STYLE) & BS_TYPEMASK, (LONG)BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, kGo), GWL_STYLE) & BS_TYPEMASK, (LONG)BS_PUSHBUTTON);
    PressKey(dialog, VK_RETURN);
    EXPECT_EQ(g_dialog.commands, (std::vector<WPARAM>{MAKEWPARAM(kGo, BN_CLICKED), IDCANCEL,
                                                      MAKEWPARAM(kBrowse, BN_CLICKED)}));

    // Space on a focused check box ticks it.
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, kCheck), TRUE);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, kGo), GWL_STYLE) & BS_TYPEMASK, (LONG)BS_DEFPUSHBUTTON);
    g_dialog.commands.clear();
    WinapiQueueKey(VK_SPACE, ' ', FALSE);
    PumpDialog(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), (UINT)BST_CHECKED);
    EXPECT_EQ(g_dialog.commands, (std::vector<WPARAM>{MAKEWPARAM(kCheck, BN_CLICKED)}));
}

/* A page (DS_CONTROL) inside a frame dialog: its controls join the frame's tab order. */
TEST_F(DialogTest, ChildDialogControlsJoinTheParentsTabOrder)
{
    DialogBuilder frame(kPopupStyle | WS_VISIBLE, 250, 150, "Frame");
    frame.Control(kButtonAtom, IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 10, 120, 50, 14)
        .Control(kButtonAtom, IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 70, 120, 50, 14);
    HWND outer = CreateDialogIndirectParamA(nullptr, frame.Get(), nullptr, FormProc, 0);
    DialogBuilder page = Form(kPageStyle);
    HWND inner = CreateDialogIndirectParamA(nullptr, page.Get(), outer, FormProc, 0);
    ASSERT_TRUE(inner);
    EXPECT_TRUE(GetWindowLongA(inner, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    SetWindowPos(inner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // the page first, as a sheet puts it
    SetFocus(GetDlgItem(inner, kName));
    std::vector<int> visited;
    for (int i = 0; i < 6; i++) {
        PressKey(outer, VK_TAB);
        visited.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(visited, (std::vector<int>{kCheck, kBrowse, kGo, IDOK, IDCANCEL, kName}));
}

TEST_F(DialogTest, ModalDialogDisablesItsOwnerUntilEndDialog)
{
    HWND owner = Create("owner");
    static HWND s_owner;
    static bool owner_enabled_inside;
    s_owner = owner;
    owner_enabled_inside = true;
    WinapiSetIdleHook([] {
        HWND dialog = GetActiveWindow();
        owner_enabled_inside = IsWindowEnabled(s_owner);
        if (dialog && dialog != s_owner) EndDialog(dialog, 42);
    });
    DialogBuilder form = Form(kPopupStyle);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, form.Get(), owner, FormProc, 0), 42);
    EXPECT_FALSE(owner_enabled_inside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
}

/* Dialogs from the program's own RT_DIALOG resources, as windres writes them. */
#include <string>

#include "recorder.h"

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::string Text(HWND hwnd)
{
    char buffer[128];
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

}  // namespace

using ResourceDialogTest = User32Test;

TEST_F(ResourceDialogTest, ClassicTemplateGivesItsControls)
{
    HWND sheet = Create("sheet");
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200), sheet, Quiet, 0);
    ASSERT_TRUE(page);
    EXPECT_EQ(Text(page), "Classic");
    EXPECT_EQ(GetParent(page), sheet);
    EXPECT_FALSE(IsWindowEnabled(page));

    struct Expected {
        int id;
        const char *text;
        DWORD style;  // type bits and the tab stop, which windres sets by kind
    } expected[] = {
        {1039, "We will install here.", SS_LEFT},
        {1011, "&Browse...", BS_PUSHBUTTON | WS_TABSTOP},
        {1006, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {1018, "Add a shortcut", BS_AUTOCHECKBOX | BS_TOP | WS_TABSTOP},
    };
    for (const Expected &e : expected) {
        HWND control = GetDlgItem(page, e.id);
        ASSERT_TRUE(control) << e.id;
        EXPECT_EQ(Text(control), e.text);
        EXPECT_EQ((DWORD)GetWindowLongA(control, GWL_STYLE) & e.style, e.style) << e.id;
    }
    RECT r;
    GetClientRect(page, &r);
    EXPECT_EQ(r.right, 224);
    EXPECT_EQ(r.bottom, 103);
}

TEST_F(ResourceDialogTest, ExtendedTemplateRunsModally)
{
    static std::string licence_style_ok;
    WinapiSetIdleHook([] {
        HWND dialog = GetActiveWindow();
        if (!dialog) return;
        LONG style = GetWindowLongA(GetDlgItem(dialog, 1045), GWL_STYLE);
        licence_style_ok = (style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL)) == (ES_MULTILINE | ES_READONLY | WS_VSCROLL) &&
                                   !(style & WS_TABSTOP)
                               ? "yes"
                               : "no";
        WinapiQueueKey(VK_RETURN, '\r', FALSE);  // the default button
    });
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(201), nullptr,
                              [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
                                  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) EndDialog(dialog, 17);
                                  return message == WM_INITDIALOG;
                              },
                              0),
              17);
    EXPECT_EQ(licence_style_ok, "yes");
}

TEST_F(ResourceDialogTest, MissingTemplateFails)
{
    SetLastError(0);
    EXPECT_EQ(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), nullptr, Quiet, 0), nullptr);
    EXPECT_EQ(GetLastError(), 1814u);  // ERROR_RESOURCE_NAME_NOT_FOUND
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), nullptr, Quiet, 0), -1);
}

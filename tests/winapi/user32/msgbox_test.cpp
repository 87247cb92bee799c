/* MessageBoxA as the scenario driver finds it: a top-level dialog window with the text in
 * static 0xFFFF and the OK button IDOK, closed from the idle hook. */
#include <string>

#include "recorder.h"

namespace {

struct Seen {
    HWND box = nullptr;
    std::string caption, text, ok_text;
    bool owner_enabled = true;
    int focus_id = 0;
    int pressed = IDOK;
    UINT key = 0;  // a key to press instead of clicking
};
Seen g_seen;
HWND g_owner;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM)
{
    char buffer[256];
    GetClassNameA(hwnd, buffer, sizeof(buffer));
    if (std::string(buffer) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    g_seen.box = hwnd;
    return FALSE;
}

void Driver()
{
    g_seen.box = nullptr;
    EnumWindows(FindBox, 0);
    if (!g_seen.box) return;
    char buffer[256];
    GetWindowTextA(g_seen.box, buffer, sizeof(buffer));
    g_seen.caption = buffer;
    GetDlgItemTextA(g_seen.box, 0xFFFF, buffer, sizeof(buffer));
    g_seen.text = buffer;
    GetDlgItemTextA(g_seen.box, IDOK, buffer, sizeof(buffer));
    g_seen.ok_text = buffer;
    g_seen.owner_enabled = g_owner && IsWindowEnabled(g_owner);
    g_seen.focus_id = GetDlgCtrlID(GetFocus());
    if (g_seen.key)
        WinapiQueueKey(g_seen.key, 0, FALSE);
    else
        SendMessageA(GetDlgItem(g_seen.box, g_seen.pressed), BM_CLICK, 0, 0);
}

}  // namespace

class MessageBoxTest : public User32Test {
protected:
    void SetUp() override
    {
        User32Test::SetUp();
        g_seen = Seen();
        g_owner = Create("owner");
        WinapiSetIdleHook(Driver);
    }
};

TEST_F(MessageBoxTest, TheBoxIsADialogWithItsTextAndOkButton)
{
    EXPECT_EQ(MessageBoxA(g_owner, "Could not read the file.\nC:\\x", "fvpsetup", MB_OK | MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(g_seen.caption, "fvpsetup");
    EXPECT_EQ(g_seen.text, "Could not read the file.\nC:\\x");
    EXPECT_EQ(g_seen.ok_text, "OK");
    EXPECT_FALSE(g_seen.owner_enabled);
    EXPECT_EQ(g_seen.focus_id, IDOK);
    EXPECT_FALSE(IsWindow(g_seen.box));
    EXPECT_TRUE(IsWindowEnabled(g_owner));
    EXPECT_EQ(GetActiveWindow(), g_owner);
}

TEST_F(MessageBoxTest, WithoutACaptionTheBoxSaysError)
{
    EXPECT_EQ(MessageBoxA(nullptr, "text", nullptr, MB_OK), IDOK);
    EXPECT_EQ(g_seen.caption, "Error");
    EXPECT_TRUE(g_seen.owner_enabled);  // not its owner
}

TEST_F(MessageBoxTest, ButtonsAndKeysGiveTheirIds)
{
    struct Case {
        UINT type;
        int pressed;
        UINT key;
        int expected;
    } cases[] = {
        {MB_OKCANCEL, IDCANCEL, 0, IDCANCEL}, {MB_OKCANCEL, 0, VK_RETURN, IDOK}, {MB_OKCANCEL, 0, VK_ESCAPE, IDCANCEL},
        {MB_OK, 0, VK_ESCAPE, IDOK},          {MB_YESNO, IDNO, 0, IDNO},         {MB_YESNO | MB_DEFBUTTON2, 0, VK_RETURN, IDNO},
    };
    for (const Case &c : cases) {
        g_seen.pressed = c.pressed;
        g_seen.key = c.key;
        EXPECT_EQ(MessageBoxA(g_owner, "question", "caption", c.type), c.expected) << c.type << " " << c.key;
    }
}

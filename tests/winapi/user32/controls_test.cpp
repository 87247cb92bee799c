/* The button control: clicks, check states, the state bits the wizard pages read. */
#include "recorder.h"

namespace {

struct Command {
    int id;
    int code;
    LRESULT check_when_notified;
};

}  // namespace

class ButtonTest : public User32Test {
protected:
    void SetUp() override
    {
        User32Test::SetUp();
        parent_ = Create("parent");
        handler_ = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *) {
            if (message == WM_COMMAND)
                commands_.push_back({LOWORD(wParam), HIWORD(wParam), SendMessageA((HWND)lParam, BM_GETCHECK, 0, 0)});
            return false;
        };
    }

    HWND Button(DWORD type, int id = 1)
    {
        return CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, 0, 0, 50, 14, parent_,
                               (HMENU)(ULONG_PTR)id, nullptr, nullptr);
    }

    HWND parent_;
    std::vector<Command> commands_;
};

TEST_F(ButtonTest, ClickTogglesAnAutomaticCheckBoxBeforeTellingTheParent)
{
    HWND box = Button(BS_AUTOCHECKBOX, 1018);
    SendMessageA(box, BM_CLICK, 0, 0);
    ASSERT_EQ(commands_.size(), 1u);
    EXPECT_EQ(commands_[0].id, 1018);
    EXPECT_EQ(commands_[0].code, BN_CLICKED);
    EXPECT_EQ(commands_[0].check_when_notified, BST_CHECKED);
    // A click also focuses the box.
    EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0), BST_CHECKED | BST_FOCUS);
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    HWND manual = Button(BS_CHECKBOX, 2);
    SendMessageA(manual, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(manual, BM_GETCHECK, 0, 0), BST_UNCHECKED);  // only the parent may check it
    EXPECT_EQ(commands_.size(), 3u);
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicks)
{
    HWND push = Button(BS_PUSHBUTTON);
    EnableWindow(push, FALSE);
    SendMessageA(push, BM_CLICK, 0, 0);
    EXPECT_TRUE(commands_.empty());
    EXPECT_NE(GetFocus(), push);
}

TEST_F(ButtonTest, CheckStatesAreBoundByTheButtonType)
{
    struct Case {
        DWORD type;
        WPARAM set;
        LRESULT expected;
    } cases[] = {
        {BS_AUTOCHECKBOX, BST_CHECKED, BST_CHECKED},     {BS_AUTOCHECKBOX, BST_INDETERMINATE, BST_CHECKED},
        {BS_AUTO3STATE, BST_INDETERMINATE, BST_INDETERMINATE}, {BS_3STATE, 7, BST_INDETERMINATE},
        {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},      {BS_DEFPUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
    };
    for (const Case &c : cases) {
        HWND button = Button(c.type);
        SendMessageA(button, BM_SETCHECK, c.set, 0);
        EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), c.expected) << c.type << " " << c.set;
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & 3, c.expected);
        DestroyWindow(button);
    }
}

TEST_F(ButtonTest, StateBitsCombine)
{
    HWND box = Button(BS_AUTOCHECKBOX);
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(box, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0), BST_CHECKED | BST_PUSHED);
    SetFocus(box);
    EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0), BST_CHECKED | BST_PUSHED | BST_FOCUS);
    SendMessageA(box, BM_SETSTATE, FALSE, 0);
    SetFocus(parent_);
    EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, DialogCodesTellPushButtonsApart)
{
    EXPECT_EQ(SendMessageA(Button(BS_PUSHBUTTON), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(Button(BS_DEFPUSHBUTTON), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(Button(BS_AUTOCHECKBOX), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

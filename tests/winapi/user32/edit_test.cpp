/* The edit control: notifications, typing, limits, and the multi-line box's lines and
 * scrolling. */
#include <string>

#include "recorder.h"

class EditTest : public User32Test {
protected:
    void SetUp() override
    {
        User32Test::SetUp();
        parent_ = Create("parent");
        handler_ = [this](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT *) {
            if (message == WM_COMMAND && HIWORD(wParam) != EN_SETFOCUS && HIWORD(wParam) != EN_KILLFOCUS)
                codes_.push_back(HIWORD(wParam));
            return false;
        };
    }

    HWND Edit(DWORD style, int width = 140, int height = 14)
    {
        return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, width, height, parent_,
                               (HMENU)1006, nullptr, nullptr);
    }

    static std::string Text(HWND hwnd)
    {
        char buffer[256];
        GetWindowTextA(hwnd, buffer, sizeof(buffer));
        return buffer;
    }

    static std::string Line(HWND edit, int line)
    {
        char buffer[256];
        *(WORD *)buffer = sizeof(buffer);
        LRESULT n = SendMessageA(edit, EM_GETLINE, (WPARAM)line, (LPARAM)buffer);
        return std::string(buffer, (size_t)n);
    }

    HWND parent_;
    std::vector<int> codes_;
};

/* Wine's behaviour: WM_SETTEXT reports a change only for a single-line box. */
TEST_F(EditTest, SetTextNotifiesOnlyForSingleLineBoxes)
{
    HWND single = Edit(WS_BORDER | ES_AUTOHSCROLL);
    SetWindowTextA(single, "C:\\Fernvale Patience\\");
    EXPECT_EQ(codes_, (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    DWORD start = 9, end = 9;
    SendMessageA(single, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);

    codes_.clear();
    HWND multi = Edit(ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER, 272, 92);
    SetWindowTextA(multi, "text");
    EXPECT_TRUE(codes_.empty());
    EXPECT_EQ(Text(multi), "text");
}

TEST_F(EditTest, TypingEditsAtTheCaretAndNotifies)
{
    HWND edit = Edit(WS_BORDER | ES_AUTOHSCROLL);
    SetWindowTextA(edit, "Games");
    SendMessageA(edit, EM_SETSEL, 5, 5);
    codes_.clear();
    for (char c : std::string("\\X")) SendMessageA(edit, WM_CHAR, (WPARAM)c, 1);
    EXPECT_EQ(Text(edit), "Games\\X");
    EXPECT_EQ(codes_, (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    SendMessageA(edit, WM_CHAR, '\b', 1);
    SendMessageA(edit, WM_KEYDOWN, VK_HOME, 1);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(Text(edit), "ames\\");
    SendMessageA(edit, EM_SETSEL, 0, -1);  // all of it, replaced by what is typed
    SendMessageA(edit, WM_CHAR, 'D', 1);
    EXPECT_EQ(Text(edit), "D");
    EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));

    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    codes_.clear();
    SendMessageA(edit, WM_CHAR, 'E', 1);
    EXPECT_EQ(Text(edit), "D");
    EXPECT_TRUE(codes_.empty());
}

/* A long folder name scrolls sideways so the caret stays in the box. */
TEST_F(EditTest, SingleLineBoxScrollsToTheCaret)
{
    HWND edit = Edit(WS_BORDER | ES_AUTOHSCROLL);  // 33 characters inside the border
    for (int i = 0; i < 40; i++) SendMessageA(edit, WM_CHAR, 'a' + i % 26, 1);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 8);
    SendMessageA(edit, WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageA(edit, WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 8);
}

TEST_F(EditTest, LimitStopsTypingButNotSetText)
{
    HWND edit = Edit(WS_BORDER);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 30000);
    SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    SetWindowTextA(edit, "abcd");
    EXPECT_EQ(Text(edit), "abcd");
    SendMessageA(edit, EM_SETSEL, 4, 4);
    codes_.clear();
    SendMessageA(edit, WM_CHAR, 'e', 1);
    EXPECT_EQ(Text(edit), "abcd");
    EXPECT_EQ(codes_, (std::vector<int>{EN_MAXTEXT}));
}

/* The licence box: lines end at CR CR LF and CR LF, long lines wrap at the box's width. */
TEST_F(EditTest, MultiLineBoxBreaksAndWrapsLines)
{
    // 272 dialog units wide with a border and a scroll bar: 65 characters a line.
    HWND edit = Edit(ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER, 272, 92);
    RECT r;
    SendMessageA(edit, EM_GETRECT, 0, (LPARAM)&r);
    EXPECT_EQ((r.right - r.left) / 4, 65);
    std::string longline;
    for (int i = 0; i < 12; i++) longline += "word word ";  // 120 characters
    SetWindowTextA(edit, ("Title\r\r\n\tTabbed\r\n" + longline + "\r\r\n\r\r\n").c_str());
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 6);
    EXPECT_EQ(Line(edit, 0), "Title");
    EXPECT_EQ(Line(edit, 1), "\tTabbed");
    EXPECT_EQ(Line(edit, 2), longline.substr(0, 65));  // breaks after the blank that still fits
    EXPECT_EQ(Line(edit, 3), longline.substr(65));
    EXPECT_EQ(Line(edit, 4), "");
    EXPECT_EQ(Line(edit, 5), "");
    EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 1, 0), 8);
    EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 6, 0), -1);
}

TEST_F(EditTest, MultiLineBoxScrollsNoFurtherThanItsLastLine)
{
    // Nine lines show inside the border of a 92 unit high box.
    HWND edit = Edit(ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER, 272, 92);
    std::string text;
    for (int i = 0; i < 20; i++) text += "line " + std::to_string(i) + "\r\r\n";
    SetWindowTextA(edit, text.c_str());  // 21 lines with the empty last one
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageA(edit, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 9);
    SendMessageA(edit, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 12);
    SendMessageA(edit, EM_LINESCROLL, 0, 5);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 12);
    SendMessageA(edit, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 11);
    // New text starts at the top again.
    SetWindowTextA(edit, text.c_str());
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

/* Window objects: creation and destruction order, the tree, window data, focus, enabling. */
#include <algorithm>
#include <string>

#include "recorder.h"

using WindowTest = User32Test;

TEST_F(WindowTest, CreationSendsNcCreateThenCreateWithTheCreationData)
{
    int data = 42;
    void *seen = nullptr;
    handler_ = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT *) {
        if (message == WM_CREATE) seen = ((CREATESTRUCTA *)lParam)->lpCreateParams;
        return false;
    };
    HWND hwnd = CreateWindowExA(0, "Recorder", "title", WS_OVERLAPPEDWINDOW, 1, 2, 30, 40, nullptr, nullptr,
                                nullptr, &data);
    ASSERT_TRUE(hwnd);
    auto order = Recorded({WM_NCCREATE, WM_CREATE});
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{hwnd, WM_NCCREATE}, {hwnd, WM_CREATE}}));
    EXPECT_EQ(seen, &data);
    char text[16];
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "title");
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 5);
    EXPECT_EQ(GetClassNameA(hwnd, text, sizeof(text)), 8);
    EXPECT_STREQ(text, "Recorder");
}

TEST_F(WindowTest, CreationFailsCleanly)
{
    handler_ = [](HWND, UINT message, WPARAM, LPARAM, LRESULT *result) {
        *result = -1;
        return message == WM_CREATE;
    };
    SetLastError(0);
    EXPECT_EQ(Create("refused"), nullptr);
    handler_ = nullptr;

    struct Case {
        const char *class_name;
        DWORD style;
        HWND parent;
        DWORD error;
    } cases[] = {
        {"NoSuchClass", WS_OVERLAPPED, nullptr, 1411},     // ERROR_CLASS_DOES_NOT_EXIST
        {"Recorder", WS_CHILD, nullptr, 1406},             // ERROR_TLW_WITH_WSCHILD
        {"Recorder", WS_CHILD, (HWND)0x7777, 1400},        // ERROR_INVALID_WINDOW_HANDLE
    };
    for (const Case &c : cases) {
        SetLastError(0);
        EXPECT_EQ(CreateWindowExA(0, c.class_name, "", c.style, 0, 0, 1, 1, c.parent, nullptr, nullptr, nullptr),
                  nullptr);
        EXPECT_EQ(GetLastError(), c.error) << c.class_name;
    }
}

/* Owned windows go first; WM_DESTROY runs parent first, WM_NCDESTROY children first. */
TEST_F(WindowTest, DestroyWindowOrder)
{
    HWND parent = Create("parent");
    HWND child = Create("child", WS_CHILD, parent, 1);
    HWND grandchild = Create("grandchild", WS_CHILD, child, 2);
    HWND owned = Create("owned", WS_POPUP, parent);
    log_.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(Recorded({WM_DESTROY, WM_NCDESTROY}), (std::vector<std::pair<HWND, UINT>>{
                                                        {owned, WM_DESTROY},
                                                        {owned, WM_NCDESTROY},
                                                        {parent, WM_DESTROY},
                                                        {child, WM_DESTROY},
                                                        {grandchild, WM_DESTROY},
                                                        {grandchild, WM_NCDESTROY},
                                                        {child, WM_NCDESTROY},
                                                        {parent, WM_NCDESTROY},
                                                    }));
    for (HWND h : {parent, child, grandchild, owned}) EXPECT_FALSE(IsWindow(h));
    // A new window may reuse the storage, never the handle.
    HWND again = Create("again");
    for (HWND h : {parent, child, grandchild, owned}) EXPECT_NE(again, h);
    EXPECT_FALSE(IsWindow(parent));
    SetLastError(0);
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_EQ(GetLastError(), 1400u);
}

TEST_F(WindowTest, TreeQueries)
{
    HWND top = Create("top");
    HWND first = Create("first", WS_CHILD, top, 10);
    HWND inner = Create("inner", WS_CHILD, first, 11);
    HWND second = Create("second", WS_CHILD, top, 12);
    HWND popup = Create("popup", WS_POPUP, first);  // owned by the top-level window

    EXPECT_EQ(GetParent(first), top);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(GetParent(popup), top);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
    EXPECT_EQ(GetWindow(top, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_FALSE(IsChild(top, popup));
    EXPECT_EQ(GetDlgItem(top, 12), second);
    EXPECT_EQ(GetDlgItem(top, 11), nullptr);  // only direct children
    EXPECT_EQ(GetDlgCtrlID(second), 12);

    std::vector<HWND> children;
    EnumChildWindows(
        top, [](HWND h, LPARAM l) { ((std::vector<HWND> *)l)->push_back(h); return TRUE; }, (LPARAM)&children);
    EXPECT_EQ(children, (std::vector<HWND>{first, inner, second}));
    std::vector<HWND> tops;
    EnumWindows([](HWND h, LPARAM l) { ((std::vector<HWND> *)l)->push_back(h); return TRUE; }, (LPARAM)&tops);
    EXPECT_NE(std::find(tops.begin(), tops.end(), popup), tops.end());
    EXPECT_EQ(std::find(tops.begin(), tops.end(), first), tops.end());

    DWORD pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(inner, &pid), GetCurrentThreadId());
    EXPECT_EQ(pid, GetCurrentProcessId());
}

TEST_F(WindowTest, WindowDataAndSubclassing)
{
    static WNDPROC original;
    static int subclass_calls;
    subclass_calls = 0;
    HWND hwnd = Create("w");
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION, (LONG)WS_CAPTION);

    original = (WNDPROC)SetWindowLongPtrA(
        hwnd, GWLP_WNDPROC, (LONG_PTR)(WNDPROC)[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_APP) subclass_calls++;
            return CallWindowProcA(original, h, m, w, l);
        });
    log_.clear();
    SendMessageA(hwnd, WM_APP, 0, 0);
    EXPECT_EQ(subclass_calls, 1);
    EXPECT_EQ(Recorded({WM_APP}).size(), 1u);  // the original procedure still runs

    log_.clear();
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_DISABLED);
    EXPECT_EQ(Recorded({WM_STYLECHANGING, WM_STYLECHANGED}).size(), 2u);
    EXPECT_FALSE(IsWindowEnabled(hwnd));

    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, 0), 0);  // the class has no extra bytes
    EXPECT_EQ(GetLastError(), 1413u);          // ERROR_INVALID_INDEX

    EXPECT_TRUE(SetPropA(hwnd, "Sheet", (HANDLE)0x55));
    EXPECT_EQ(GetPropA(hwnd, "sheet"), (HANDLE)0x55);
    EXPECT_EQ(RemovePropA(hwnd, "Sheet"), (HANDLE)0x55);
    EXPECT_EQ(GetPropA(hwnd, "Sheet"), nullptr);
}

TEST_F(WindowTest, FocusMovesWithKillFocusBeforeSetFocus)
{
    HWND top = Create("top");
    HWND a = Create("a", WS_CHILD | WS_VISIBLE, top, 1);
    HWND b = Create("b", WS_CHILD | WS_VISIBLE, top, 2);
    SetFocus(a);
    log_.clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0].hwnd, a);
    EXPECT_EQ(log_[0].message, (UINT)WM_KILLFOCUS);
    EXPECT_EQ((HWND)log_[0].wParam, b);
    EXPECT_EQ(log_[1].hwnd, b);
    EXPECT_EQ(log_[1].message, (UINT)WM_SETFOCUS);
    EXPECT_EQ((HWND)log_[1].wParam, a);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(GetActiveWindow(), top);

    // A disabled window cannot take the focus; disabling the focus window loses it.
    EXPECT_FALSE(EnableWindow(a, FALSE));
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_EQ(GetFocus(), b);
    log_.clear();
    EXPECT_FALSE(EnableWindow(b, FALSE));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(Recorded({WM_KILLFOCUS, WM_ENABLE}),
              (std::vector<std::pair<HWND, UINT>>{{b, WM_KILLFOCUS}, {b, WM_ENABLE}}));
    EXPECT_TRUE(EnableWindow(b, TRUE));  // it was disabled
    EXPECT_TRUE(IsWindowEnabled(b));

    // When the focus window goes away, its parent takes the focus.
    SetFocus(b);
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(WindowTest, VisibilityFollowsTheParents)
{
    HWND top = Create("top", WS_OVERLAPPEDWINDOW);
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, top, 1);
    EXPECT_FALSE(IsWindowVisible(child));
    log_.clear();
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(Recorded({WM_SHOWWINDOW}), (std::vector<std::pair<HWND, UINT>>{{top, WM_SHOWWINDOW}}));
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST_F(WindowTest, GeometryInScreenAndClientCoordinates)
{
    HWND top = CreateWindowExA(0, "Recorder", "", WS_POPUP, 10, 20, 200, 100, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "Recorder", "", WS_CHILD, 5, 6, 50, 40, top, nullptr, nullptr, nullptr);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.right, 65);
    EXPECT_EQ(r.bottom, 66);
    GetClientRect(child, &r);
    EXPECT_EQ(r.right, 50);
    EXPECT_EQ(r.bottom, 40);
    POINT p = {15, 26};
    ScreenToClient(child, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);

    log_.clear();
    MoveWindow(child, 1, 2, 30, 20, TRUE);
    EXPECT_EQ(Recorded({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              (std::vector<std::pair<HWND, UINT>>{
                  {child, WM_WINDOWPOSCHANGING}, {child, WM_WINDOWPOSCHANGED}, {child, WM_MOVE}, {child, WM_SIZE}}));
    POINT q = {0, 0};
    MapWindowPoints(child, top, &q, 1);
    EXPECT_EQ(q.x, 1);
    EXPECT_EQ(q.y, 2);
}

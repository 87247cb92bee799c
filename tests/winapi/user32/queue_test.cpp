/* The order in which the queue hands out messages, and what posting means. */
#include <string>

#include "recorder.h"

using QueueTest = User32Test;

namespace {

std::string TextOf(HWND hwnd)
{
    char buffer[64];
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

}  // namespace

/* What a wizard page relies on when it posts PSM_SETWIZBUTTONS from its activation handler. */
TEST_F(QueueTest, PostedMessageIsHandledOnlyAfterTheCurrentHandlerReturns)
{
    HWND hwnd = Create("before");
    std::string seen_in_handler;
    handler_ = [&](HWND h, UINT message, WPARAM, LPARAM, LRESULT *) {
        if (message == WM_APP) {
            PostMessageA(h, WM_APP + 1, 0, 0);
            seen_in_handler = TextOf(h);
            return true;
        }
        if (message == WM_APP + 1) {
            SetWindowTextA(h, "after");
            return true;
        }
        return false;
    };
    SendMessageA(hwnd, WM_APP, 0, 0);
    EXPECT_EQ(seen_in_handler, "before");
    EXPECT_EQ(TextOf(hwnd), "before");
    Pump();
    EXPECT_EQ(TextOf(hwnd), "after");
}

/* Posted messages in their order, then WM_QUIT, then WM_PAINT, then WM_TIMER: Wine's order. */
TEST_F(QueueTest, PostedThenQuitThenPaintThenTimer)
{
    HWND hwnd = Create("w");
    Pump();
    ASSERT_EQ(SetTimer(hwnd, 5, USER_TIMER_MINIMUM, nullptr), 5u);
    Sleep(30);
    InvalidateRect(hwnd, nullptr, TRUE);
    PostMessageA(hwnd, WM_APP + 2, 0, 0);
    PostQuitMessage(3);
    PostMessageA(hwnd, WM_APP + 3, 0, 0);

    std::vector<UINT> order;
    MSG msg;
    while (order.size() < 5 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        if (msg.message == WM_QUIT) {
            EXPECT_EQ(msg.wParam, 3u);
        }
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_APP + 2, WM_APP + 3, WM_QUIT, WM_PAINT, WM_TIMER}));
}

TEST_F(QueueTest, PaintComesOncePerInvalidationAndNeverForHiddenWindows)
{
    HWND shown = Create("shown");
    HWND hidden = Create("hidden", WS_OVERLAPPEDWINDOW);
    Pump();
    // A handler that does not validate still gets one WM_PAINT, not an endless stream.
    handler_ = [](HWND, UINT message, WPARAM, LPARAM, LRESULT *result) {
        *result = 0;
        return message == WM_PAINT;
    };
    log_.clear();
    InvalidateRect(shown, nullptr, FALSE);
    InvalidateRect(shown, nullptr, FALSE);
    InvalidateRect(hidden, nullptr, FALSE);
    Pump();
    EXPECT_EQ(Recorded({WM_PAINT}), (std::vector<std::pair<HWND, UINT>>{{shown, WM_PAINT}}));
}

TEST_F(QueueTest, PaintGoesToParentsBeforeChildrenAndUpdateWindowPaintsAtOnce)
{
    HWND parent = Create("parent");
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, parent, 1);
    Pump();
    log_.clear();
    InvalidateRect(parent, nullptr, TRUE);  // no WS_CLIPCHILDREN: the child is invalidated too
    Pump();
    EXPECT_EQ(Recorded({WM_PAINT}), (std::vector<std::pair<HWND, UINT>>{{parent, WM_PAINT}, {child, WM_PAINT}}));

    log_.clear();
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    EXPECT_EQ(Recorded({WM_PAINT}), (std::vector<std::pair<HWND, UINT>>{{child, WM_PAINT}}));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(QueueTest, PeekMessageFiltersByWindowAndRange)
{
    HWND a = Create("a");
    HWND child = Create("child", WS_CHILD, a, 1);
    HWND b = Create("b");
    Pump();
    PostMessageA(b, WM_APP, 0, 0);
    PostMessageA(child, WM_APP + 1, 0, 0);
    PostMessageA(nullptr, WM_APP + 2, 0, 0);
    PostMessageA(a, WM_USER, 0, 0);

    MSG msg;
    // A window filter also takes the messages of the window's children.
    ASSERT_TRUE(PeekMessageA(&msg, a, WM_APP, WM_APP + 10, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, child);
    EXPECT_EQ(msg.message, (UINT)WM_APP + 1);
    ASSERT_TRUE(PeekMessageA(&msg, (HWND)-1, 0, 0, PM_REMOVE));  // thread messages only
    EXPECT_EQ(msg.message, (UINT)WM_APP + 2);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    // PM_NOREMOVE left the rest in their order.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, child);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, MessagesOfADestroyedWindowAreDropped)
{
    HWND hwnd = Create("w");
    PostMessageA(hwnd, WM_APP, 0, 0);
    DestroyWindow(hwnd);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE));
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(hwnd, WM_APP, 0, 0));
    EXPECT_EQ(GetLastError(), 1400u);  // ERROR_INVALID_WINDOW_HANDLE
}

TEST_F(QueueTest, GetMessageRunsTheIdleHookWhileWaiting)
{
    static int calls;
    calls = 0;
    WinapiSetIdleHook([] {
        if (++calls == 3) PostQuitMessage(7);
    });
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(calls, 3);
}

TEST_F(QueueTest, KeysGoToTheFocusAndTranslateToTheirCharacter)
{
    HWND top = Create("top");
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, top, 1);
    SetFocus(child);
    Pump();
    log_.clear();
    WinapiQueueKey(0xBA, ':', TRUE);
    Pump();
    std::vector<Received> keys;
    for (const Received &r : log_)
        if (r.message == WM_KEYDOWN || r.message == WM_CHAR || r.message == WM_KEYUP) keys.push_back(r);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].message, (UINT)WM_KEYDOWN);
    EXPECT_EQ(keys[1].message, (UINT)WM_CHAR);
    EXPECT_EQ(keys[1].wParam, (WPARAM)':');
    EXPECT_EQ(keys[2].message, (UINT)WM_KEYUP);
    for (const Received &r : keys) EXPECT_EQ(r.hwnd, child);

    // A key-down the program posts itself types the key's own character.
    MSG posted = {child, WM_KEYDOWN, 'Q', 1, 0, {0, 0}};
    EXPECT_TRUE(TranslateMessage(&posted));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_CHAR);
    EXPECT_EQ(msg.wParam, (WPARAM)'q');
}

using QueueDeathTest = User32Test;

TEST_F(QueueDeathTest, WaitingForAMessageThatCannotComeEndsTheProgram)
{
    MSG msg;
    EXPECT_EXIT(GetMessageA(&msg, nullptr, 0, 0), ::testing::ExitedWithCode(1), "waits for a message that cannot come");
}

TEST_F(QueueDeathTest, AWindowWithoutADisplayEndsTheProgram)
{
    EXPECT_STREQ(WinapiGetDisplayName(), "headless");
    EXPECT_EXIT(
        {
            WinapiUseDisplay(nullptr);
            Create("w");
        },
        ::testing::ExitedWithCode(1), "no display is available");
}

/* Timers: ids, replacement, killing, timer procedures, and re-entry through a message pump. */
#include "recorder.h"

using TimerTest = User32Test;

namespace {

/* Takes and dispatches messages until `done` holds, for at most two seconds. */
template <typename Done>
bool PumpUntil(Done done)
{
    DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > 2000) return false;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        else Sleep(1);
    }
    return true;
}

}  // namespace

/* The installation runs inside a WM_TIMER handler whose decompressor pumps messages: timers
 * must keep firing inside it. */
TEST_F(TimerTest, TimerFiresInAPeekMessagePumpInsideATimerHandler)
{
    HWND hwnd = Create("w");
    int depth = 0, inner_depth = 0;
    bool inner_done = false;
    handler_ = [&](HWND h, UINT message, WPARAM id, LPARAM, LRESULT *) {
        if (message != WM_TIMER) return false;
        depth++;
        if (id == 1) {
            KillTimer(h, 1);
            SetTimer(h, 2, USER_TIMER_MINIMUM, nullptr);
            PumpUntil([&] { return inner_done; });
        } else if (id == 2) {
            KillTimer(h, 2);
            inner_depth = depth;
            inner_done = true;
        }
        depth--;
        return true;
    };
    SetTimer(hwnd, 1, USER_TIMER_MINIMUM, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return inner_done; }));
    EXPECT_EQ(inner_depth, 2);
}

TEST_F(TimerTest, SetTimerWithTheSameIdReplacesTheTimer)
{
    HWND hwnd = Create("w");
    Pump();
    EXPECT_EQ(SetTimer(hwnd, 7, 100000, nullptr), 7u);
    EXPECT_EQ(SetTimer(hwnd, 7, USER_TIMER_MINIMUM, nullptr), 7u);
    int fired = 0;
    handler_ = [&](HWND, UINT message, WPARAM id, LPARAM, LRESULT *) {
        if (message == WM_TIMER && id == 7) fired++;
        return message == WM_TIMER;
    };
    EXPECT_TRUE(PumpUntil([&] { return fired > 0; }));

    EXPECT_TRUE(KillTimer(hwnd, 7));
    EXPECT_FALSE(KillTimer(hwnd, 7));
    fired = 0;
    Sleep(3 * USER_TIMER_MINIMUM);
    Pump();
    EXPECT_EQ(fired, 0);
}

TEST_F(TimerTest, DispatchCallsTheTimerProcedure)
{
    static HWND called_for;
    static UINT_PTR called_id;
    called_for = nullptr;
    called_id = 0;
    TIMERPROC proc = [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        called_for = hwnd;
        called_id = id;
    };
    HWND hwnd = Create("w");
    Pump();
    SetTimer(hwnd, 3, USER_TIMER_MINIMUM, proc);
    Sleep(2 * USER_TIMER_MINIMUM);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_TIMER);
    EXPECT_EQ(msg.lParam, (LPARAM)proc);
    log_.clear();
    DispatchMessageA(&msg);
    EXPECT_EQ(called_for, hwnd);
    EXPECT_EQ(called_id, 3u);
    EXPECT_TRUE(Recorded({WM_TIMER}).empty());  // the procedure, not the window, got it
    KillTimer(hwnd, 3);

    // A thread timer gets an id of its own.
    UINT_PTR id = SetTimer(nullptr, 0, 50, proc);
    UINT_PTR other = SetTimer(nullptr, 0, 50, proc);
    EXPECT_NE(id, 0u);
    EXPECT_NE(other, id);
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_TRUE(KillTimer(nullptr, other));
}

TEST_F(TimerTest, TimersOfADestroyedWindowStop)
{
    HWND hwnd = Create("w");
    SetTimer(hwnd, 1, USER_TIMER_MINIMUM, nullptr);
    DestroyWindow(hwnd);
    Sleep(2 * USER_TIMER_MINIMUM);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    SetLastError(0);
    EXPECT_EQ(SetTimer(hwnd, 1, USER_TIMER_MINIMUM, nullptr), 0u);
    EXPECT_EQ(GetLastError(), 6u);  // ERROR_INVALID_HANDLE, as Wine reports it
}

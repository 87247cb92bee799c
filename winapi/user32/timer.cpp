/* Window and thread timers. A timer only records when it is next due; the queue makes its
 * WM_TIMER when nothing else is waiting, and reschedules it when the message is taken. */
#include "queue_private.h"

namespace user32 {

void RecomputeNextDue()
{
    Queue &q = TheQueue();
    q.next_due = UINT64_MAX;
    for (const Timer &t : q.timers)
        if (t.due < q.next_due) q.next_due = t.due;
}

}  // namespace user32

using namespace user32;

static Timer *FindTimer(HWND hwnd, UINT_PTR id)
{
    for (Timer &t : TheQueue().timers)
        if (t.hwnd == hwnd && t.id == id) return &t;
    return nullptr;
}

/***********************************************************************
 *              SetTimer
 *
 * A window timer keeps the caller's id and replaces a timer of the same window and id; a
 * thread timer (no window) gets a new id unless the given one names a thread timer already.
 */
extern "C" UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (hwnd && !FromHandle(hwnd)) {
        SetLastError(ERROR_INVALID_HANDLE);  // what Wine reports for a window that is gone
        return 0;
    }
    if (elapse < USER_TIMER_MINIMUM) elapse = USER_TIMER_MINIMUM;
    if (elapse > USER_TIMER_MAXIMUM) elapse = USER_TIMER_MAXIMUM;
    Queue &q = TheQueue();
    uint64_t due = NowMs() + elapse;
    Timer *t = FindTimer(hwnd, id);
    if (!hwnd && !t) {
        static UINT_PTR next_thread_id = 0x7FFF;
        do id = next_thread_id++; while (FindTimer(nullptr, id) || !id);
    }
    if (t) {
        t->period = elapse;
        t->proc = proc;
        t->due = due;
    } else {
        q.timers.push_back({hwnd, id, elapse, proc, due});
    }
    RecomputeNextDue();
    return id ? id : 1;
}

/***********************************************************************
 *              KillTimer
 */
extern "C" BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id)
{
    if (hwnd && !FromHandle(hwnd)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Queue &q = TheQueue();
    for (auto it = q.timers.begin(); it != q.timers.end(); ++it) {
        if (it->hwnd != hwnd || it->id != id) continue;
        q.timers.erase(it);
        RecomputeNextDue();
        return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

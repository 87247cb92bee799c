/* The message queue. Posted messages come first, then WM_QUIT, then input, then WM_PAINT for
 * a window with an update region, then WM_TIMER for a timer that is due: the platform's order.
 * WM_PAINT and WM_TIMER are made when asked for, never stored. An empty queue costs a few
 * comparisons and, only while timers exist, one read of the monotonic clock. */
#include "queue_private.h"

#include <time.h>

namespace user32 {

Queue &TheQueue()
{
    static Queue queue;
    return queue;
}

uint64_t NowMs()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000 + (uint64_t)ts.tv_nsec / 1000000;
}

DWORD TickCount()
{
    return (DWORD)NowMs();
}

void QueueAddPaint()
{
    TheQueue().paints++;
}

void QueueRemovePaint()
{
    TheQueue().paints--;
}

void QueueRemoveWindow(HWND hwnd)
{
    Queue &q = TheQueue();
    for (auto it = q.posted.begin(); it != q.posted.end();)
        it = it->hwnd == hwnd ? q.posted.erase(it) : it + 1;
    size_t before = q.timers.size();
    for (auto it = q.timers.begin(); it != q.timers.end();)
        it = it->hwnd == hwnd ? q.timers.erase(it) : it + 1;
    if (q.timers.size() != before) RecomputeNextDue();
}

namespace {

bool MatchesWindow(HWND hwnd, HWND filter)
{
    if (!filter) return true;
    if (filter == (HWND)-1) return hwnd == nullptr;
    if (hwnd == filter) return true;
    Window *f = FromHandle(filter);
    Window *w = FromHandle(hwnd);
    return f && w && IsAncestor(f, w);
}

bool MatchesRange(UINT message, UINT first, UINT last)
{
    if (!first && !last) return true;
    return message >= first && message <= last;
}

void Fill(MSG *msg, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    msg->hwnd = hwnd;
    msg->message = message;
    msg->wParam = wParam;
    msg->lParam = lParam;
    msg->time = TickCount();
    msg->pt.x = msg->pt.y = 0;
}

/* Parents before their children, top-level windows in z-order, as the platform paints. */
Window *FindPaint(Window *w)
{
    if (w->needs_paint && IsEffectivelyVisible(w)) return w;
    for (Window *child : w->children)
        if (Window *found = FindPaint(child)) return found;
    return nullptr;
}

bool TakePosted(Queue &q, MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!MatchesWindow(it->hwnd, filter) || !MatchesRange(it->message, first, last)) continue;
        *msg = *it;
        if (remove) q.posted.erase(it);
        return true;
    }
    return false;
}

bool TakeInput(Queue &q, MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    while (!q.input.empty()) {
        // Keys go to the window that has the focus when they are taken, else the active one.
        HWND target = GetFocus();
        if (!target) target = GetActiveWindow();
        if (!target) {
            q.input.pop_front();
            continue;
        }
        const Input &in = q.input.front();
        if (!MatchesWindow(target, filter) || !MatchesRange(in.message, first, last)) return false;
        Fill(msg, target, in.message, in.wParam, in.lParam);
        if (remove) {
            // The display reports Shift with each key, so it is up again once the key is.
            q.shift = in.shift && in.message != WM_KEYUP;
            if (in.message == WM_KEYDOWN) {
                q.last_key = *msg;
                q.last_char = in.ch;
            }
            q.input.pop_front();
        }
        return true;
    }
    return false;
}

bool TakePaint(MSG *msg, HWND filter)
{
    Window *root = filter && filter != (HWND)-1 ? FromHandle(filter) : Desktop();
    Window *w = root ? FindPaint(root) : nullptr;
    if (!w) return false;
    Fill(msg, w->handle, WM_PAINT, 0, 0);
    return true;
}

bool TakeTimer(Queue &q, MSG *msg, HWND filter, bool remove)
{
    uint64_t now = NowMs();
    if (now < q.next_due) return false;
    for (Timer &t : q.timers) {
        if (t.due > now || !MatchesWindow(t.hwnd, filter)) continue;
        Fill(msg, t.hwnd, WM_TIMER, t.id, (LPARAM)t.proc);
        if (remove) {
            t.due = now + t.period;
            RecomputeNextDue();
        }
        return true;
    }
    return false;
}

bool Take(MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    Queue &q = TheQueue();
    if (!q.posted.empty() && TakePosted(q, msg, filter, first, last, remove)) return true;
    if (q.quit) {
        // WM_QUIT comes whatever the filter asks for.
        Fill(msg, nullptr, WM_QUIT, (WPARAM)q.quit_code, 0);
        if (remove) q.quit = false;
        return true;
    }
    if (!q.input.empty() && TakeInput(q, msg, filter, first, last, remove)) return true;
    if (q.paints && MatchesRange(WM_PAINT, first, last) && TakePaint(msg, filter)) return true;
    if (!q.timers.empty() && MatchesRange(WM_TIMER, first, last) && TakeTimer(q, msg, filter, remove))
        return true;
    return false;
}

bool HasFilterWindow(HWND filter)
{
    return filter && filter != (HWND)-1;
}

/* Nothing to take: let the idle hook run, then wait for input, the next timer, or the few
 * milliseconds after which the hook wants to run again. */
void WaitForWork()
{
    Queue &q = TheQueue();
    const DWORD kIdleHookPeriodMs = 5;
    DWORD timeout = INFINITE;
    if (!q.timers.empty()) {
        uint64_t now = NowMs();
        uint64_t wait = q.next_due > now ? q.next_due - now : 1;
        timeout = wait < 0x7FFFFFFF ? (DWORD)wait : 0x7FFFFFFF;
    }
    if (q.idle_hook && timeout > kIdleHookPeriodMs) timeout = kIdleHookPeriodMs;
    if (!Display()->Wait(timeout))
        Fatal("the program waits for a message that cannot come (no window message, timer, input or idle hook)");
}

bool RunIdleHook()
{
    Queue &q = TheQueue();
    if (!q.idle_hook) return false;
    q.idle_hook();
    return true;
}

}  // namespace

void RunModalLoop(HWND dialog, bool (*ended)(HWND))
{
    MSG msg;
    while (FromHandle(dialog) && !ended(dialog)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage((int)msg.wParam);  // the caller's loop ends too
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

}  // namespace user32

using namespace user32;

/***********************************************************************
 *              PeekMessageA
 */
extern "C" BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT flags)
{
    if (HasFilterWindow(hwnd) && !ValidWindow(hwnd)) return FALSE;
    bool remove = (flags & PM_REMOVE) != 0;
    if (Take(msg, hwnd, first, last, remove)) return TRUE;
    Display()->Poll();
    Queue &q = TheQueue();
    if (q.input.empty() && q.posted.empty()) return FALSE;
    return Take(msg, hwnd, first, last, remove);
}

/***********************************************************************
 *              GetMessageA
 */
extern "C" BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last)
{
    RequireDisplay();
    if (HasFilterWindow(hwnd) && !ValidWindow(hwnd)) return -1;
    for (;;) {
        if (PeekMessageA(msg, hwnd, first, last, PM_REMOVE)) return msg->message != WM_QUIT;
        if (RunIdleHook() && PeekMessageA(msg, hwnd, first, last, PM_REMOVE)) return msg->message != WM_QUIT;
        WaitForWork();
    }
}

/***********************************************************************
 *              WaitMessage
 */
extern "C" BOOL WINAPI WaitMessage(void)
{
    RequireDisplay();
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
        if (RunIdleHook() && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
        WaitForWork();
    }
}

/***********************************************************************
 *              PostMessageA
 */
extern "C" BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !ValidWindow(hwnd)) return FALSE;
    MSG msg;
    Fill(&msg, hwnd, message, wParam, lParam);
    TheQueue().posted.push_back(msg);
    return TRUE;
}

/***********************************************************************
 *              PostQuitMessage
 */
extern "C" VOID WINAPI PostQuitMessage(int exit_code)
{
    Queue &q = TheQueue();
    q.quit = true;
    q.quit_code = exit_code;
}

/***********************************************************************
 *              SendMessageA
 *
 * One thread: a sent message is a direct call of the window procedure.
 */
extern "C" LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return 0;
    return w->proc(hwnd, message, wParam, lParam);
}

/***********************************************************************
 *              CallWindowProcA
 */
extern "C" LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!proc) return 0;
    return proc(hwnd, message, wParam, lParam);
}

/***********************************************************************
 *              DispatchMessageA
 */
extern "C" LRESULT WINAPI DispatchMessageA(const MSG *msg)
{
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Only a live timer's procedure is called, never an arbitrary posted address.
        for (const Timer &t : TheQueue().timers) {
            if (t.hwnd == msg->hwnd && t.id == msg->wParam && (LPARAM)t.proc == msg->lParam) {
                t.proc(msg->hwnd, WM_TIMER, msg->wParam, TickCount());
                return 0;
            }
        }
    }
    if (!msg->hwnd) return 0;
    Window *w = ValidWindow(msg->hwnd);
    if (!w) return 0;
    LRESULT result = w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // A WM_PAINT handler that did not validate must not make the queue spin on WM_PAINT.
    if (msg->message == WM_PAINT && (w = FromHandle(msg->hwnd)) && w->needs_paint) ValidateRect(msg->hwnd, nullptr);
    return result;
}

/***********************************************************************
 *              TranslateMessage
 *
 * A key-down taken from the display's input types the character the display gave with it;
 * a key-down posted by the program types what the key types without modifiers.
 */
extern "C" BOOL WINAPI TranslateMessage(const MSG *msg)
{
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    Queue &q = TheQueue();
    CHAR ch = 0;
    const MSG &k = q.last_key;
    if (k.hwnd == msg->hwnd && k.wParam == msg->wParam && k.lParam == msg->lParam && k.time == msg->time) {
        ch = q.last_char;
    } else {
        UINT vk = (UINT)msg->wParam;
        if (vk >= 'A' && vk <= 'Z') ch = (CHAR)(q.shift ? vk : vk - 'A' + 'a');
        else if ((vk >= '0' && vk <= '9') || vk == VK_SPACE) ch = (CHAR)vk;
        else if (vk == VK_RETURN) ch = '\r';
        else if (vk == VK_BACK) ch = '\b';
        else if (vk == VK_TAB) ch = '\t';
        else if (vk == VK_ESCAPE) ch = 27;
    }
    if (!ch) return FALSE;
    PostMessageA(msg->hwnd, WM_CHAR, (WPARAM)(BYTE)ch, msg->lParam);
    return TRUE;
}

/***********************************************************************
 *              GetKeyState
 */
extern "C" SHORT WINAPI GetKeyState(int vk)
{
    if (vk == VK_SHIFT && TheQueue().shift) return (SHORT)0x8000;
    return 0;
}

/* Keys from the display. */
extern "C" void WinapiQueueKey(UINT vk, CHAR ch, BOOL shift)
{
    Queue &q = TheQueue();
    q.input.push_back({WM_KEYDOWN, vk, 1, ch, shift != FALSE});
    q.input.push_back({WM_KEYUP, vk, (LPARAM)(DWORD)0xC0000001, 0, shift != FALSE});
}

extern "C" void WinapiSetIdleHook(void (*hook)(void))
{
    TheQueue().idle_hook = hook;
}

/* The thread's message queue: posted messages, input from the display, the quit flag, the
 * count of windows waiting for WM_PAINT and the timers, in the order the platform takes them. */
#ifndef WINAPI_USER32_QUEUE_PRIVATE_H
#define WINAPI_USER32_QUEUE_PRIVATE_H

#include "user32_private.h"

namespace user32 {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    TIMERPROC proc;
    uint64_t due;  // milliseconds on the monotonic clock
};

struct Input {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CHAR ch;
    bool shift;
};

struct Queue {
    std::deque<MSG> posted;
    std::deque<Input> input;
    bool quit = false;
    int quit_code = 0;
    int paints = 0;  // windows with an update region
    std::vector<Timer> timers;
    uint64_t next_due = UINT64_MAX;
    void (*idle_hook)(void) = nullptr;
    bool shift = false;     // keyboard state of the input message being handled
    MSG last_key = {};      // the last key-down taken from the input, and what it types
    CHAR last_char = 0;
};

Queue &TheQueue();
uint64_t NowMs();
void RecomputeNextDue();

}  // namespace user32

#endif

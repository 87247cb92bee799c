#include "tty.h"

#include <curses.h>
#include <errno.h>
#include <poll.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>

#include "geometry.h"
#include "keys.h"
#include "scene.h"
#include "terminal.h"

namespace {

bool opened;
bool input_ready;         // Wait saw input (or a signal such as a resize) that Poll must read
uint64_t next_key_check;  // while the program is busy, keys are looked for this often
uint64_t next_draw;       // and the screen follows its changes this often
const uint64_t kKeyCheckMs = 20;
const uint64_t kDrawMs = 20;

uint64_t CoarseNowMs()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return (uint64_t)ts.tv_sec * 1000 + (uint64_t)ts.tv_nsec / 1000000;
}

void Open(void)
{
    if (opened) return;
    if (!tty::TerminalOpen()) exit(1);
    opened = true;
    tty::SceneChangedAll();
}

void WindowChanged(HWND hwnd)
{
    tty::SceneChanged(hwnd);
}

void Draw(uint64_t now)
{
    tty::SceneDraw();
    next_draw = now + kDrawMs;
}

/* Called on every empty look at the queue, also between the blocks of a long copy: then only
 * the clock is read, the keyboard looked at and the screen brought up to date every few
 * milliseconds. Once the program waits, Wait draws at once. */
void Poll(void)
{
    if (!opened) return;
    uint64_t now = CoarseNowMs();
    if (input_ready || now >= next_key_check) {
        input_ready = false;
        next_key_check = now + kKeyCheckMs;
        if (tty::ReadKeys()) tty::SceneChangedAll();
    }
    if (now >= next_draw && tty::SceneHasChanges()) Draw(now);
}

BOOL Wait(DWORD timeout_ms)
{
    if (!opened) return FALSE;
    if (input_ready) return TRUE;
    if (tty::SceneHasChanges()) Draw(CoarseNowMs());
    struct pollfd input = {tty::TerminalInput(), POLLIN, 0};
    int ready = poll(&input, 1, timeout_ms == INFINITE ? -1 : (int)timeout_ms);
    // A signal (the terminal's resize) ends the wait too; curses reports it as a key.
    if (ready > 0 || (ready < 0 && errno == EINTR)) input_ready = true;
    return TRUE;
}

void GetScreenSize(SIZE *size)
{
    int columns = opened ? COLS : 80, lines = opened ? LINES : 24;
    size->cx = columns * tty::kCellWidth;
    size->cy = lines * tty::kCellHeight;
}

}  // namespace

extern const WinapiDisplay winapi_tty_display = {"tty", Open, WindowChanged, Poll, Wait, GetScreenSize};

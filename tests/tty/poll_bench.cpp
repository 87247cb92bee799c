// What the terminal display costs a busy program: one empty look at the queue (PeekMessageA,
// which lets the display poll) with nothing changed, against one 4096-byte step of inflate,
// the unit between two looks while files are copied; and the redraw of one changed control. It takes over the
// terminal, so run it in one, e.g.  script -qec tests/tty/tty_poll_bench /dev/null
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <windows.h>
#include <zlib.h>

#include <vector>

#include "display.h"
#include "winapi_linux.h"

static double NowNs()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e9 + ts.tv_nsec;
}

// A page of controls such as the wizard shows, drawn once before the measure; its check box
// is the control that changes.
static HWND check_box;

static HWND ShowDialog()
{
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, WC_DIALOG, "Bench", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0,
                                  286, 160, nullptr, nullptr, nullptr, nullptr);
    const struct {
        const char *cls, *text;
        DWORD style;
        int x, y, cx, cy;
    } controls[] = {
        {"Static", "Please wait a moment while we install the game; this text wraps at its width.", 0, 7, 22, 196, 28},
        {"Edit", "C:\\Fernvale Patience\\", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 7, 74, 140, 14},
        {"Button", "Add a shortcut to your desktop", BS_AUTOCHECKBOX | WS_TABSTOP, 35, 95, 168, 10},
        {"Button", "&Next >", BS_DEFPUSHBUTTON | WS_TABSTOP, 160, 139, 55, 14},
    };
    for (const auto &c : controls) {
        HWND control = CreateWindowExA(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.cx, c.cy,
                                       dialog, nullptr, nullptr, nullptr);
        if (strcmp(c.cls, "Button") == 0 && (c.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) check_box = control;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return dialog;
}

static double EmptyPeekNs()
{
    const int kLooks = 2000000;
    MSG msg;
    double start = NowNs();
    for (int i = 0; i < kLooks; i++) PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    return (NowNs() - start) / kLooks;
}

// One control changed: the redraw of its cells, as the display makes it once the program
// waits (or every few milliseconds while it is busy).
static double ChangedCheckBoxNs()
{
    const WinapiDisplay *tty = WinapiFindDisplay("tty");
    const int kChanges = 20000;
    double start = NowNs();
    for (int i = 0; i < kChanges; i++) {
        SendMessageA(check_box, BM_SETCHECK, i % 2 ? BST_UNCHECKED : BST_CHECKED, 0);
        tty->Wait(0);
    }
    return (NowNs() - start) / kChanges;
}

// Text-like data, compressed at the highest level as the payload is.
static double InflateStepNs()
{
    std::vector<unsigned char> data(8 << 20);
    unsigned state = 1;
    const char *words[] = {"card ", "patience ", "deluxe ", "fernvale ", "spade ", "heart ", "\r\n", "king "};
    for (size_t i = 0; i < data.size();) {
        state = state * 1103515245 + 12345;
        for (const char *w = words[(state >> 16) % 8]; *w && i < data.size(); w++) data[i++] = (unsigned char)*w;
    }
    uLongf packed_size = compressBound(data.size());
    std::vector<unsigned char> packed(packed_size);
    compress2(packed.data(), &packed_size, data.data(), data.size(), 9);

    z_stream z = {};
    inflateInit(&z);
    z.next_in = packed.data();
    z.avail_in = (uInt)packed_size;
    unsigned char block[4096];
    int steps = 0, status = Z_OK;
    double start = NowNs();
    while (status == Z_OK) {
        z.next_out = block;
        z.avail_out = sizeof block;
        status = inflate(&z, Z_NO_FLUSH);
        steps++;
    }
    double elapsed = NowNs() - start;
    inflateEnd(&z);
    return elapsed / steps;
}

int main()
{
    if (!WinapiUseDisplay("tty")) return 1;
    HWND dialog = ShowDialog();
    double peek = EmptyPeekNs();
    double redraw = ChangedCheckBoxNs();
    double step = InflateStepNs();
    DestroyWindow(dialog);
    // Standard error is shown once the terminal is given back.
    fprintf(stderr,
            "empty_peek_with_tty_poll_ns %.1f\nchanged_check_box_redraw_ns %.1f\ninflate_4096_step_ns %.1f\n"
            "share_percent %.2f\n",
            peek, redraw, step, 100.0 * peek / step);
    return 0;
}

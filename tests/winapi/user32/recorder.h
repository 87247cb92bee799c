/* The tests' fixture: the headless display, a window class that records what its windows
 * receive and lets a test handle messages, and a clean queue after every test. */
#ifndef TESTS_USER32_RECORDER_H
#define TESTS_USER32_RECORDER_H

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "display.h"
#include "winapi_linux.h"

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

/* Returns true when it handled the message, with the result in *result. */
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT *result)>;

class User32Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /* A window of the recording class. */
    HWND Create(const char *text, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND parent = nullptr, int id = 0);
    /* Dispatches until the queue is empty. */
    void Pump();
    /* Dispatches through IsDialogMessage until the queue is empty. */
    void PumpDialog(HWND dialog);
    /* The recorded messages among `wanted`, in order, as (window, message). */
    std::vector<std::pair<HWND, UINT>> Recorded(std::initializer_list<UINT> wanted) const;

    std::vector<Received> &log_;
    Handler &handler_;

public:
    User32Test();
};

#endif

#include "recorder.h"

#include <algorithm>

namespace {

std::vector<Received> g_log;
Handler g_handler;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_log.push_back({hwnd, message, wParam, lParam});
    LRESULT result = 0;
    if (g_handler && g_handler(hwnd, message, wParam, lParam, &result)) return result;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM lParam)
{
    ((std::vector<HWND> *)lParam)->push_back(hwnd);
    return TRUE;
}

}  // namespace

User32Test::User32Test() : log_(g_log), handler_(g_handler) {}

void User32Test::SetUp()
{
    ASSERT_TRUE(WinapiUseDisplay("headless"));
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = "Recorder";
        wc.hbrBackground = (HBRUSH)(ULONG_PTR)6;
        ASSERT_NE(RegisterClassA(&wc), 0);
        registered = true;
    }
    g_log.clear();
    g_handler = nullptr;
}

void User32Test::TearDown()
{
    WinapiSetIdleHook(nullptr);
    g_handler = nullptr;
    std::vector<HWND> windows;
    EnumWindows(Collect, (LPARAM)&windows);
    for (HWND hwnd : windows) DestroyWindow(hwnd);
    Pump();
    g_log.clear();
}

HWND User32Test::Create(const char *text, DWORD style, HWND parent, int id)
{
    return CreateWindowExA(0, "Recorder", text, style, 0, 0, 100, 50, parent, (HMENU)(ULONG_PTR)id, nullptr,
                           nullptr);
}

void User32Test::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void User32Test::PumpDialog(HWND dialog)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

std::vector<std::pair<HWND, UINT>> User32Test::Recorded(std::initializer_list<UINT> wanted) const
{
    std::vector<std::pair<HWND, UINT>> out;
    for (const Received &r : log_)
        if (std::find(wanted.begin(), wanted.end(), r.message) != wanted.end()) out.emplace_back(r.hwnd, r.message);
    return out;
}

#include "keys.h"

#include <curses.h>
#include <string.h>

#include "../display.h"
#include <windows.h>

namespace tty {
namespace {

/* The virtual keys of a US keyboard's punctuation, as the platform names them. */
const UINT kVkOem1 = 0xBA, kVkOemPlus = 0xBB, kVkOemComma = 0xBC, kVkOemMinus = 0xBD, kVkOemPeriod = 0xBE,
           kVkOem2 = 0xBF, kVkOem3 = 0xC0, kVkOem4 = 0xDB, kVkOem5 = 0xDC, kVkOem6 = 0xDD, kVkOem7 = 0xDE;

struct Punctuation {
    char plain, shifted;
    UINT vk;
};

const Punctuation kPunctuation[] = {
    {';', ':', kVkOem1},      {'=', '+', kVkOemPlus}, {',', '<', kVkOemComma}, {'-', '_', kVkOemMinus},
    {'.', '>', kVkOemPeriod}, {'/', '?', kVkOem2},    {'`', '~', kVkOem3},     {'[', '{', kVkOem4},
    {'\\', '|', kVkOem5},     {']', '}', kVkOem6},    {'\'', '"', kVkOem7},    {'0', ')', '0'},
    {'1', '!', '1'},          {'2', '@', '2'},        {'3', '#', '3'},         {'4', '$', '4'},
    {'5', '%', '5'},          {'6', '^', '6'},        {'7', '&', '7'},         {'8', '*', '8'},
    {'9', '(', '9'},
};

/* A character key: its virtual key, and whether Shift types it. */
bool CharacterKey(int ch, UINT *vk, bool *shift)
{
    if (ch >= 'a' && ch <= 'z') {
        *vk = (UINT)(ch - 'a' + 'A');
        *shift = false;
        return true;
    }
    if (ch >= 'A' && ch <= 'Z') {
        *vk = (UINT)ch;
        *shift = true;
        return true;
    }
    if (ch == ' ') {
        *vk = VK_SPACE;
        *shift = false;
        return true;
    }
    for (const Punctuation &p : kPunctuation) {
        if (ch == p.plain || ch == p.shifted) {
            *vk = p.vk;
            *shift = ch == p.shifted;
            return true;
        }
    }
    return false;
}

struct NamedKey {
    int key;
    UINT vk;
    bool shift;
};

const NamedKey kNamedKeys[] = {
    {KEY_LEFT, VK_LEFT, false},    {KEY_RIGHT, VK_RIGHT, false}, {KEY_UP, VK_UP, false},
    {KEY_DOWN, VK_DOWN, false},    {KEY_HOME, VK_HOME, false},   {KEY_END, VK_END, false},
    {KEY_PPAGE, VK_PRIOR, false},  {KEY_NPAGE, VK_NEXT, false},  {KEY_DC, VK_DELETE, false},
    {KEY_IC, VK_INSERT, false},    {KEY_SLEFT, VK_LEFT, true},   {KEY_SRIGHT, VK_RIGHT, true},
    {KEY_SHOME, VK_HOME, true},    {KEY_SEND, VK_END, true},     {KEY_SR, VK_UP, true},
    {KEY_SF, VK_DOWN, true},
};

BOOL CALLBACK FindScrollBox(HWND hwnd, LPARAM found)
{
    if ((GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        *(HWND *)found = hwnd;
        return FALSE;
    }
    return TRUE;
}

/* Page Up and Page Down do what the mouse would do on the scroll bar of the box in the active
 * window when the focus is somewhere that does not scroll: the terminal has no mouse. */
bool PageScrollBox(UINT vk)
{
    HWND focus = GetFocus();
    if (focus && (GetWindowLongA(focus, GWL_STYLE) & WS_VSCROLL)) return false;
    HWND active = GetActiveWindow();
    HWND box = nullptr;
    if (!active || !IsWindowEnabled(active)) return false;
    EnumChildWindows(active, FindScrollBox, (LPARAM)&box);
    if (!box) return false;
    return PostMessageA(box, WM_VSCROLL, vk == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0) != FALSE;
}

void QueueNamedKey(UINT vk, bool shift)
{
    if ((vk == VK_PRIOR || vk == VK_NEXT) && PageScrollBox(vk)) return;
    WinapiQueueKey(vk, 0, shift);
}

void Translate(int ch)
{
    for (const NamedKey &k : kNamedKeys) {
        if (ch == k.key) {
            QueueNamedKey(k.vk, k.shift);
            return;
        }
    }
    UINT vk;
    bool shift;
    switch (ch) {
    case '\t': WinapiQueueKey(VK_TAB, '\t', FALSE); return;
    case KEY_BTAB: WinapiQueueKey(VK_TAB, '\t', TRUE); return;
    case '\r':
    case '\n':
    case KEY_ENTER: WinapiQueueKey(VK_RETURN, '\r', FALSE); return;
    case 27: WinapiQueueKey(VK_ESCAPE, 27, FALSE); return;
    case 8:
    case 127:
    case KEY_BACKSPACE: WinapiQueueKey(VK_BACK, '\b', FALSE); return;
    }
    if (ch >= 0x20 && ch < 0x7F && CharacterKey(ch, &vk, &shift)) WinapiQueueKey(vk, (CHAR)ch, shift);
}

}  // namespace

bool ReadKeys()
{
    bool resized = false;
    int ch;
    while ((ch = getch()) != ERR) {
        if (ch == KEY_RESIZE) resized = true;
        else Translate(ch);
    }
    return resized;
}

}  // namespace tty

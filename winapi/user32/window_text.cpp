/* Window texts, always through WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH so that
 * controls and subclasses see them. */
#include "user32_private.h"

#include <cstring>

namespace user32 {

int CopyText(const std::string &text, LPSTR buffer, size_t size)
{
    if (!buffer || size == 0) return 0;
    size_t count = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(buffer, text.data(), count);
    buffer[count] = 0;
    return (int)count;
}

}  // namespace user32

using namespace user32;

/***********************************************************************
 *              SetWindowTextA
 */
extern "C" BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text)
{
    if (!ValidWindow(hwnd)) return FALSE;
    return (BOOL)SendMessageA(hwnd, WM_SETTEXT, 0, (LPARAM)text);
}

/***********************************************************************
 *              GetWindowTextA
 */
extern "C" int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int size)
{
    if (!buffer || size <= 0) return 0;
    buffer[0] = 0;
    if (!ValidWindow(hwnd)) return 0;
    return (int)SendMessageA(hwnd, WM_GETTEXT, (WPARAM)size, (LPARAM)buffer);
}

/***********************************************************************
 *              GetWindowTextLengthA
 */
extern "C" int WINAPI GetWindowTextLengthA(HWND hwnd)
{
    if (!ValidWindow(hwnd)) return 0;
    return (int)SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
}

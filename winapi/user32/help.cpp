/* WinHelp. The Linux build carries no viewer for Windows help files, so asking for help
 * fails as a request the platform does not support. */
#include "user32_private.h"

using namespace user32;

/***********************************************************************
 *              WinHelpA
 */
extern "C" BOOL WINAPI WinHelpA(HWND hwnd, LPCSTR, UINT command, ULONG_PTR)
{
    if (hwnd && !ValidWindow(hwnd)) return FALSE;
    if (command == HELP_QUIT) return TRUE;  // no help window is open, so closing it succeeds
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

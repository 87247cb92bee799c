/* Dialog controls by id, and dialog units. */
#include "user32_private.h"

using namespace user32;

/* The system font's average character is 4 pixels wide and 8 high, so a dialog unit is a pixel
 * and a text character is 4 by 8 dialog units, which the terminal display shows as one cell. */
static const int kBaseUnitX = 4;
static const int kBaseUnitY = 8;

/***********************************************************************
 *              GetDlgItem
 */
extern "C" HWND WINAPI GetDlgItem(HWND dialog, int id)
{
    Window *d = ValidWindow(dialog);
    if (!d) return nullptr;
    for (Window *child : d->children)
        if ((int)child->id == id) return child->handle;
    return nullptr;
}

/***********************************************************************
 *              GetDlgCtrlID
 */
extern "C" int WINAPI GetDlgCtrlID(HWND hwnd)
{
    Window *w = ValidWindow(hwnd);
    return w ? (int)w->id : 0;
}

/***********************************************************************
 *              SendDlgItemMessageA
 */
extern "C" LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, message, wParam, lParam) : 0;
}

/***********************************************************************
 *              SetDlgItemTextA
 */
extern "C" BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text) : FALSE;
}

/***********************************************************************
 *              GetDlgItemTextA
 */
extern "C" UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        if (buffer && size > 0) buffer[0] = 0;
        return 0;
    }
    return (UINT)GetWindowTextA(control, buffer, size);
}

/***********************************************************************
 *              CheckDlgButton
 */
extern "C" BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control) return FALSE;
    SendMessageA(control, BM_SETCHECK, check, 0);
    return TRUE;
}

/***********************************************************************
 *              IsDlgButtonChecked
 */
extern "C" UINT WINAPI IsDlgButtonChecked(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control ? (UINT)SendMessageA(control, BM_GETCHECK, 0, 0) : 0;
}

/***********************************************************************
 *              GetDialogBaseUnits
 */
extern "C" LONG WINAPI GetDialogBaseUnits(void)
{
    return MAKELONG(kBaseUnitX, kBaseUnitY);
}

/***********************************************************************
 *              MapDialogRect
 */
extern "C" BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect)
{
    if (!ValidWindow(dialog) || !rect) return FALSE;
    rect->left = rect->left * kBaseUnitX / 4;
    rect->right = rect->right * kBaseUnitX / 4;
    rect->top = rect->top * kBaseUnitY / 8;
    rect->bottom = rect->bottom * kBaseUnitY / 8;
    return TRUE;
}

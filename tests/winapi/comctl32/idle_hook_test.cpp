/* The scenario driver presses wizard buttons from user32's idle hook, inside the sheet's own
 * GetMessageA, while the queue is empty: the sheet must still notice that it has ended. */
#include "wizard_driver.h"

#include <windows.h>
#include <commctrl.h>
#include <winapi_linux.h>

#include <gtest/gtest.h>

namespace {

HWND g_sheet;
int g_idleCalls;
const int IDLE_CALLS_ALLOWED = 100;

int CALLBACK RememberSheet(HWND hwnd, UINT msg, LPARAM)
{
    if (msg == PSCB_INITIALIZED)
        g_sheet = hwnd;
    return 0;
}

INT_PTR CALLBACK QuietPage(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

/* Presses on the first idle call; a sheet that keeps waiting is woken and closed by force. */
void PressFinishWhenIdle()
{
    if (!g_sheet)
        return;
    if (++g_idleCalls == 1)
        SendMessageA(g_sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    else if (g_idleCalls == IDLE_CALLS_ALLOWED) {
        DestroyWindow(g_sheet);
        PostMessageA(NULL, WM_NULL, 0, 0);
    }
}

TEST(WizardIdleHook, FinishPressedWhileTheQueueIsEmptyEndsTheSheet)
{
    DialogBuilder page(PAGE_TEMPLATE_STYLE, 100, 50, "Only");
    PROPSHEETPAGEA psp = {};
    psp.dwSize = sizeof psp;
    psp.dwFlags = PSP_DLGINDIRECT;
    psp.pResource = page.Get();
    psp.pfnDlgProc = QuietPage;
    PROPSHEETHEADERA psh = {};
    psh.dwSize = sizeof psh;
    psh.dwFlags = PSH_WIZARD | PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    psh.nPages = 1;
    psh.ppsp = &psp;
    psh.pfnCallback = RememberSheet;

    g_sheet = NULL;
    g_idleCalls = 0;
    WinapiSetIdleHook(PressFinishWhenIdle);
    INT_PTR result = PropertySheetA(&psh);
    WinapiSetIdleHook(NULL);

    EXPECT_EQ(1, result);
    EXPECT_LT(g_idleCalls, IDLE_CALLS_ALLOWED);
    EXPECT_FALSE(IsWindow(g_sheet));
}

} // namespace

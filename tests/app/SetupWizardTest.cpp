// The wizard as the start-up routine builds it: page order, no Help button, and the shortcut
// choices set when the sheet's window is initialised.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <winapi_linux.h>

#include "SetupSheet.h"
#include "SetupWizard.h"

namespace {

struct WizardObservation
{
    std::vector<std::string> pageClasses;
    bool helpButtonShown = true;
    BOOL desktopShortcut = FALSE;
    BOOL programGroup = FALSE;
    BOOL startMenuShortcut = FALSE;
    bool seen = false;
};

WizardObservation g_observed;

BOOL CALLBACK FindSheet(HWND hwnd, LPARAM lParam)
{
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hwnd))
    {
        if (CSetupSheet* pSheet = dynamic_cast<CSetupSheet*>(pWnd))
        {
            *reinterpret_cast<CSetupSheet**>(lParam) = pSheet;
            return FALSE;
        }
    }
    return TRUE;
}

// Runs while the first page waits for the user: records what the sheet shows, then cancels.
void ObserveFirstPage()
{
    CSetupSheet* pSheet = NULL;
    EnumWindows(FindSheet, reinterpret_cast<LPARAM>(&pSheet));
    if (pSheet == NULL || g_observed.seen)
        return;

    g_observed.seen = true;
    for (int i = 0; i < pSheet->GetPageCount(); i++)
        g_observed.pageClasses.push_back(pSheet->GetPage(i)->GetRuntimeClass()->m_lpszClassName);
    HWND hwndHelp = GetDlgItem(pSheet->m_hWnd, IDHELP);
    g_observed.helpButtonShown = hwndHelp != NULL && IsWindowVisible(hwndHelp);
    g_observed.desktopShortcut = pSheet->m_bDesktopShortcut;
    g_observed.programGroup = pSheet->m_bProgramGroup;
    g_observed.startMenuShortcut = pSheet->m_bStartMenuShortcut;
    PostMessageA(pSheet->m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

TEST(SetupWizardTest, EightPagesInOrderWithoutHelpAndAllShortcutsChosen)
{
    ASSERT_TRUE(WinapiUseDisplay("headless"));
    WinapiSetIdleHook(ObserveFirstPage);
    RunSetupWizard();
    WinapiSetIdleHook(NULL);

    ASSERT_TRUE(g_observed.seen);
    const std::vector<std::string> expectedOrder = {
        "CWelcomePage", "CLicensePage", "CDirectoryPage", "CIconPage",
        "CEmailPage",   "CReadyPage",   "CCopyPage",      "CDonePage"};
    EXPECT_EQ(g_observed.pageClasses, expectedOrder);
    EXPECT_FALSE(g_observed.helpButtonShown);
    EXPECT_EQ(g_observed.desktopShortcut, TRUE);
    EXPECT_EQ(g_observed.programGroup, TRUE);
    EXPECT_EQ(g_observed.startMenuShortcut, TRUE);
}

} // namespace

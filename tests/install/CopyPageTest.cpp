// The copy page inside a running wizard (a plain page before it, a plain page after it), with
// the idle hook playing the user: it presses Next once, answers message boxes, watches the
// progress bar, and cancels the wizard on the last page. Failures that end the program run in
// a child process.
#include "CopyPage.h"

#include <stdio.h>
#include <string.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <winapi_linux.h>

#include "SetupSheet.h"
#include <winapi_linux.h>
#include "test_prefix.h"

namespace {

// The wizard's own buttons, as Windows numbers them.
const int BACK_BUTTON = 0x3023;
const int NEXT_BUTTON = 0x3024;

const char DECOMPRESS_ERROR[] =
    "Can't decompress file. Please try downloading again from http://bramblecote.example.com";

struct WizardRun
{
    CSetupSheet* pSheet;
    CPropertyPage* pFirst;
    CCopyPage* pCopy;
    CPropertyPage* pLast;
    DWORD dwStarted;
    bool bNextPressed = false;
    bool bWatchingProgress = false;
    bool bOnLastPage = false;
    bool bButtonsOffDuringCopy = false;
    std::vector<int> positions;  // the bar's position after every advance
    std::vector<std::string> messages;
    std::set<HWND> answered;
    std::function<void()> onLastPage;
};

WizardRun* g_pRun;
WNDPROC g_pfnProgress;

LRESULT CALLBACK WatchProgress(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(g_pfnProgress, hWnd, message, wParam, lParam);
    if (message == PBM_DELTAPOS)
        g_pRun->positions.push_back((int)CallWindowProcA(g_pfnProgress, hWnd, PBM_GETPOS, 0, 0));
    return result;
}

BOOL CALLBACK AnswerMessageBox(HWND hWnd, LPARAM)
{
    char szClass[16];
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, "#32770") != 0 || hWnd == g_pRun->pSheet->m_hWnd ||
        !g_pRun->answered.insert(hWnd).second)
        return TRUE;
    char szText[512] = "";
    GetDlgItemTextA(hWnd, 0xFFFF, szText, sizeof(szText));
    // A child process reports through its error output.
    fprintf(stderr, "message: %s\n", szText);
    g_pRun->messages.push_back(szText);
    PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(hWnd, IDOK));
    return TRUE;
}

void PlayUser()
{
    WizardRun& run = *g_pRun;
    HWND hSheet = run.pSheet->m_hWnd;
    EnumWindows(AnswerMessageBox, 0);
    if (hSheet == NULL)
        return;
    if (GetTickCount() - run.dwStarted > 30000)
    {
        ADD_FAILURE() << "the wizard did not reach its last page";
        EnableWindow(GetDlgItem(hSheet, IDCANCEL), TRUE);
        PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return;
    }
    HWND hPage = PropSheet_GetCurrentPageHwnd(hSheet);
    if (hPage == run.pFirst->m_hWnd && !run.bNextPressed)
    {
        run.bNextPressed = true;
        PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    }
    else if (hPage != NULL && hPage == run.pCopy->m_hWnd && !run.bWatchingProgress)
    {
        run.bWatchingProgress = true;
        run.bButtonsOffDuringCopy = !IsWindowEnabled(GetDlgItem(hSheet, IDCANCEL)) &&
                                    !IsWindowEnabled(GetDlgItem(hSheet, NEXT_BUTTON)) &&
                                    !IsWindowEnabled(GetDlgItem(hSheet, BACK_BUTTON));
        HWND hProgress = GetDlgItem(hPage, IDC_PROGRESS);
        g_pfnProgress = (WNDPROC)SetWindowLongPtrA(hProgress, GWLP_WNDPROC, (LONG_PTR)WatchProgress);
    }
    else if (hPage != NULL && hPage == run.pLast->m_hWnd && !run.bOnLastPage)
    {
        run.bOnLastPage = true;
        if (run.onLastPage)
            run.onLastPage();
        EnableWindow(GetDlgItem(hSheet, IDCANCEL), TRUE);
        PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
}

class CopyPageTest : public TestPrefix
{
protected:
    // Runs the three-page wizard installing into szInstallDir until it is cancelled on its
    // last page, or until the program ends.
    void RunWizard(LPCSTR szInstallDir)
    {
        CSetupSheet sheet("Copy page test");
        CPropertyPage first(IDD_READY);
        CCopyPage copy(&sheet);
        CPropertyPage last(IDD_DONE);
        sheet.AddPage(&first);
        sheet.AddPage(&copy);
        sheet.AddPage(&last);
        sheet.m_psh.dwFlags |= PSH_WIZARD;
        sheet.SetInstallDir(szInstallDir);

        m_run.pSheet = &sheet;
        m_run.pFirst = &first;
        m_run.pCopy = &copy;
        m_run.pLast = &last;
        m_run.dwStarted = GetTickCount();
        g_pRun = &m_run;
        WinapiSetIdleHook(PlayUser);
        sheet.DoModal();
        WinapiSetIdleHook(NULL);
        m_bInstallPendingAfter = copy.m_bInstallPending;
    }

    // Drive C: as the host sees it, for a Windows folder on it.
    std::string Dest(const std::string& name) const { return "Fernvale Patience/" + name; }

    WizardRun m_run;
    BOOL m_bInstallPendingAfter = TRUE;
};

TEST_F(CopyPageTest, InstallsOnceWithTheBarFullAfterTheTwentiethFile)
{
    MakeHostFolder("Fernvale Patience");
    // A temporary folder that does not exist yet is made without a word.
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    ASSERT_TRUE(RemoveDirectoryA(szTemp));
    m_run.onLastPage = [this] {
        // Activated again and given its timer again, the page installs nothing more.
        remove(HostPath(Dest("core.gob")).c_str());
        m_run.pCopy->OnSetActive();
        SendMessageA(m_run.pCopy->m_hWnd, WM_TIMER, 11, 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_run.pSheet->m_hWnd, IDCANCEL)));
    };
    RunWizard("C:\\Fernvale Patience\\");

    EXPECT_TRUE(m_run.bOnLastPage);
    EXPECT_TRUE(m_run.bButtonsOffDuringCopy);
    EXPECT_TRUE(m_run.messages.empty());
    EXPECT_FALSE(m_bInstallPendingAfter);
    std::vector<int> expected;
    for (int row = 1; row <= 21; ++row)
        expected.push_back(row * 5 < 100 ? row * 5 : 100);
    expected.push_back(100);  // after the catalogue
    expected.push_back(100);  // after the shortcuts
    EXPECT_EQ(m_run.positions, expected);
    EXPECT_TRUE(HostFileExists(Dest("large.dck")));
    EXPECT_FALSE(HostFileExists(Dest("core.gob")));
    EXPECT_NE(GetFileAttributesA(szTemp), INVALID_FILE_ATTRIBUTES);
}

using CopyPageDeathTest = CopyPageTest;

TEST_F(CopyPageDeathTest, RowsThatCannotBeWrittenEndTheProgramWithFailure)
{
    const std::string longFolder = "C:\\" + std::string(246, 'f') + "\\";
    struct Case
    {
        const char* what;
        std::function<void()> arrange;
        std::string installDir;
        const char* messages;
    } cases[] = {
        {"temporary copy not written whole", [] { WinapiFailStreamWrites(1, 0); },
         "C:\\Fernvale Patience\\", "message: Can't decompress file"},
        {"folder text too long for a file name", [] {}, longFolder,
         "message: Can't decompress file"},
        {"no temporary folder",
         [this] {
             char szTemp[MAX_PATH];
             GetTempPathA(sizeof(szTemp), szTemp);
             std::string host = m_root + "/drive_c/users";
             ASSERT_EQ(system(("rm -rf '" + host + "'/*/Temp && for d in '" + host +
                               "'/*; do echo file > \"$d/Temp\"; done").c_str()),
                       0);
         },
         "C:\\Fernvale Patience\\",
         "message: Can't create temporary directory\\.\n(.|\n)*message: Can't decompress file"},
    };
    MakeHostFolder("Fernvale Patience");
    for (const Case& c : cases)
    {
        c.arrange();
        EXPECT_EXIT(RunWizard(c.installDir.c_str()), ::testing::ExitedWithCode(1), c.messages)
            << c.what;
        WinapiFailStreamWrites(0, 0);
        // The failing first row left nothing in the destination.
        EXPECT_FALSE(HostFileExists(Dest("rune32c.dll"))) << c.what;
    }
}

} // namespace

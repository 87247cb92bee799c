// A two-page wizard driven by a timer on its own sheet, run against the platform's real
// property sheet: pages created on first activation, data exchange on the way in and out,
// refused Next, Back, Finish, Cancel, a message box during the run, paint and timer handlers
// through message maps. Prints what happened; exits 0 when that is exactly what should.
#include <afxdlgs.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "wizard_ids.h"

namespace {

std::vector<std::string> g_log;

void Log(LPCTSTR lpszText)
{
    g_log.push_back(lpszText);
}

class CFirstPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CFirstPage)

public:
    CFirstPage() : CPropertyPage(IDD_FIRST), m_strName("initial"), m_pSheet(NULL), m_nNextPresses(0)
    {
    }

    CEdit m_editName;
    CString m_strName;
    CPropertySheet* m_pSheet;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_editName);
        DDX_Text(pDX, IDC_NAME, m_strName);
    }

    BOOL OnInitDialog() override
    {
        BOOL bResult = CPropertyPage::OnInitDialog();
        CString strBox;
        m_editName.GetWindowText(strBox);
        Log("first: init, box shows " + strBox);
        return bResult;
    }

    BOOL OnSetActive() override
    {
        m_pSheet->SetWizardButtons(PSWIZB_NEXT);
        Log("first: set active");
        return CPropertyPage::OnSetActive();
    }

    BOOL OnKillActive() override
    {
        BOOL bResult = CPropertyPage::OnKillActive();
        Log("first: kill active, name " + m_strName);
        return bResult;
    }

    LRESULT OnWizardNext() override
    {
        if (m_nNextPresses++ == 0)
        {
            Log("first: next refused");
            return -1;
        }
        Log("first: next");
        return CPropertyPage::OnWizardNext();
    }

    BOOL OnQueryCancel() override
    {
        Log("first: query cancel");
        return CPropertyPage::OnQueryCancel();
    }

    void OnReset() override
    {
        Log("first: reset");
        CPropertyPage::OnReset();
    }

    afx_msg void OnUse()
    {
        CString strBox;
        GetDlgItem(IDC_NAME)->GetWindowText(strBox);
        Log("first: use clicked, box " + strBox);
    }

    DECLARE_MESSAGE_MAP()

private:
    int m_nNextPresses;
};

IMPLEMENT_DYNCREATE(CFirstPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CFirstPage, CPropertyPage)
    ON_BN_CLICKED(IDC_USE, OnUse)
END_MESSAGE_MAP()

class CSecondPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CSecondPage)

public:
    CSecondPage() : CPropertyPage(IDD_SECOND), m_pSheet(NULL), m_bTimerPending(TRUE) {}

    CPropertySheet* m_pSheet;
    BOOL m_bTimerPending;

protected:
    BOOL OnSetActive() override
    {
        m_pSheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
        Log("second: set active");
        return CPropertyPage::OnSetActive();
    }

    LRESULT OnWizardBack() override
    {
        Log("second: back");
        return CPropertyPage::OnWizardBack();
    }

    BOOL OnWizardFinish() override
    {
        Log("second: finish");
        return CPropertyPage::OnWizardFinish();
    }

    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        SetTimer(11, 33);
    }

    afx_msg void OnTimer(UINT nIDEvent)
    {
        if (nIDEvent == 11)
        {
            KillTimer(11);
            if (m_bTimerPending)
            {
                m_bTimerPending = FALSE;
                Log("second: timer after paint");
            }
        }
        Default();
    }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CSecondPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSecondPage, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CALLBACK FindOwnedMessageBox(HWND hWnd, LPARAM lParam)
{
    HWND* phWnd = (HWND*)lParam;
    char szClass[16];
    if (GetClassNameA(hWnd, szClass, sizeof(szClass)) > 0 && strcmp(szClass, "#32770") == 0
        && GetDlgItem(hWnd, 0xFFFF) != NULL)
    {
        *phWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The wizard's sheet, which also plays the user: every tick of its timer takes one step.
class CTestSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CTestSheet)

public:
    CTestSheet(CFirstPage* pFirst, CSecondPage* pSecond)
        : CPropertySheet("Framework Test"), m_pFirst(pFirst), m_pSecond(pSecond),
          m_bCancelRun(FALSE), m_nStep(0), m_bInStep(FALSE)
    {
    }

    CFirstPage* m_pFirst;
    CSecondPage* m_pSecond;
    BOOL m_bCancelRun;

protected:
    BOOL OnInitDialog() override
    {
        Log(GetPage(0)->m_hWnd == NULL ? "sheet: init, no page window yet"
                                       : "sheet: init, a page window exists");
        m_nStep = 0;
        SetTimer(1, 40);
        return CPropertySheet::OnInitDialog();
    }

    afx_msg void OnTimer(UINT nIDEvent)
    {
        if (nIDEvent == 1)
        {
            if (m_bInStep)
                AnswerMessageBox();
            else
            {
                m_bInStep = TRUE;
                Step();
                m_bInStep = FALSE;
            }
        }
        Default();
    }

    DECLARE_MESSAGE_MAP()

private:
    int CurrentPage()
    {
        HWND hPage = (HWND)SendMessage(PSM_GETCURRENTPAGEHWND);
        return hPage == m_pFirst->m_hWnd ? 1 : hPage == m_pSecond->m_hWnd ? 2 : 0;
    }

    BOOL IsButtonEnabled(int nID)
    {
        CWnd* pButton = GetDlgItem(nID);
        return pButton != NULL && pButton->IsWindowEnabled();
    }

    void LogPage()
    {
        CString strLine;
        strLine.Format("driver: page %d", CurrentPage());
        Log(strLine);
    }

    void LogPageAndButtons(int nSecondButton, LPCTSTR lpszSecondName)
    {
        CString strTitle;
        GetWindowText(strTitle);
        CString strLine;
        strLine.Format("driver: page %d, title \"%s\", back %d, %s %d", CurrentPage(),
                       (LPCTSTR)strTitle, IsButtonEnabled(ID_WIZBACK), lpszSecondName,
                       IsButtonEnabled(nSecondButton));
        Log(strLine);
    }

    void AnswerMessageBox()
    {
        HWND hBox = NULL;
        EnumWindows(FindOwnedMessageBox, (LPARAM)&hBox);
        if (hBox == NULL)
            return;
        char szText[256], szCaption[256];
        ::GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof(szText));
        ::GetWindowTextA(hBox, szCaption, sizeof(szCaption));
        CString strLine;
        strLine.Format("driver: message box \"%s\" captioned \"%s\", owned by %s", szText,
                       szCaption, ::GetWindow(hBox, GW_OWNER) == m_hWnd ? "the wizard" : "another");
        Log(strLine);
        ::SendMessageA(::GetDlgItem(hBox, IDOK), BM_CLICK, 0, 0);
    }

    void Step()
    {
        if (m_bCancelRun)
        {
            PressButton(PSBTN_CANCEL);
            return;
        }
        CString strLine;
        switch (m_nStep++)
        {
        case 0:
            LogPageAndButtons(ID_WIZNEXT, "next");
            break;
        case 1:
            strLine.Format("driver: message box returned %d",
                           AfxMessageBox("Hello from the wizard"));
            Log(strLine);
            break;
        case 2:
            m_pFirst->GetDlgItem(IDC_NAME)->SendMessage(WM_SETTEXT, 0, (LPARAM) "Alice");
            m_pFirst->GetDlgItem(IDC_USE)->SendMessage(BM_CLICK);
            break;
        case 3:
        case 4:
        case 7:
            PressButton(PSBTN_NEXT);
            LogPage();
            break;
        case 5:
            if (m_pSecond->m_bTimerPending)
                m_nStep--;
            else
                LogPageAndButtons(ID_WIZFINISH, "finish");
            break;
        case 6:
            m_pFirst->m_strName = "Bob";
            PressButton(PSBTN_BACK);
            m_pFirst->m_editName.GetWindowText(strLine);
            Log("driver: page 1 shows " + strLine);
            break;
        case 8:
            PressButton(PSBTN_FINISH);
            break;
        }
    }

    int m_nStep;
    BOOL m_bInStep;
};

IMPLEMENT_DYNAMIC(CTestSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CTestSheet, CPropertySheet)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// A window made through CWnd::Create, its style adjusted by PreCreateWindow.
class CProbeWnd : public CWnd
{
protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.style |= WS_DISABLED;
        return CWnd::PreCreateWindow(cs);
    }
};

void ProbeCreate()
{
    CProbeWnd probe;
    RECT rect = { 10, 10, 110, 40 };
    BOOL bCreated = probe.Create("STATIC", "probe", WS_POPUP, rect, NULL, 0);
    CString strText;
    if (bCreated)
        probe.GetWindowText(strText);
    CString strLine;
    strLine.Format("probe: created %d, text %s, enabled %d, own object %d", bCreated,
                   (LPCTSTR)strText, bCreated && probe.IsWindowEnabled(),
                   bCreated && CWnd::FromHandle(probe.m_hWnd) == &probe);
    Log(strLine);
    probe.DestroyWindow();
    Log(probe.m_hWnd == NULL ? "probe: released" : "probe: still attached");
}

const char* const g_expected[] = {
    "probe: created 1, text probe, enabled 0, own object 1",
    "probe: released",
    "sheet: init, no page window yet",
    "first: init, box shows initial",
    "first: set active",
    "driver: page 1, title \"First Page\", back 0, next 1",
    "driver: message box \"Hello from the wizard\" captioned \"afx_wizard_test\", owned by the wizard",
    "driver: message box returned 1",
    "first: use clicked, box Alice",
    "first: next refused",
    "driver: page 1",
    "first: next",
    "first: kill active, name Alice",
    "second: set active",
    "driver: page 2",
    "second: timer after paint",
    "driver: page 2, title \"Second Page\", back 1, finish 1",
    "second: back",
    "first: set active",
    "driver: page 1 shows Bob",
    "first: next",
    "first: kill active, name Bob",
    "second: set active",
    "driver: page 2",
    "second: finish",
    "DoModal: 12325, windows released",
    "sheet: init, no page window yet",
    "first: init, box shows Bob",
    "first: set active",
    "first: query cancel",
    "first: reset",
    "DoModal: 2, windows released",
};

class CTestApp : public CWinApp
{
public:
    CTestApp() : m_nExitCode(1) {}

    BOOL InitInstance() override
    {
        ProbeCreate();

        CFirstPage first;
        CSecondPage second;
        CTestSheet sheet(&first, &second);
        first.m_pSheet = &sheet;
        second.m_pSheet = &sheet;
        first.m_psp.dwFlags &= ~PSP_HASHELP;
        second.m_psp.dwFlags &= ~PSP_HASHELP;
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.m_psh.dwFlags |= PSH_WIZARD;
        sheet.m_psh.dwFlags &= ~PSH_HASHELP;

        for (int nRun = 0; nRun < 2; nRun++)
        {
            sheet.m_bCancelRun = nRun == 1;
            INT_PTR nResult = sheet.DoModal();
            BOOL bReleased = sheet.m_hWnd == NULL && first.m_hWnd == NULL
                             && second.m_hWnd == NULL && first.m_editName.m_hWnd == NULL;
            CString strLine;
            strLine.Format("DoModal: %d, windows %s", (int)nResult,
                           bReleased ? "released" : "still attached");
            Log(strLine);
        }

        size_t nExpected = sizeof(g_expected) / sizeof(g_expected[0]);
        BOOL bSame = g_log.size() == nExpected;
        for (size_t i = 0; i < g_log.size(); i++)
        {
            BOOL bLineSame = i < nExpected && g_log[i] == g_expected[i];
            bSame = bSame && bLineSame;
            printf("%s %s\n", bLineSame ? "  " : "!!", g_log[i].c_str());
            if (!bLineSame && i < nExpected)
                printf("   expected: %s\n", g_expected[i]);
        }
        for (size_t i = g_log.size(); i < nExpected; i++)
            printf("!! missing: %s\n", g_expected[i]);
        printf(bSame ? "wizard test passed\n" : "wizard test FAILED\n");
        fflush(stdout);
        m_nExitCode = bSame ? 0 : 1;
        return FALSE;
    }

    int ExitInstance() override
    {
        CWinApp::ExitInstance();
        return m_nExitCode;
    }

private:
    int m_nExitCode;
};

CTestApp theApp;

} // namespace

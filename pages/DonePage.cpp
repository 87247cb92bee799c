#include "DonePage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CDonePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CDonePage, CPropertyPage)
END_MESSAGE_MAP()

CDonePage::CDonePage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CDonePage::CDonePage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CDonePage::~CDonePage()
{
}

BOOL CDonePage::OnSetActive()
{
    m_pSheet->SetWizardButtons(PSWIZB_FINISH);
    // The copy page disabled Cancel while it worked.
    m_pSheet->GetDlgItem(IDCANCEL)->EnableWindow(TRUE);
    return CPropertyPage::OnSetActive();
}

BOOL CDonePage::OnWizardFinish()
{
    char szInstallDir[MAX_PATH];
    m_pSheet->GetInstallDir(szInstallDir);

    if (!SetCurrentDirectoryA(szInstallDir))
        AfxMessageBox(CString("Can't change current directory to: ") + szInstallDir, MB_OK);

    CString strProgram = CString(szInstallDir) + "fvpat.exe";
    // Quoted, so that a blank in the folder cannot make Windows start another program
    // (C:\Fernvale.exe for the proposed folder) in place of the game.
    CString strCommandLine = "\"" + strProgram + "\"";
    if (WinExec(strCommandLine, SW_SHOWNORMAL) <= 31)
        AfxMessageBox("Can't run: " + strProgram, MB_OK);
    return TRUE;
}

#include "SetupApp.h"

#include "Maker.h"
#include "SetupSheet.h"
#include "CopyPage.h"
#include "DirectoryPage.h"
#include "DonePage.h"
#include "EmailPage.h"
#include "IconPage.h"
#include "LicensePage.h"
#include "ReadyPage.h"
#include "WelcomePage.h"

BEGIN_MESSAGE_MAP(CSetupApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CSetupApp theApp;

CSetupApp::CSetupApp()
{
}

BOOL CSetupApp::IsProgramFileComplete()
{
    // The module's own file, not the first command-line argument: started through PATH the
    // argument names no file. A file that cannot be examined at all (removed while running)
    // cannot be shown to be whole, so it counts as incomplete.
    char szPath[MAX_PATH];
    DWORD nLength = GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    if (nLength == 0 || nLength >= sizeof(szPath))
        return FALSE;

    CFileStatus status;
    if (!CFile::GetStatus(szPath, status))
        return FALSE;
    return status.m_size >= MIN_PROGRAM_FILE_SIZE;
}

BOOL CSetupApp::InitInstance()
{
    Enable3dControlsStatic();

    if (!IsProgramFileComplete())
    {
        AfxMessageBox("File is incomplete, please try downloading again from " MAKER_WEB_ADDRESS,
                      MB_OK);
        return FALSE;
    }

    CSetupSheet sheet("FVPD Setup", NULL, 0);
    CWelcomePage welcomePage(&sheet);
    CLicensePage licensePage(&sheet);
    CDirectoryPage directoryPage(&sheet);
    CIconPage iconPage(&sheet);
    CEmailPage emailPage(&sheet);
    CReadyPage readyPage(&sheet);
    CCopyPage copyPage(&sheet);
    CDonePage donePage(&sheet);

    CPropertyPage* pages[] = { &welcomePage, &licensePage, &directoryPage, &iconPage,
                               &emailPage, &readyPage, &copyPage, &donePage };
    for (CPropertyPage* pPage : pages)
    {
        pPage->m_psp.dwFlags &= ~PSP_HASHELP;
        sheet.AddPage(pPage);
    }

    sheet.m_psh.dwFlags |= PSH_WIZARD;
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    sheet.DoModal();
    return FALSE;
}

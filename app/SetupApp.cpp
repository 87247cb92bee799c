#include "SetupApp.h"

#include "Maker.h"
#include "SetupWizard.h"

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

    RunSetupWizard();
    return FALSE;
}

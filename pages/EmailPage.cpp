#include "EmailPage.h"

#include <stdio.h>

#include "IniFile.h"
#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CEmailPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEmailPage, CPropertyPage)
END_MESSAGE_MAP()

static const char SETTINGS_FILE[] = "fvpat.ini";
// The game writes "x" in [Window]; setup never does, so its presence marks an earlier
// installation.
static const int ABSENT_WINDOW_X = -1000;

CEmailPage::CEmailPage()
    : CPropertyPage(IDD), m_nPrevVer(0), m_pSheet(NULL)
{
}

CEmailPage::CEmailPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_nPrevVer(0), m_strName(""), m_strEMail(""), m_pSheet(pSheet)
{
}

CEmailPage::~CEmailPage()
{
}

void CEmailPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDX_Text(pDX, IDC_EMAIL, m_strEMail);
}

BOOL CEmailPage::OnSetActive()
{
    CIniFile settings(SETTINGS_FILE);
    m_strName = settings.GetProfileString("Net News", "Name", "");
    m_strEMail = settings.GetProfileString("Net News", "EMail", "");
    m_nPrevVer = (int)settings.GetProfileInt("Install", "PrevVer", 0);
    if ((int)settings.GetProfileInt("Window", "x", ABSENT_WINDOW_X) != ABSENT_WINDOW_X)
        m_nPrevVer = 1;
    if (m_nPrevVer != 0)
        m_strUserID = settings.GetProfileString("Net News", "UserID", "");

    UpdateData(FALSE);
    return CPropertyPage::OnSetActive();
}

LRESULT CEmailPage::OnWizardNext()
{
    UpdateData(TRUE);

    if (!IsAcceptedEMail())
    {
        AfxMessageBox("Invalid email address: It must be in the format yourname@example.com. \n"
                      " If you don't want to be added to the list please just leave these fields"
                      " blank.",
                      MB_OK);
        return -1;
    }

    WriteSettingsFile();
    return 0;
}

// An empty address means no subscription; any other needs an at sign and a dot somewhere.
BOOL CEmailPage::IsAcceptedEMail() const
{
    if (m_strEMail.IsEmpty())
        return TRUE;
    return m_strEMail.Find('@') != -1 && m_strEMail.Find('.') != -1;
}

// Rewrites the whole file: the game's own keys go, the install history and the answers stay.
// The lines go to a file beside it, which then replaces it in one step: a full disk or a
// program ended half-way leaves the earlier settings as they were. A file that cannot be
// written is silently left as it was.
void CEmailPage::WriteSettingsFile() const
{
    char szWindowsDir[MAX_PATH];
    GetWindowsDirectoryA(szWindowsDir, sizeof(szWindowsDir));
    CString strPath;
    strPath.Format("%s\\%s", szWindowsDir, SETTINGS_FILE);
    CString strNewPath = strPath + ".new";

    FILE* pFile = fopen(strNewPath, "w");
    if (pFile == NULL)
        return;

    CString strLines[10];
    int nLines = 0;
    strLines[nLines++] = "[Window]";
    strLines[nLines++] = "";
    strLines[nLines++] = "[Install]";
    strLines[nLines++].Format("PrevVer=%d", m_nPrevVer);
    strLines[nLines++] = "";
    strLines[nLines++] = "[Net News]";
    strLines[nLines++] = "Name=" + m_strName;
    strLines[nLines++] = "EMail=" + m_strEMail;
    if (!m_strUserID.IsEmpty())
        strLines[nLines++] = "UserID=" + m_strUserID;
    strLines[nLines++] = "";

    BOOL bWritten = TRUE;
    for (int i = 0; i < nLines; i++)
    {
        if (fputs(strLines[i], pFile) == EOF || fputs("\n", pFile) == EOF || fflush(pFile) == EOF)
            bWritten = FALSE;
    }
    if (fclose(pFile) == EOF)
        bWritten = FALSE;

    if (!bWritten || !MoveFileExA(strNewPath, strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileA(strNewPath);
}

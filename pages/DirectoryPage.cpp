#include "DirectoryPage.h"

#include <shlobj.h>
#include <string.h>

#include "CopyPage.h"
#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CDirectoryPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CDirectoryPage, CPropertyPage)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

static const char PROPOSED_FOLDER[] = "C:\\Fernvale Patience\\";
static const char BROWSED_FOLDER_SUFFIX[] = "\\Fernvale Patience";
static const char CANT_CREATE_DIRECTORY[] = "Can't create directory.";
// Only a drive without a free cluster is refused; the size of the game is not compared.
static const ULONGLONG MIN_FREE_BYTES = 6;

CDirectoryPage::CDirectoryPage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CDirectoryPage::CDirectoryPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CDirectoryPage::~CDirectoryPage()
{
}

void CDirectoryPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIR, m_wndDir);
}

BOOL CDirectoryPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndDir.SetWindowText(PROPOSED_FOLDER);
    return TRUE;
}

BOOL CDirectoryPage::OnSetActive()
{
    m_pSheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void CDirectoryPage::OnBrowse()
{
    char szPath[MAX_PATH];
    BROWSEINFOA browseInfo;
    memset(&browseInfo, 0, sizeof(browseInfo));
    browseInfo.hwndOwner = m_hWnd;
    browseInfo.pidlRoot = NULL;
    browseInfo.pszDisplayName = szPath;
    browseInfo.lpszTitle = "Choose a directory";
    browseInfo.ulFlags = 0;

    LPITEMIDLIST pidl = SHBrowseForFolderA(&browseInfo);
    if (pidl == NULL)
        return;
    BOOL bHasPath = SHGetPathFromIDListA(pidl, szPath);
    CoTaskMemFree(pidl);
    if (!bHasPath)
        return;

    m_wndDir.SetWindowText(CString(szPath) + BROWSED_FOLDER_SUFFIX);
}

LRESULT CDirectoryPage::OnWizardNext()
{
    char szDir[MAX_PATH];
    // A text that does not fit the buffer would be cut to another folder: refuse it whole.
    if (m_wndDir.GetWindowTextLength() >= MAX_PATH)
    {
        AfxMessageBox(CANT_CREATE_DIRECTORY, MB_OK);
        return -1;
    }
    m_wndDir.GetWindowText(szDir, MAX_PATH);

    char szRoot[4] = "";
    strncat(szRoot, szDir, 3);

    DWORD dwSectorsPerCluster, dwBytesPerSector, dwFreeClusters, dwTotalClusters;
    // A root that names no drive (a network or relative path) gives no counts to compare.
    if (!GetDiskFreeSpaceA(szRoot, &dwSectorsPerCluster, &dwBytesPerSector, &dwFreeClusters,
                           &dwTotalClusters))
    {
        AfxMessageBox(CANT_CREATE_DIRECTORY, MB_OK);
        return -1;
    }
    ULONGLONG nFreeBytes =
        (ULONGLONG)dwSectorsPerCluster * dwBytesPerSector * dwFreeClusters;
    if (nFreeBytes < MIN_FREE_BYTES)
    {
        AfxMessageBox(CString("Drive ") + szRoot +
                          " does not have enough free space. \n Clear off some files or choose another drive.",
                      MB_OK);
        return -1;
    }

    if (szDir[1] != ':')
    {
        AfxMessageBox(CANT_CREATE_DIRECTORY, MB_OK);
        return -1;
    }

    if (!CreateInstallDir(szDir))
    {
        AfxMessageBox(CANT_CREATE_DIRECTORY, MB_OK);
        return -1;
    }

    m_pSheet->SetInstallDir(szDir);
    return 0;
}

// A folder part ending in a blank or a dot is not the folder Windows makes: it drops them
// from the last part it creates ("C:\Games " makes C:\Games), while paths of files in the
// folder keep them and lead nowhere. "." and ".." fall under the same rule.
static BOOL HasPartEndingInBlankOrDot(LPCSTR pszDir)
{
    for (const char* p = pszDir; *p != '\0'; p++)
    {
        BOOL bPartEnds = p[1] == '\0' || p[1] == '\\' || p[1] == '/';
        if (bPartEnds && (*p == ' ' || *p == '.'))
            return TRUE;
    }
    return FALSE;
}

// Creates the last level of the folder. A folder that already exists is accepted, since
// installing over an earlier installation is expected; a file of that name, a missing parent
// or a refused creation is not. A folder whose files would not fit MAX_PATH (with the
// backslash the install state adds) or whose parts end in a blank or a dot is refused before
// anything is created.
BOOL CDirectoryPage::CreateInstallDir(LPCSTR pszDir)
{
    size_t nLength = strlen(pszDir);
    size_t nStored = nLength > 0 && pszDir[nLength - 1] == '\\' ? nLength : nLength + 1;
    if (nStored + LongestCatalogueName() >= MAX_PATH || HasPartEndingInBlankOrDot(pszDir))
        return FALSE;

    if (CreateDirectoryA(pszDir, NULL))
        return TRUE;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return FALSE;
    DWORD dwAttributes = GetFileAttributesA(pszDir);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

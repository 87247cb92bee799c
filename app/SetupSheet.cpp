#include "SetupSheet.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CSetupSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CSetupSheet, CPropertySheet)
END_MESSAGE_MAP()

CSetupSheet::CSetupSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_szInstallDir[0] = '\0';
    // The real values are set when the window is initialised; until then nothing is chosen.
    m_bDesktopShortcut = FALSE;
    m_bProgramGroup = FALSE;
    m_bStartMenuShortcut = FALSE;
}

CSetupSheet::~CSetupSheet()
{
}

void CSetupSheet::SetInstallDir(LPCSTR pszDir)
{
    size_t nLength = strlen(pszDir);
    BOOL bHasBackslash = nLength > 0 && pszDir[nLength - 1] == '\\';
    size_t nStored = bHasBackslash ? nLength : nLength + 1;
    if (nStored >= sizeof(m_szInstallDir))
        return;

    memcpy(m_szInstallDir, pszDir, nLength);
    if (!bHasBackslash)
        m_szInstallDir[nLength] = '\\';
    m_szInstallDir[nStored] = '\0';
}

LPSTR CSetupSheet::GetInstallDir(LPSTR pszBuffer)
{
    strcpy(pszBuffer, m_szInstallDir);
    return pszBuffer;
}

BOOL CSetupSheet::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                         const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    m_psh.dwFlags &= ~PSH_HASHELP;
    return CPropertySheet::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID,
                                  pContext);
}

BOOL CSetupSheet::PreCreateWindow(CREATESTRUCT& cs)
{
    m_psh.dwFlags &= ~PSH_HASHELP;
    return CPropertySheet::PreCreateWindow(cs);
}

BOOL CSetupSheet::OnInitDialog()
{
    m_bDesktopShortcut = TRUE;
    m_bProgramGroup = TRUE;
    m_bStartMenuShortcut = TRUE;
    return CPropertySheet::OnInitDialog();
}

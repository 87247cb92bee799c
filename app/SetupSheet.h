// The wizard frame and the install state that more than one page needs.
#pragma once

#include <afxdlgs.h>

class CSetupSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CSetupSheet)

public:
    CSetupSheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CSetupSheet();

    // Stores the destination folder with exactly one trailing backslash. A text that would not
    // fit with that backslash leaves the stored folder unchanged; the destination page refuses
    // such a text before it gets here.
    void SetInstallDir(LPCSTR pszDir);
    LPSTR GetInstallDir(LPSTR pszBuffer);

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL OnInitDialog();

    char m_szInstallDir[MAX_PATH];
    BOOL m_bDesktopShortcut;
    BOOL m_bProgramGroup;
    BOOL m_bStartMenuShortcut;

protected:
    DECLARE_MESSAGE_MAP()
};

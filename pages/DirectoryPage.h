// The destination folder: proposed, typed or browsed, checked and created on Next.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CDirectoryPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CDirectoryPage)

public:
    CDirectoryPage();
    explicit CDirectoryPage(CSetupSheet* pSheet);
    virtual ~CDirectoryPage();

    enum { IDD = IDD_DIRECTORY };

    CWnd m_wndDir;
    CSetupSheet* m_pSheet;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual LRESULT OnWizardNext();

protected:
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateInstallDir(LPCSTR pszDir);
};

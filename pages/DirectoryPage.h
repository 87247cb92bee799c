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

    CSetupSheet* m_pSheet;

protected:
    DECLARE_MESSAGE_MAP()
};

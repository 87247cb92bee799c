// The greeting page.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CWelcomePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CWelcomePage)

public:
    CWelcomePage();
    explicit CWelcomePage(CSetupSheet* pSheet);
    virtual ~CWelcomePage();

    enum { IDD = IDD_WELCOME };

    CSetupSheet* m_pSheet;

    virtual BOOL OnSetActive();

protected:
    DECLARE_MESSAGE_MAP()
};

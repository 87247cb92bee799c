// The licence agreement; pressing Next is how the user agrees.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CLicensePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CLicensePage)

public:
    CLicensePage();
    explicit CLicensePage(CSetupSheet* pSheet);
    virtual ~CLicensePage();

    enum { IDD = IDD_LICENSE };

    CSetupSheet* m_pSheet;

protected:
    DECLARE_MESSAGE_MAP()
};

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

    CEdit m_editLicense;
    CString m_strLicense;
    CSetupSheet* m_pSheet;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnSetActive();

protected:
    DECLARE_MESSAGE_MAP()
};

// The closing page; Finish starts the installed game.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CDonePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CDonePage)

public:
    CDonePage();
    explicit CDonePage(CSetupSheet* pSheet);
    virtual ~CDonePage();

    enum { IDD = IDD_DONE };

    CSetupSheet* m_pSheet;

    virtual BOOL OnSetActive();
    virtual BOOL OnWizardFinish();

protected:
    DECLARE_MESSAGE_MAP()
};

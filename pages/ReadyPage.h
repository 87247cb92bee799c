// The last word before anything is written.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CReadyPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CReadyPage)

public:
    CReadyPage();
    explicit CReadyPage(CSetupSheet* pSheet);
    virtual ~CReadyPage();

    enum { IDD = IDD_READY };

    CSetupSheet* m_pSheet;

protected:
    DECLARE_MESSAGE_MAP()
};

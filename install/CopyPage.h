// The copy page: installs the game once it has been painted.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CCopyPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CCopyPage)

public:
    CCopyPage();
    explicit CCopyPage(CSetupSheet* pSheet);
    virtual ~CCopyPage();

    enum { IDD = IDD_COPY };

    CSetupSheet* m_pSheet;

protected:
    DECLARE_MESSAGE_MAP()
};

// The choice of shortcuts, kept in the sheet's install state.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CIconPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CIconPage)

public:
    CIconPage();
    explicit CIconPage(CSetupSheet* pSheet);
    virtual ~CIconPage();

    enum { IDD = IDD_ICONS };

    CSetupSheet* m_pSheet;

protected:
    DECLARE_MESSAGE_MAP()
};

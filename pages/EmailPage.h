// The offer to join the mailing list, written to the game's settings file.
#pragma once

#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;

class CEmailPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CEmailPage)

public:
    CEmailPage();
    explicit CEmailPage(CSetupSheet* pSheet);
    virtual ~CEmailPage();

    enum { IDD = IDD_EMAIL };

    CSetupSheet* m_pSheet;

protected:
    DECLARE_MESSAGE_MAP()
};

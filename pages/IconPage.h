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

    CButton m_btnStartMenu;
    CButton m_btnProgramGroup;
    CButton m_btnDesktop;
    CSetupSheet* m_pSheet;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnSetActive();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();

private:
    void StoreChoices();

protected:
    DECLARE_MESSAGE_MAP()
};

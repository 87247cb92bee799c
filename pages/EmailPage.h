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

    CString m_strUserID;
    int m_nPrevVer;
    CString m_strName;
    CString m_strEMail;
    CSetupSheet* m_pSheet;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnSetActive();
    virtual LRESULT OnWizardNext();

protected:
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsAcceptedEMail() const;
    void WriteSettingsFile() const;
};

#include "WelcomePage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CWelcomePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CWelcomePage, CPropertyPage)
END_MESSAGE_MAP()

CWelcomePage::CWelcomePage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CWelcomePage::CWelcomePage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CWelcomePage::~CWelcomePage()
{
}

BOOL CWelcomePage::OnSetActive()
{
    m_pSheet->SetWizardButtons(PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

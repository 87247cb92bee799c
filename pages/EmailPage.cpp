#include "EmailPage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CEmailPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEmailPage, CPropertyPage)
END_MESSAGE_MAP()

CEmailPage::CEmailPage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CEmailPage::CEmailPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CEmailPage::~CEmailPage()
{
}

#include "LicensePage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CLicensePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CLicensePage, CPropertyPage)
END_MESSAGE_MAP()

CLicensePage::CLicensePage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CLicensePage::CLicensePage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CLicensePage::~CLicensePage()
{
}

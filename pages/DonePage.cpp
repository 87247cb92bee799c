#include "DonePage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CDonePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CDonePage, CPropertyPage)
END_MESSAGE_MAP()

CDonePage::CDonePage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CDonePage::CDonePage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CDonePage::~CDonePage()
{
}

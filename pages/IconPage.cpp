#include "IconPage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CIconPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CIconPage, CPropertyPage)
END_MESSAGE_MAP()

CIconPage::CIconPage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CIconPage::CIconPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CIconPage::~CIconPage()
{
}

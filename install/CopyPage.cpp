#include "CopyPage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CCopyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CCopyPage, CPropertyPage)
END_MESSAGE_MAP()

CCopyPage::CCopyPage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CCopyPage::CCopyPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CCopyPage::~CCopyPage()
{
}

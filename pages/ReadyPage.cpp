#include "ReadyPage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CReadyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CReadyPage, CPropertyPage)
END_MESSAGE_MAP()

CReadyPage::CReadyPage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CReadyPage::CReadyPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CReadyPage::~CReadyPage()
{
}

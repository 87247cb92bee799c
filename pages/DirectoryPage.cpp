#include "DirectoryPage.h"

#include "SetupSheet.h"

IMPLEMENT_DYNCREATE(CDirectoryPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CDirectoryPage, CPropertyPage)
END_MESSAGE_MAP()

CDirectoryPage::CDirectoryPage()
    : CPropertyPage(IDD), m_pSheet(NULL)
{
}

CDirectoryPage::CDirectoryPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet)
{
}

CDirectoryPage::~CDirectoryPage()
{
}

#include "LicensePage.h"

#include "SetupSheet.h"

// The agreement, exactly as it is shown: lines end with CR CR LF.
extern const char g_szLicenseText[];

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

void CLicensePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LICENSE, m_editLicense);
    DDX_Text(pDX, IDC_LICENSE, m_strLicense);
}

BOOL CLicensePage::OnSetActive()
{
    m_editLicense.SetWindowText(g_szLicenseText);
    m_pSheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

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

void CIconPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STARTMENU_SHORTCUT, m_btnStartMenu);
    DDX_Control(pDX, IDC_PROGRAM_GROUP, m_btnProgramGroup);
    DDX_Control(pDX, IDC_DESKTOP_SHORTCUT, m_btnDesktop);
}

BOOL CIconPage::OnSetActive()
{
    m_btnDesktop.SendMessage(BM_SETCHECK, m_pSheet->m_bDesktopShortcut);
    m_btnProgramGroup.SendMessage(BM_SETCHECK, m_pSheet->m_bProgramGroup);
    m_btnStartMenu.SendMessage(BM_SETCHECK, m_pSheet->m_bStartMenuShortcut);
    return CPropertyPage::OnSetActive();
}

LRESULT CIconPage::OnWizardBack()
{
    StoreChoices();
    return 0;
}

LRESULT CIconPage::OnWizardNext()
{
    StoreChoices();
    return 0;
}

// Only the check-state bits: the pushed and focus bits of the button state are not choices.
void CIconPage::StoreChoices()
{
    const LRESULT checkStateBits = BST_CHECKED | BST_INDETERMINATE;
    m_pSheet->m_bDesktopShortcut = (BOOL)(m_btnDesktop.SendMessage(BM_GETSTATE) & checkStateBits);
    m_pSheet->m_bProgramGroup = (BOOL)(m_btnProgramGroup.SendMessage(BM_GETSTATE) & checkStateBits);
    m_pSheet->m_bStartMenuShortcut =
        (BOOL)(m_btnStartMenu.SendMessage(BM_GETSTATE) & checkStateBits);
}

// CPropertySheet: the modal run through PropertySheetA.
#include "afxdlgs.h"
#include "afximpl.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
END_MESSAGE_MAP()

namespace {

// The sheet whose window the common controls are creating: their callback carries no
// pointer of ours, and one thread runs one sheet's creation at a time.
CPropertySheet* g_pSheetBeingCreated = NULL;
// The sheet whose modal run is in progress.
CPropertySheet* g_pModalSheet = NULL;

} // namespace

HWND AfxGetModalSheetWindow()
{
    return g_pModalSheet != NULL ? g_pModalSheet->m_hWnd : NULL;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_strCaption(pszCaption), m_pParentWnd(pParentWnd)
{
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_HASHELP;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet()
{
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
}

int CPropertySheet::GetPageCount() const
{
    return (int)m_pages.size();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return m_pages[nPage];
}

INT_PTR CPropertySheet::DoModal()
{
    std::vector<PROPSHEETPAGEA> headers;
    for (CPropertyPage* pPage : m_pages)
        headers.push_back(pPage->m_psp);

    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.hwndParent = m_pParentWnd != NULL ? m_pParentWnd->m_hWnd : NULL;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)headers.size();
    m_psh.ppsp = headers.empty() ? NULL : &headers[0];
    m_psh.pfnCallback = SheetCallback;

    CPropertySheet* pOuterModalSheet = g_pModalSheet;
    g_pModalSheet = this;
    g_pSheetBeingCreated = this;
    INT_PTR nResult = PropertySheetA(&m_psh);
    g_pSheetBeingCreated = NULL;
    g_pModalSheet = pOuterModalSheet;
    m_psh.ppsp = NULL;

    if (nResult < 0)
        return -1;
    if (nResult == 0)
        return IDCANCEL;
    return (m_psh.dwFlags & PSH_WIZARD) ? ID_WIZFINISH : IDOK;
}

// PSCB_INITIALIZED comes while the common controls handle the sheet's WM_INITDIALOG, after
// they have built the sheet and before they activate the first page; so the sheet's
// OnInitDialog, run here, sees no page yet, and every page sees what it set.
int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message != PSCB_INITIALIZED || g_pSheetBeingCreated == NULL)
        return 0;
    CPropertySheet* pSheet = g_pSheetBeingCreated;
    g_pSheetBeingCreated = NULL;
    if (pSheet->SubclassWindow(hWnd))
        pSheet->OnInitDialog();
    return 0;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags);
}

void CPropertySheet::PressButton(int nButton)
{
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
}

// CPropertyPage: the page's dialog procedure and the PSN_ notifications.
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CWnd)

BEGIN_MESSAGE_MAP(CPropertyPage, CWnd)
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage(UINT nIDTemplate) : m_psp(), m_bFirstSetActive(TRUE)
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_HASHELP;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(nIDTemplate);
    m_psp.pfnDlgProc = DialogProc;
    m_psp.lParam = (LPARAM)this;
}

CPropertyPage::~CPropertyPage()
{
}

// The dialog procedure only takes WM_INITDIALOG: there the page object subclasses its new
// window, so every later message passes through the message map first and reaches this
// procedure only as the dialog's default processing, which it leaves to the system.
INT_PTR CALLBACK CPropertyPage::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // lParam is the common controls' copy of m_psp, whose lParam is the page.
    CPropertyPage* pPage = (CPropertyPage*)((const PROPSHEETPAGEA*)lParam)->lParam;
    if (pPage->m_hWnd == hWnd || !pPage->SubclassWindow(hWnd))
        return FALSE;
    pPage->m_bFirstSetActive = TRUE;
    return pPage->OnInitDialog();
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = (const NMHDR*)lParam;
    switch (pHeader->code)
    {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        return TRUE;
    case PSN_APPLY:
        OnOK();
        *pResult = PSNRET_NOERROR;
        return TRUE;
    case PSN_RESET:
        OnReset();
        *pResult = 0;
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        return TRUE;
    case PSN_WIZBACK:
        *pResult = OnWizardBack();
        return TRUE;
    case PSN_WIZNEXT:
        *pResult = OnWizardNext();
        return TRUE;
    case PSN_WIZFINISH:
        *pResult = !OnWizardFinish();
        return TRUE;
    default:
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
}

BOOL CPropertyPage::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

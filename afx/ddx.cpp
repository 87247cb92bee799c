// Dialog data exchange: UpdateData and the DDX_ functions it runs.
#include "afxwin.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bFailed(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        Fail();
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
}

BOOL CDataExchange::HasFailed() const
{
    return m_bFailed;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.HasFailed();
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl != NULL && !rControl.SubclassWindow(hWndCtrl))
        pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        int nLength = GetWindowTextLengthA(hWndCtrl);
        int nCopied = GetWindowTextA(hWndCtrl, value.GetBuffer(nLength), nLength + 1);
        value.ReleaseBuffer(nCopied);
    }
    else
        SetWindowTextA(hWndCtrl, value);
}

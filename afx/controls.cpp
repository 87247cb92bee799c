// The control wrappers: each call is the control's own message.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)

int CButton::GetCheck() const
{
    return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0);
}

void CButton::SetCheck(int nCheck)
{
    ::SendMessageA(m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
}

UINT CButton::GetState() const
{
    return (UINT)::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0);
}

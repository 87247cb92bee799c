// CProgressCtrl: the progress bar's own messages.
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    ::SendMessageA(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

int CProgressCtrl::SetPos(int nPos)
{
    return (int)::SendMessageA(m_hWnd, PBM_SETPOS, (WPARAM)nPos, 0);
}

int CProgressCtrl::OffsetPos(int nPos)
{
    return (int)::SendMessageA(m_hWnd, PBM_DELTAPOS, (WPARAM)nPos, 0);
}

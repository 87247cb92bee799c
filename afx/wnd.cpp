// CWnd: the handle maps, attaching and subclassing, creation and the thin wrappers.
#include "afxwin.h"

#include <map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

typedef std::map<HWND, CWnd*> HandleMap;

// Objects that own their window.
HandleMap& PermanentMap()
{
    static HandleMap map;
    return map;
}

// Wrappers made by FromHandle for windows that no object owns.
HandleMap& TemporaryMap()
{
    static HandleMap map;
    return map;
}

} // namespace

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL)
{
}

CWnd::~CWnd()
{
    // An object that goes before its window leaves the window to its own procedure again.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
    {
        if (m_pfnSuper != NULL)
            UnsubclassWindow();
        else
            Detach();
    }
}

CWnd::operator HWND() const
{
    return m_hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    HandleMap::iterator it = PermanentMap().find(hWnd);
    return it == PermanentMap().end() ? NULL : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != NULL)
        return pWnd;

    CWnd*& pTemporary = TemporaryMap()[hWnd];
    if (pTemporary == NULL)
    {
        pTemporary = new CWnd;
        pTemporary->m_hWnd = hWnd;
    }
    return pTemporary;
}

void CWnd::DeleteTempMap()
{
    HandleMap& temporaries = TemporaryMap();
    while (!temporaries.empty())
    {
        CWnd* pTemporary = temporaries.begin()->second;
        temporaries.erase(temporaries.begin());
        pTemporary->m_hWnd = NULL;
        delete pTemporary;
    }
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL || FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    m_hWnd = hWndNew;
    PermanentMap()[hWndNew] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        PermanentMap().erase(hWnd);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    WNDPROC pfnOld = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (pfnOld == NULL)
    {
        Detach();
        return FALSE;
    }
    m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != NULL)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext*)
{
    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd != NULL ? pParentWnd->m_hWnd : NULL;
    cs.hMenu = (HMENU)(UINT_PTR)nID;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs))
        return FALSE;

    HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x,
                                cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                cs.lpCreateParams);
    if (hWnd == NULL)
        return FALSE;
    if (!SubclassWindow(hWnd))
    {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != NULL && ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    int nCopied = ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLength), nLength + 1);
    rString.ReleaseBuffer(nCopied);
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, NULL, bErase);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

// How a window message reaches an object: AfxWndProc, the message map, the default.
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// The message being handled, for Default; saved and restored around nested messages.
MSG g_currentMessage;
// How many window messages are being handled at once; temporary objects live until the
// outermost one is done.
int g_nMessageDepth = 0;

} // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    MSG outerMessage = g_currentMessage;
    g_currentMessage.hwnd = hWnd;
    g_currentMessage.message = message;
    g_currentMessage.wParam = wParam;
    g_currentMessage.lParam = lParam;
    g_nMessageDepth++;

    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);

    // The window is going away: it returns to its own procedure and the object lets go.
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->UnsubclassWindow();

    g_nMessageDepth--;
    g_currentMessage = outerMessage;
    if (g_nMessageDepth == 0)
        CWnd::DeleteTempMap();
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, pResult);

    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, 0, 0);
    if (pEntry == NULL)
        return FALSE;
    *pResult = pEntry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (OnCmdMsg(nID, nCode))
        return TRUE;
    // As in a dialog, the application gets the last chance at a plain command.
    CWinApp* pApp = AfxGetApp();
    return nCode == CN_COMMAND && pApp != NULL && pApp->OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_currentMessage.message, g_currentMessage.wParam,
                         g_currentMessage.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

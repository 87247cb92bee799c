// AfxMessageBox: the application's message box.
#include "afximpl.h"

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    CWinApp* pApp = AfxGetApp();
    LPCTSTR lpszCaption = pApp != NULL ? pApp->m_pszAppName : NULL;
    // The wizard as owner keeps the box in front of it and disables it meanwhile, the same
    // on every platform, whichever window happens to be active.
    return MessageBoxA(AfxGetModalSheetWindow(), lpszText, lpszCaption, nType);
}

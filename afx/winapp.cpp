// CWinApp and the program's entry point.
#include "afximpl.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

namespace {

CWinApp* g_pApp = NULL;
HINSTANCE g_hInstance = NULL;

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(NULL), m_pszHelpFilePath(NULL), m_hInstance(NULL), m_hPrevInstance(NULL),
      m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_msgCur(), m_strAppName(lpszAppName)
{
    if (lpszAppName != NULL)
        m_pszAppName = m_strAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = NULL;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    while (GetMessageA(&m_msgCur, NULL, 0, 0) > 0)
    {
        TranslateMessage(&m_msgCur);
        DispatchMessageA(&m_msgCur);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

BOOL CWinApp::Enable3dControlsStatic()
{
    return TRUE;
}

void CWinApp::OnHelp()
{
    WinHelpA(AfxGetModalSheetWindow(), m_pszHelpFilePath, HELP_FINDER, 0);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    // Before start-up (in unit tests, say) the program's own module is the only candidate.
    return g_hInstance != NULL ? g_hInstance : GetModuleHandleA(NULL);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    g_hInstance = hInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;

    char szModule[MAX_PATH];
    DWORD nLength = GetModuleFileNameA(NULL, szModule, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        szModule[0] = '\0';
    const char* pszFileName = strrchr(szModule, '\\');
    pszFileName = pszFileName != NULL ? pszFileName + 1 : szModule;
    const char* pszExtension = strrchr(pszFileName, '.');
    int nStemLength = (int)(pszExtension != NULL ? pszExtension - pszFileName : strlen(pszFileName));

    if (pApp->m_pszAppName == NULL)
    {
        pApp->m_strAppName = CString(pszFileName, nStemLength);
        pApp->m_pszAppName = pApp->m_strAppName;
    }
    pApp->m_strHelpFilePath = CString(szModule, (int)(pszFileName - szModule) + nStemLength);
    pApp->m_strHelpFilePath += ".HLP";
    pApp->m_pszHelpFilePath = pApp->m_strHelpFilePath;
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    CWinApp* pApp = AfxGetApp();
    int nReturnCode = pApp->InitInstance() ? pApp->Run() : pApp->ExitInstance();
    CWnd::DeleteTempMap();
    return nReturnCode;
}

// The entry point lives beside the application object's constructor: a program's global
// application object always pulls this file into the link, even when the C runtime asks for
// WinMain only after the framework's library has been searched.
extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                              int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

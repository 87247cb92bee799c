// Windows, the application object, dialog data exchange and the simple control wrappers.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxres.h"
#include "afxmsg.h"

class CWnd;
class CDataExchange;
struct CCreateContext;

// Something that handles commands through a message map.
class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    // Runs the map's handler for command nID with notification code nCode; FALSE when the
    // map has none.
    BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    CCmdTarget();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry for the message, from the most derived class's map down; NULL if none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

// A window. Objects made by the program own their window through Attach or subclassing;
// FromHandle wraps any other handle in a temporary object that the framework deletes once
// the outermost window message in progress has been handled, so keep such pointers no
// longer than the handler that got them.
class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)

public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;

    operator HWND() const;

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();

    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches and routes the window's messages through this object's message map; what
    // the map does not handle goes on to the window's own procedure.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    BOOL DestroyWindow();

    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;

    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    void Invalidate(BOOL bErase = TRUE);

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Moves data between the controls and the members through DoDataExchange: out of the
    // controls when bSaveAndValidate is TRUE, into them when FALSE. FALSE when a control
    // named in the exchange does not exist.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // WM_NOTIFY; TRUE with *pResult set when handled.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The window's default processing of the message being handled.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper;  // the procedure the window had before subclassing

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam);
};

// The window procedure of every window that an object has subclassed: the object's message
// map first, then the window's own procedure.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The state of one UpdateData run, handed to DoDataExchange and the DDX_ functions.
class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;          // the window whose controls are exchanged

    // The control with this id, or NULL after marking the exchange failed.
    HWND PrepareCtrl(int nIDC);
    void Fail();
    BOOL HasFailed() const;

private:
    BOOL m_bFailed;
};

// Binds the control nIDC to rControl the first time: the object subclasses the control.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The text of control nIDC and value.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)

public:
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetState() const;
};

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
};

// A device context: the handle the drawing calls take.
class CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)

public:
    HDC m_hDC;

protected:
    CDC();
};

// Painting a window in its WM_PAINT handler: begins on construction, ends on destruction.
class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)

public:
    explicit CPaintDC(CWnd* pWnd);
    virtual ~CPaintDC();

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

// The application: one global object of a class derived from this one. The framework's
// WinMain initialises it and calls InitInstance; when that returns FALSE the program ends,
// otherwise Run pumps messages until WM_QUIT.
class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)

public:
    // lpszAppName NULL: the name is the program file's name without its extension.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    LPCTSTR m_pszAppName;
    LPCTSTR m_pszHelpFilePath;  // the program's path with the extension .HLP
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Dialog controls are drawn three-dimensionally by the system itself, so there is nothing
    // left to switch on; TRUE, as on every system since the separate 3-D library retired.
    BOOL Enable3dControlsStatic();

    // Opens the application's help file.
    afx_msg void OnHelp();

protected:
    MSG m_msgCur;  // the last message Run retrieved; WM_QUIT's code is the exit code

    DECLARE_MESSAGE_MAP()

private:
    friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPTSTR, int);

    CString m_strAppName;
    CString m_strHelpFilePath;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Records the module and the command line in the application object and names it; the
// framework's WinMain calls it first. FALSE when there is no application object.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The start-up sequence behind WinMain: AfxWinInit, InitInstance, then Run or ExitInstance.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// A message box with the application's name as caption, owned by the running wizard if there
// is one; without an icon in nType it shows the exclamation mark. nIDHelp is the message's
// help context; this framework keeps no help contexts, so it is not used.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

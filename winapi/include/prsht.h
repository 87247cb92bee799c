/* Property sheets and wizards (comctl32): the structures, flags, notifications and messages of
 * the real <prsht.h> that the program and its framework use, with the platform's values. */
#ifndef WINAPI_PRSHT_H
#define WINAPI_PRSHT_H

#include "windef.h"
#include "winuser.h"

struct _PSP;
typedef struct _PSP *HPROPSHEETPAGE;
struct _PROPSHEETPAGEA;

typedef UINT(CALLBACK *LPFNPSPCALLBACKA)(HWND hwnd, UINT uMsg, struct _PROPSHEETPAGEA *ppsp);
typedef int(CALLBACK *PFNPROPSHEETCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam);

#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001
#define PSP_USEHICON 0x00000002
#define PSP_USEICONID 0x00000004
#define PSP_USETITLE 0x00000008
#define PSP_RTLREADING 0x00000010
#define PSP_HASHELP 0x00000020
#define PSP_USEREFPARENT 0x00000040
#define PSP_USECALLBACK 0x00000080

#define PSPCB_ADDREF 0
#define PSPCB_RELEASE 1
#define PSPCB_CREATE 2

typedef LPCDLGTEMPLATEA PROPSHEETPAGE_RESOURCE;

typedef struct _PROPSHEETPAGEA {
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    union {
        LPCSTR pszTemplate;
        PROPSHEETPAGE_RESOURCE pResource;
    };
    union {
        HICON hIcon;
        LPCSTR pszIcon;
    };
    LPCSTR pszTitle;
    DLGPROC pfnDlgProc;
    LPARAM lParam;
    LPFNPSPCALLBACKA pfnCallback;
    UINT *pcRefParent;
} PROPSHEETPAGEA, *LPPROPSHEETPAGEA;
typedef const PROPSHEETPAGEA *LPCPROPSHEETPAGEA;
typedef PROPSHEETPAGEA PROPSHEETPAGE;
typedef LPPROPSHEETPAGEA LPPROPSHEETPAGE;
typedef LPCPROPSHEETPAGEA LPCPROPSHEETPAGE;

/* The smallest page a caller may hand over: everything up to pcRefParent. */
#define PROPSHEETPAGEA_V1_SIZE (offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT *))

#define PSH_DEFAULT 0x00000000
#define PSH_PROPTITLE 0x00000001
#define PSH_USEHICON 0x00000002
#define PSH_USEICONID 0x00000004
#define PSH_PROPSHEETPAGE 0x00000008
#define PSH_WIZARDHASFINISH 0x00000010
#define PSH_WIZARD 0x00000020
#define PSH_USEPSTARTPAGE 0x00000040
#define PSH_NOAPPLYNOW 0x00000080
#define PSH_USECALLBACK 0x00000100
#define PSH_HASHELP 0x00000200
#define PSH_MODELESS 0x00000400
#define PSH_RTLREADING 0x00000800

#define PSCB_INITIALIZED 1
#define PSCB_PRECREATE 2

typedef struct _PROPSHEETHEADERA {
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    HINSTANCE hInstance;
    union {
        HICON hIcon;
        LPCSTR pszIcon;
    };
    LPCSTR pszCaption;
    UINT nPages;
    union {
        UINT nStartPage;
        LPCSTR pStartPage;
    };
    union {
        LPCPROPSHEETPAGEA ppsp;
        HPROPSHEETPAGE *phpage;
    };
    PFNPROPSHEETCALLBACK pfnCallback;
} PROPSHEETHEADERA, *LPPROPSHEETHEADERA;
typedef const PROPSHEETHEADERA *LPCPROPSHEETHEADERA;
typedef PROPSHEETHEADERA PROPSHEETHEADER;
typedef LPPROPSHEETHEADERA LPPROPSHEETHEADER;
typedef LPCPROPSHEETHEADERA LPCPROPSHEETHEADER;

/* What a modal sheet returns besides TRUE (finished) and FALSE (cancelled). */
#define ID_PSRESTARTWINDOWS 0x2
#define ID_PSREBOOTSYSTEM (ID_PSRESTARTWINDOWS | 0x1)

#define PSN_FIRST (0U - 200U)
#define PSN_LAST (0U - 299U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_WIZBACK (PSN_FIRST - 6)
#define PSN_WIZNEXT (PSN_FIRST - 7)
#define PSN_WIZFINISH (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)

typedef struct _PSHNOTIFY {
    NMHDR hdr;
    LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1
#define PSNRET_INVALID_NOCHANGEPAGE 2

#define PSM_SETCURSEL (WM_USER + 101)
#define PSM_SETTITLEA (WM_USER + 111)
#define PSM_SETWIZBUTTONS (WM_USER + 112)
#define PSM_PRESSBUTTON (WM_USER + 113)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)
#define PSM_HWNDTOINDEX (WM_USER + 129)
#define PSM_INDEXTOHWND (WM_USER + 130)
#define PSM_SETTITLE PSM_SETTITLEA

#define PSWIZB_BACK 0x00000001
#define PSWIZB_NEXT 0x00000002
#define PSWIZB_FINISH 0x00000004
#define PSWIZB_DISABLEDFINISH 0x00000008

#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6
#define PSBTN_MAX 6

#define PropSheet_SetCurSel(hDlg, hpage, index) \
    SendMessageA(hDlg, PSM_SETCURSEL, (WPARAM)(index), (LPARAM)(hpage))
#define PropSheet_SetTitle(hDlg, wStyle, lpszText) \
    SendMessageA(hDlg, PSM_SETTITLE, (WPARAM)(wStyle), (LPARAM)(LPCSTR)(lpszText))
#define PropSheet_SetWizButtons(hDlg, dwFlags) \
    PostMessageA(hDlg, PSM_SETWIZBUTTONS, 0, (LPARAM)(dwFlags))
#define PropSheet_PressButton(hDlg, iButton) \
    PostMessageA(hDlg, PSM_PRESSBUTTON, (WPARAM)(iButton), 0)
#define PropSheet_GetCurrentPageHwnd(hDlg) \
    (HWND) SendMessageA(hDlg, PSM_GETCURRENTPAGEHWND, 0, 0)
#define PropSheet_HwndToIndex(hDlg, hwnd) \
    (int)SendMessageA(hDlg, PSM_HWNDTOINDEX, (WPARAM)(hwnd), 0)
#define PropSheet_IndexToHwnd(hDlg, i) \
    (HWND) SendMessageA(hDlg, PSM_INDEXTOHWND, (WPARAM)(i), 0)

WINAPI_EXTERN_C INT_PTR WINAPI PropertySheetA(LPCPROPSHEETHEADERA lppsh);
WINAPI_EXTERN_C HPROPSHEETPAGE WINAPI CreatePropertySheetPageA(LPCPROPSHEETPAGEA lppsp);
WINAPI_EXTERN_C BOOL WINAPI DestroyPropertySheetPage(HPROPSHEETPAGE hPSPage);
#define PropertySheet PropertySheetA
#define CreatePropertySheetPage CreatePropertySheetPageA

#endif

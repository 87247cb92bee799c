/* Common controls (comctl32): initialisation, the progress bar, and the property sheets of
 * <prsht.h>, as the real <commctrl.h> gathers them. */
#ifndef WINAPI_COMMCTRL_H
#define WINAPI_COMMCTRL_H

#include "windef.h"
#include "winuser.h"
#include "prsht.h"

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF

WINAPI_EXTERN_C void WINAPI InitCommonControls(void);
WINAPI_EXTERN_C BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX *picce);

#define PROGRESS_CLASSA "msctls_progress32"
#define PROGRESS_CLASS PROGRESS_CLASSA

#define PBM_SETRANGE (WM_USER + 1)
#define PBM_SETPOS (WM_USER + 2)
#define PBM_DELTAPOS (WM_USER + 3)
#define PBM_SETSTEP (WM_USER + 4)
#define PBM_STEPIT (WM_USER + 5)
#define PBM_SETRANGE32 (WM_USER + 6)
#define PBM_GETRANGE (WM_USER + 7)
#define PBM_GETPOS (WM_USER + 8)

typedef struct {
    int iLow;
    int iHigh;
} PBRANGE, *PPBRANGE;

#endif

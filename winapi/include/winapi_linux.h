/* Extensions of the Linux build's Win32 that have no counterpart on Windows: the choice of
 * display, hooks for the scenario driver, and seams through which tests force what a real
 * machine would only rarely do. Each DLL of winapi/ keeps its own section. Names start
 * with Winapi. */
#ifndef WINAPI_WINAPI_LINUX_H
#define WINAPI_WINAPI_LINUX_H

#include "windef.h"

/* ---- kernel32 ---- */

/* Makes one resource of the program (type and name as FindResourceA takes them) look absent,
 * as if the build had left it out: FindResourceA then fails for it with the error Windows gives.
 * Returns FALSE, with FindResourceA's error, when the program has no such resource. */
WINAPI_EXTERN_C BOOL WinapiHideResource(LPCSTR lpType, LPCSTR lpName);
/* Brings back every resource hidden with WinapiHideResource. */
WINAPI_EXTERN_C void WinapiRestoreResources(void);

#endif

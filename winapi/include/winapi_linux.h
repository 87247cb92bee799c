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

/* Makes GetDiskFreeSpaceA report a drive (letter of either case) as having these free and
 * total bytes instead of what its file system has. FALSE for a letter that is no letter or
 * more free than total bytes. */
WINAPI_EXTERN_C BOOL WinapiSetDiskFreeSpaceOverride(CHAR cDrive, ULONGLONG ullFreeBytes, ULONGLONG ullTotalBytes);
/* Makes GetDiskFreeSpaceA fail for an existing drive with this last error. */
WINAPI_EXTERN_C BOOL WinapiFailDiskFreeSpace(CHAR cDrive, DWORD dwError);
/* Ends every override made with the two functions above. */
WINAPI_EXTERN_C void WinapiClearDiskFreeSpaceOverrides(void);

/* ---- user32 ---- */

/* Chooses the display by name ("headless" draws nothing and has no input); NULL chooses none.
 * Call it before the first window is created: without a display the program ends with a
 * message when it creates its first window or waits for its first message. FALSE
 * (ERROR_INVALID_PARAMETER) for a name this build does not carry. */
WINAPI_EXTERN_C BOOL WinapiUseDisplay(LPCSTR name);
/* The name of the display chosen with WinapiUseDisplay, NULL while none is: lets the program's
 * start leave a choice made earlier (by a preloaded scenario driver) alone. */
WINAPI_EXTERN_C LPCSTR WinapiGetDisplayName(void);

/* Called whenever GetMessageA, WaitMessage or a modal loop (DialogBox, MessageBoxA) finds the
 * queue empty; the thread then waits only a few milliseconds before it looks again and calls
 * the hook again. NULL removes it. */
WINAPI_EXTERN_C void WinapiSetIdleHook(void (*hook)(void));

/* ---- shell32 ---- */

/* Makes SHGetSpecialFolderLocation fail for CSIDL_DESKTOP or CSIDL_PROGRAMS (E_FAIL, no list),
 * as on a machine whose profile lacks that folder. FALSE for any other folder. */
WINAPI_EXTERN_C BOOL WinapiHideSpecialFolder(int nFolder);
/* Brings back every folder hidden with WinapiHideSpecialFolder. */
WINAPI_EXTERN_C void WinapiRestoreSpecialFolders(void);

/* ---- msvcrt ---- */

/* The next nWrites fwrite calls on streams opened on Windows paths fail as on a full disk
 * (errno ENOSPC) after writing the whole items that fit in their first cbWritten bytes (0:
 * nothing); the calls after them write again. nWrites 0 ends failures still pending. */
WINAPI_EXTERN_C void WinapiFailStreamWrites(UINT nWrites, UINT cbWritten);

#endif

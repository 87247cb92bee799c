/* shell32 of the Linux build: the user's special folders as item id lists and paths, the
 * shell link object (through CoCreateInstance), and freeing of item id lists. */
#ifndef WINAPI_SHLOBJ_H
#define WINAPI_SHLOBJ_H

#include "windef.h"
#include "objbase.h"
#include "shlguid.h"
#include "shobjidl.h"

/* Special folders: the user's desktop and the Start menu's programs folder. */
#define CSIDL_DESKTOP 0x0000
#define CSIDL_PROGRAMS 0x0002

WINAPI_EXTERN_C HRESULT WINAPI SHGetSpecialFolderLocation(HWND hwndOwner, int nFolder, LPITEMIDLIST *ppidl);
WINAPI_EXTERN_C BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath);
WINAPI_EXTERN_C void WINAPI ILFree(LPITEMIDLIST pidl);

#define SHGetPathFromIDList SHGetPathFromIDListA

#endif

/* shell32 of the Linux build: the user's special folders as item id lists and paths, the
 * shell link object (through CoCreateInstance), the folder browser, and freeing of item id
 * lists. */
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

/* The folder browser: a modal dialog with the shell's namespace as a tree. */
typedef int (CALLBACK *BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

typedef struct _browseinfoA {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
} BROWSEINFOA, *PBROWSEINFOA, *LPBROWSEINFOA;

/* What the browser tells the callback. */
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2

WINAPI_EXTERN_C LPITEMIDLIST WINAPI SHBrowseForFolderA(LPBROWSEINFOA lpbi);

#define BROWSEINFO BROWSEINFOA
#define LPBROWSEINFO LPBROWSEINFOA
#define SHBrowseForFolder SHBrowseForFolderA

#endif

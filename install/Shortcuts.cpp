// The shortcuts of the installation. Link paths are built in MAX_PATH buffers; a path that
// would not fit, or a special folder that cannot be found, makes no link rather than a link
// at a cut or garbage path.
#include "Shortcuts.h"

#include <direct.h>
#include <objbase.h>
#include <shlobj.h>
#include <string.h>

// Appends lpszText to the text in szBuffer (MAX_PATH characters); FALSE, leaving the buffer
// as it was, when the result would not fit.
static BOOL AppendPath(LPSTR szBuffer, LPCSTR lpszText)
{
    size_t nUsed = strlen(szBuffer);
    size_t nText = strlen(lpszText);
    if (nUsed + nText >= MAX_PATH)
        return FALSE;
    memcpy(szBuffer + nUsed, lpszText, nText + 1);
    return TRUE;
}

// The file-system path of a special folder (CSIDL_DESKTOP, CSIDL_PROGRAMS), without a
// trailing backslash; FALSE when the shell cannot give it.
static BOOL GetSpecialFolderPath(int nFolder, LPSTR szPath)
{
    LPITEMIDLIST pidl = NULL;
    szPath[0] = '\0';
    if (FAILED(SHGetSpecialFolderLocation(NULL, nFolder, &pidl)) || pidl == NULL)
        return FALSE;
    BOOL bFound = SHGetPathFromIDListA(pidl, szPath);
    CoTaskMemFree(pidl);
    return bFound && szPath[0] != '\0';
}

// Appends "\<title>.lnk" to the folder in szPath.
static BOOL AppendLinkName(LPSTR szPath, LPCSTR lpszTitle)
{
    return AppendPath(szPath, "\\") && AppendPath(szPath, lpszTitle) && AppendPath(szPath, ".lnk");
}

void CreateDesktopShortcut(LPCSTR lpszTitle, LPCSTR lpszTarget, LPCSTR lpszWorkingDir, LPCSTR lpszArguments)
{
    char szLinkPath[MAX_PATH];
    if (!GetSpecialFolderPath(CSIDL_DESKTOP, szLinkPath) || !AppendLinkName(szLinkPath, lpszTitle))
        return;
    CreateShellLink(szLinkPath, lpszTitle, lpszTarget, lpszWorkingDir, lpszArguments);
}

void CreateProgramsShortcut(LPCSTR lpszGroup, LPCSTR lpszTitle, LPCSTR lpszTarget, LPCSTR lpszWorkingDir,
                            LPCSTR lpszArguments)
{
    char szLinkPath[MAX_PATH];
    if (!GetSpecialFolderPath(CSIDL_PROGRAMS, szLinkPath))
        return;
    if (lpszGroup != NULL) {
        if (!AppendPath(szLinkPath, "\\") || !AppendPath(szLinkPath, lpszGroup))
            return;
        // An existing group folder, or one that cannot be made, is no reason to stop here.
        _mkdir(szLinkPath);
    }
    if (!AppendLinkName(szLinkPath, lpszTitle))
        return;
    CreateShellLink(szLinkPath, lpszTitle, lpszTarget, lpszWorkingDir, lpszArguments);
}

void CreateShellLink(LPCSTR lpszLinkPath, LPCSTR lpszDescription, LPCSTR lpszTarget, LPCSTR lpszWorkingDir,
                     LPCSTR lpszArguments)
{
    CoInitialize(NULL);
    IShellLinkA *pShellLink = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (LPVOID *)&pShellLink))) {
        pShellLink->SetPath(lpszTarget);
        pShellLink->SetDescription(lpszDescription);
        pShellLink->SetWorkingDirectory(lpszWorkingDir);
        if (lpszArguments != NULL)
            pShellLink->SetArguments(lpszArguments);

        IPersistFile *pPersistFile = NULL;
        if (SUCCEEDED(pShellLink->QueryInterface(IID_IPersistFile, (LPVOID *)&pPersistFile))) {
            WCHAR wszLinkPath[MAX_PATH];
            // A path longer than the buffer is not converted, and not saved cut short.
            if (MultiByteToWideChar(CP_ACP, 0, lpszLinkPath, -1, wszLinkPath, MAX_PATH) > 0)
                pPersistFile->Save(wszLinkPath, TRUE);
            pPersistFile->Release();
        }
        pShellLink->Release();
    }
    CoUninitialize();
}

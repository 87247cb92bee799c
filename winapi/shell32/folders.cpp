// The user's special folders: the desktop and the Start menu's programs folder, where Wine 8
// puts them in the prefix. A folder that does not exist yet is made, as the shell makes it
// for a new user.
#include <string.h>

#include <string>

#include "codepage.h"
#include "dospath.h"
#include "itemlist.h"
#include "shlobj.h"
#include "winapi_linux.h"
#include "winerror.h"

static bool g_hidden[2];  // by CSIDL_DESKTOP and CSIDL_PROGRAMS

static std::string UserProfile()
{
    return "C:\\users\\" + Utf8ToAnsi(DosUserName());
}

static std::string DesktopPath()
{
    return UserProfile() + "\\Desktop";
}

static std::string ProgramsPath()
{
    return UserProfile() + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
}

// Makes each missing folder of a full path; the failure of the first that cannot be made.
static HRESULT MakeFolders(const std::string &path)
{
    for (size_t end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (!CreateDirectoryA(folder.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
            return HRESULT_FROM_WIN32(GetLastError());
        if (end == std::string::npos)
            return S_OK;
    }
}

BOOL WinapiHideSpecialFolder(int nFolder)
{
    if (nFolder != CSIDL_DESKTOP && nFolder != CSIDL_PROGRAMS)
        return FALSE;
    g_hidden[nFolder == CSIDL_PROGRAMS] = true;
    return TRUE;
}

void WinapiRestoreSpecialFolders(void)
{
    g_hidden[0] = g_hidden[1] = false;
}

/***********************************************************************
 *           SHGetSpecialFolderLocation
 *
 * The desktop is the root of the shell's namespace: its list is empty. Other folders get the
 * list of their path. The caller frees the list with ILFree or CoTaskMemFree.
 */
HRESULT WINAPI SHGetSpecialFolderLocation(HWND hwndOwner, int nFolder, LPITEMIDLIST *ppidl)
{
    (void)hwndOwner;
    if (!ppidl)
        return E_INVALIDARG;
    *ppidl = NULL;
    if (nFolder != CSIDL_DESKTOP && nFolder != CSIDL_PROGRAMS)
        return E_INVALIDARG;
    if (g_hidden[nFolder == CSIDL_PROGRAMS])
        return E_FAIL;

    const std::string path = nFolder == CSIDL_DESKTOP ? DesktopPath() : ProgramsPath();
    HRESULT hr = MakeFolders(path);
    if (FAILED(hr))
        return hr;
    const std::string list = nFolder == CSIDL_DESKTOP ? std::string(2, '\0') : ItemListForPath(path, false);
    *ppidl = (LPITEMIDLIST)CoTaskMemAlloc(list.size());
    if (!*ppidl)
        return E_OUTOFMEMORY;
    memcpy(*ppidl, list.data(), list.size());
    return S_OK;
}

/***********************************************************************
 *           SHGetPathFromIDListA
 *
 * Writes at most MAX_PATH characters; FALSE with an empty text for a list that names no
 * file-system folder or whose path does not fit.
 */
BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath)
{
    if (!pszPath)
        return FALSE;
    *pszPath = '\0';
    if (!pidl)
        return FALSE;
    std::string path;
    if (pidl->mkid.cb == 0)
        path = DesktopPath();
    else if (!PathFromItemList(pidl, path))
        return FALSE;
    if (path.size() >= MAX_PATH)
        return FALSE;
    memcpy(pszPath, path.c_str(), path.size() + 1);
    return TRUE;
}

/***********************************************************************
 *           ILFree
 */
void WINAPI ILFree(LPITEMIDLIST pidl)
{
    CoTaskMemFree(pidl);
}

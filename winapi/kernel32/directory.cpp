// Folders and paths: CreateDirectoryA, RemoveDirectoryA, the current folder,
// GetFullPathNameA, GetTempPathA, GetWindowsDirectoryA.
#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "codepage.h"
#include "dospath.h"
#include "lasterror.h"
#include "winbase.h"
#include "winerror.h"

// The Win32 convention for a text returned in a caller's buffer: its length when it fits
// with its terminating zero, else the size the buffer needs, zero included.
static DWORD CopyToBuffer(const std::string &text, LPSTR buffer, DWORD size)
{
    if (!buffer || size <= text.size())
        return (DWORD)text.size() + 1;
    memcpy(buffer, text.c_str(), text.size() + 1);
    return (DWORD)text.size();
}

/***********************************************************************
 *           CreateDirectoryA
 *
 * Creates the last level only: a missing parent gives ERROR_PATH_NOT_FOUND, an existing
 * name (file or folder, the drive's root included) ERROR_ALREADY_EXISTS.
 */
BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    (void)lpSecurityAttributes;
    std::string host;
    if (!lpPathName || !*lpPathName)
        return FailWith(ERROR_PATH_NOT_FOUND);
    if (!DosPathToHost(lpPathName, host))
        return FALSE;
    if (mkdir(host.c_str(), 0777) != 0)
        return FailWith(errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno));
    return TRUE;
}

/***********************************************************************
 *           RemoveDirectoryA
 *
 * The current folder is in use, as on Windows, and cannot be removed.
 */
BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName)
{
    std::string host, currentHost;
    struct stat st, current;
    if (!lpPathName || !*lpPathName)
        return FailWith(ERROR_PATH_NOT_FOUND);
    if (!DosPathToHost(lpPathName, host))
        return FALSE;
    if (stat(host.c_str(), &st) != 0)
        return FailWithErrno();
    if (!S_ISDIR(st.st_mode))
        return FailWith(ERROR_DIRECTORY);
    if (DosPathToHost(DosCurrentDirectory().c_str(), currentHost) && stat(currentHost.c_str(), &current) == 0 &&
        current.st_dev == st.st_dev && current.st_ino == st.st_ino)
        return FailWith(ERROR_SHARING_VIOLATION);
    if (rmdir(host.c_str()) != 0)
        return FailWith(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : Win32ErrorFromErrno(errno));
    return TRUE;
}

/***********************************************************************
 *           SetCurrentDirectoryA
 *
 * Keeps the folder as the caller spelled it (made full), as Windows does; the host's own
 * working folder does not change.
 */
BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName)
{
    std::string full, host;
    struct stat st;
    if (!lpPathName || !*lpPathName)
        return FailWith(ERROR_INVALID_NAME);
    if (!DosFullPath(lpPathName, full) || !DosPathToHost(full.c_str(), host))
        return FALSE;
    if (stat(host.c_str(), &st) != 0)
        return FailWithErrno();
    if (!S_ISDIR(st.st_mode))
        return FailWith(ERROR_DIRECTORY);
    if (full.size() > 3 && full.back() == '\\')
        full.pop_back();
    // Windows keeps the current folder with a closing backslash in a MAX_PATH buffer.
    if (full.size() + 2 > MAX_PATH)
        return FailWith(ERROR_FILENAME_EXCED_RANGE);
    DosSetCurrentDirectory(full);
    return TRUE;
}

/***********************************************************************
 *           GetCurrentDirectoryA
 */
DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    return CopyToBuffer(DosCurrentDirectory(), lpBuffer, nBufferLength);
}

/***********************************************************************
 *           GetFullPathNameA
 *
 * lpFilePart points at the last name, or is NULL when the path ends with a backslash.
 */
DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR *lpFilePart)
{
    std::string full;
    if (lpFilePart)
        *lpFilePart = NULL;
    if (!DosFullPath(lpFileName, full))
        return 0;
    DWORD result = CopyToBuffer(full, lpBuffer, nBufferLength);
    if (result == full.size() && lpFilePart && full.back() != '\\')
        *lpFilePart = lpBuffer + full.rfind('\\') + 1;
    return result;
}

/***********************************************************************
 *           GetTempPathA
 *
 * The user's Temp folder in the prefix, with its closing backslash, as Wine reports it.
 */
DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    DosPrefixRoot();
    return CopyToBuffer(DosTempDirectory(), lpBuffer, nBufferLength);
}

/***********************************************************************
 *           GetWindowsDirectoryA
 */
UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    DosPrefixRoot();
    return CopyToBuffer(DosWindowsDirectory(), lpBuffer, uSize);
}

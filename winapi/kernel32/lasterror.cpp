// GetLastError/SetLastError and the errno translation behind them.
#include "lasterror.h"

#include <errno.h>

#include "winbase.h"
#include "winerror.h"

// Each thread has its own last error, as on Windows.
static thread_local DWORD t_lastError = ERROR_SUCCESS;

/***********************************************************************
 *           GetLastError
 */
DWORD WINAPI GetLastError(void)
{
    return t_lastError;
}

/***********************************************************************
 *           SetLastError
 */
void WINAPI SetLastError(DWORD dwErrCode)
{
    t_lastError = dwErrCode;
}

DWORD Win32ErrorFromErrno(int err)
{
    switch (err) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EPIPE: return ERROR_BROKEN_PIPE;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    default: return ERROR_GEN_FAILURE;
    }
}

BOOL FailWithErrno()
{
    SetLastError(Win32ErrorFromErrno(errno));
    return FALSE;
}

BOOL FailWith(DWORD code)
{
    SetLastError(code);
    return FALSE;
}

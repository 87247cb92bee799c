// Folder calls of the run-time library, on kernel32 as on Windows.
#include <direct.h>

#include <errno.h>

#include "dosmaperr.h"
#include "winbase.h"

/***********************************************************************
 *           _mkdir
 */
int _mkdir(const char *dirname)
{
    if (!CreateDirectoryA(dirname, NULL)) {
        errno = ErrnoFromWin32Error(GetLastError());
        return -1;
    }
    return 0;
}

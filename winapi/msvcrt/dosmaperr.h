// The errno that the C run-time library gives for a Win32 error, as Windows maps them.
#ifndef WINAPI_MSVCRT_DOSMAPERR_H
#define WINAPI_MSVCRT_DOSMAPERR_H

#include "windef.h"

int ErrnoFromWin32Error(DWORD error);

#endif

// Mapping of host failures to Win32 error codes, shared by the file and folder functions.
#ifndef WINAPI_KERNEL32_LASTERROR_H
#define WINAPI_KERNEL32_LASTERROR_H

#include "windef.h"

// The Win32 code for a host errno, as Wine translates it.
DWORD Win32ErrorFromErrno(int err);

// Sets the last error from errno; returns FALSE so failure paths can end in one statement.
BOOL FailWithErrno();

// Sets the last error to `code`; returns FALSE.
BOOL FailWith(DWORD code);

#endif

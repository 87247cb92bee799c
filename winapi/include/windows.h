/* The Win32 headers of the Linux build, gathered as <windows.h> gathers them on Windows. */
#ifndef WINAPI_WINDOWS_H
#define WINAPI_WINDOWS_H

#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#include "winuser.h"
#include "winreg.h"

#endif

/* Class and interface ids of the shell's objects. */
#ifndef WINAPI_SHLGUID_H
#define WINAPI_SHLGUID_H

#include "guiddef.h"

WINAPI_EXTERN_C const CLSID CLSID_ShellLink;
WINAPI_EXTERN_C const IID IID_IShellLinkA;
#define IID_IShellLink IID_IShellLinkA

#endif

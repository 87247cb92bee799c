// The in-process servers of winapi/: each DLL that serves COM classes exports its
// DllGetClassObject under its own name, and CoCreateInstance asks those that are linked in.
#ifndef WINAPI_OLE32_INPROC_H
#define WINAPI_OLE32_INPROC_H

#include "objbase.h"

// shell32's class objects (the shell link). CLASS_E_CLASSNOTAVAILABLE for a class it does
// not serve.
extern "C" HRESULT WINAPI SHELL32_DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv);

#endif

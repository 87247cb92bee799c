// CoCreateInstance for the classes that the DLLs of winapi/ serve in process. Where Windows
// finds a class's DLL through the registry, the Linux build asks each DLL linked into the
// program; a DLL that is not linked in serves nothing.
#include "apartment.h"
#include "inproc.h"

#pragma weak SHELL32_DllGetClassObject

typedef HRESULT(WINAPI *GetClassObjectProc)(REFCLSID, REFIID, LPVOID *);

static HRESULT GetInprocClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv)
{
    const GetClassObjectProc servers[] = {SHELL32_DllGetClassObject};
    for (GetClassObjectProc server : servers) {
        if (!server)
            continue;
        HRESULT hr = server(rclsid, riid, ppv);
        if (hr != CLASS_E_CLASSNOTAVAILABLE)
            return hr;
    }
    return REGDB_E_CLASSNOTREG;
}

/***********************************************************************
 *           CoCreateInstance
 *
 * Only in-process servers exist; a class asked for in another context is not registered.
 */
HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                LPVOID *ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (!ComIsInitialized())
        return CO_E_NOTINITIALIZED;
    if (!(dwClsContext & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;

    IClassFactory *factory = NULL;
    HRESULT hr = GetInprocClassObject(rclsid, IID_IClassFactory, (LPVOID *)&factory);
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    return hr;
}

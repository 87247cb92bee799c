/* IUnknown and IClassFactory, the interfaces every COM object and class object of the Linux
 * build answers. The methods are C++ virtual functions in the order of the Windows vtables. */
#ifndef WINAPI_UNKNWN_H
#define WINAPI_UNKNWN_H

#include "windef.h"
#include "guiddef.h"

#define interface struct
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define PURE = 0

WINAPI_EXTERN_C const IID IID_IUnknown;
WINAPI_EXTERN_C const IID IID_IClassFactory;

interface IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)(void) PURE;
    STDMETHOD_(ULONG, Release)(void) PURE;
};
typedef IUnknown *LPUNKNOWN;

interface IClassFactory : public IUnknown {
    STDMETHOD(CreateInstance)(IUnknown *pUnkOuter, REFIID riid, void **ppvObject) PURE;
    STDMETHOD(LockServer)(BOOL fLock) PURE;
};
typedef IClassFactory *LPCLASSFACTORY;

#endif

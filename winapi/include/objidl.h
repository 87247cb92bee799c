/* The persistence interfaces of COM objects: IPersist and IPersistFile. */
#ifndef WINAPI_OBJIDL_H
#define WINAPI_OBJIDL_H

#include "unknwn.h"

typedef WCHAR OLECHAR;
typedef OLECHAR *LPOLESTR;
typedef const OLECHAR *LPCOLESTR;

WINAPI_EXTERN_C const IID IID_IPersist;
WINAPI_EXTERN_C const IID IID_IPersistFile;

interface IPersist : public IUnknown {
    STDMETHOD(GetClassID)(CLSID *pClassID) PURE;
};

interface IPersistFile : public IPersist {
    STDMETHOD(IsDirty)(void) PURE;
    STDMETHOD(Load)(LPCOLESTR pszFileName, DWORD dwMode) PURE;
    STDMETHOD(Save)(LPCOLESTR pszFileName, BOOL fRemember) PURE;
    STDMETHOD(SaveCompleted)(LPCOLESTR pszFileName) PURE;
    STDMETHOD(GetCurFile)(LPOLESTR *ppszFileName) PURE;
};
typedef IPersistFile *LPPERSISTFILE;

/* Storage modes that IPersistFile::Load takes. */
#define STGM_READ 0x00000000L
#define STGM_WRITE 0x00000001L
#define STGM_READWRITE 0x00000002L

#endif

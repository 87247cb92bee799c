// The class object of the shell link and the ids of its class and interface. They live in
// one file so that a program naming CLSID_ShellLink links in the class that CoCreateInstance
// then finds.
#include "inproc.h"
#include "shelllink.h"

extern "C" {
const CLSID CLSID_ShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

namespace {

// A class object lives as long as the program; its reference count stays above zero.
class ShellLinkFactory : public IClassFactory {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppvObject = static_cast<IClassFactory *>(this);
            return S_OK;
        }
        *ppvObject = NULL;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)(void) override { return 2; }
    STDMETHOD_(ULONG, Release)(void) override { return 1; }

    STDMETHOD(CreateInstance)(IUnknown *pUnkOuter, REFIID riid, void **ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = NULL;
        if (pUnkOuter)
            return CLASS_E_NOAGGREGATION;
        ShellLink *link = new ShellLink;
        HRESULT hr = link->QueryInterface(riid, ppvObject);
        link->Release();
        return hr;
    }
    STDMETHOD(LockServer)(BOOL fLock) override
    {
        (void)fLock;
        return S_OK;
    }
};

ShellLinkFactory g_shellLinkFactory;

}  // namespace

HRESULT WINAPI SHELL32_DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv)
{
    if (!ppv)
        return E_INVALIDARG;
    *ppv = NULL;
    if (rclsid != CLSID_ShellLink)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_shellLinkFactory.QueryInterface(riid, ppv);
}

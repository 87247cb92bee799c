// The shell link object (CLSID_ShellLink): IShellLinkA over the link's fields, IPersistFile
// to save them to a .lnk file and to load them from one.
#ifndef WINAPI_SHELL32_SHELLLINK_H
#define WINAPI_SHELL32_SHELLLINK_H

#include <string>

#include "linkfile.h"
#include "shlobj.h"

class ShellLink final : public IShellLinkA, public IPersistFile {
public:
    // A new link with one reference.
    ShellLink() = default;

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override;
    STDMETHOD_(ULONG, AddRef)(void) override;
    STDMETHOD_(ULONG, Release)(void) override;

    // IShellLinkA
    STDMETHOD(GetPath)(LPSTR pszFile, int cch, WIN32_FIND_DATAA *pfd, DWORD fFlags) override;
    STDMETHOD(GetIDList)(PIDLIST_ABSOLUTE *ppidl) override;
    STDMETHOD(SetIDList)(PCIDLIST_ABSOLUTE pidl) override;
    STDMETHOD(GetDescription)(LPSTR pszName, int cch) override;
    STDMETHOD(SetDescription)(LPCSTR pszName) override;
    STDMETHOD(GetWorkingDirectory)(LPSTR pszDir, int cch) override;
    STDMETHOD(SetWorkingDirectory)(LPCSTR pszDir) override;
    STDMETHOD(GetArguments)(LPSTR pszArgs, int cch) override;
    STDMETHOD(SetArguments)(LPCSTR pszArgs) override;
    STDMETHOD(GetHotkey)(WORD *pwHotkey) override;
    STDMETHOD(SetHotkey)(WORD wHotkey) override;
    STDMETHOD(GetShowCmd)(int *piShowCmd) override;
    STDMETHOD(SetShowCmd)(int iShowCmd) override;
    STDMETHOD(GetIconLocation)(LPSTR pszIconPath, int cch, int *piIcon) override;
    STDMETHOD(SetIconLocation)(LPCSTR pszIconPath, int iIcon) override;
    STDMETHOD(SetRelativePath)(LPCSTR pszPathRel, DWORD dwReserved) override;
    STDMETHOD(Resolve)(HWND hwnd, DWORD fFlags) override;
    STDMETHOD(SetPath)(LPCSTR pszFile) override;

    // IPersistFile
    STDMETHOD(GetClassID)(CLSID *pClassID) override;
    STDMETHOD(IsDirty)(void) override;
    STDMETHOD(Load)(LPCOLESTR pszFileName, DWORD dwMode) override;
    STDMETHOD(Save)(LPCOLESTR pszFileName, BOOL fRemember) override;
    STDMETHOD(SaveCompleted)(LPCOLESTR pszFileName) override;
    STDMETHOD(GetCurFile)(LPOLESTR *ppszFileName) override;

private:
    ~ShellLink() = default;
    HRESULT SetText(std::optional<std::string> &field, LPCSTR text);

    ULONG m_refs = 1;
    LinkFields m_link;
    bool m_dirty = false;
    std::u16string m_curFile;  // the file last loaded or saved with remember
};

#endif

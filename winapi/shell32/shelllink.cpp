// The shell link object. Its target is kept as Wine keeps it: the full path as given (its
// case too) with the item id list of that path, whether the target exists or not.
#include "shelllink.h"

#include <string.h>

#include "dospath.h"
#include "itemlist.h"
#include "winerror.h"

// Copies `text` into a caller's buffer of `cch` characters, cut to fit.
static void CopyOut(const std::string &text, LPSTR buffer, int cch)
{
    if (!buffer || cch <= 0)
        return;
    size_t n = text.size() < (size_t)cch - 1 ? text.size() : (size_t)cch - 1;
    memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// A wide file name as the ANSI path the file functions take; false when it does not fit.
static bool AnsiFileName(LPCOLESTR name, std::string &ansi)
{
    int size = WideCharToMultiByte(CP_ACP, 0, name, -1, NULL, 0, NULL, NULL);
    if (size <= 0)
        return false;
    ansi.resize(size);
    WideCharToMultiByte(CP_ACP, 0, name, -1, &ansi[0], size, NULL, NULL);
    ansi.resize(size - 1);
    return true;
}

static HRESULT LastErrorResult()
{
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

STDMETHODIMP ShellLink::QueryInterface(REFIID riid, void **ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IShellLinkA)
        *ppvObject = static_cast<IShellLinkA *>(this);
    else if (riid == IID_IPersistFile || riid == IID_IPersist)
        *ppvObject = static_cast<IPersistFile *>(this);
    else {
        *ppvObject = NULL;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ShellLink::AddRef(void)
{
    return ++m_refs;
}

STDMETHODIMP_(ULONG) ShellLink::Release(void)
{
    ULONG refs = --m_refs;
    if (refs == 0)
        delete this;
    return refs;
}

/***********************************************************************
 *           IShellLinkA::GetPath
 *
 * The find data holds what the link records of its target: its name, no size, no times.
 */
STDMETHODIMP ShellLink::GetPath(LPSTR pszFile, int cch, WIN32_FIND_DATAA *pfd, DWORD fFlags)
{
    (void)fFlags;
    if (!pszFile)
        return E_INVALIDARG;
    CopyOut(m_link.path, pszFile, cch);
    if (pfd) {
        memset(pfd, 0, sizeof *pfd);
        size_t slash = m_link.path.rfind('\\');
        CopyOut(m_link.path.substr(slash == std::string::npos ? 0 : slash + 1), pfd->cFileName, MAX_PATH);
    }
    return m_link.path.empty() ? S_FALSE : S_OK;
}

STDMETHODIMP ShellLink::GetIDList(PIDLIST_ABSOLUTE *ppidl)
{
    if (!ppidl)
        return E_INVALIDARG;
    *ppidl = NULL;
    if (m_link.idList.empty())
        return S_FALSE;
    *ppidl = (PIDLIST_ABSOLUTE)CoTaskMemAlloc(m_link.idList.size());
    if (!*ppidl)
        return E_OUTOFMEMORY;
    memcpy(*ppidl, m_link.idList.data(), m_link.idList.size());
    return S_OK;
}

STDMETHODIMP ShellLink::SetIDList(PCIDLIST_ABSOLUTE pidl)
{
    if (!pidl)
        return E_INVALIDARG;
    m_link.idList.assign((const char *)pidl, ItemListSize(pidl));
    if (!PathFromItemList(pidl, m_link.path))
        m_link.path.clear();
    m_dirty = true;
    return S_OK;
}

HRESULT ShellLink::SetText(std::optional<std::string> &field, LPCSTR text)
{
    if (text)
        field = std::string(text);
    else
        field.reset();
    m_dirty = true;
    return S_OK;
}

STDMETHODIMP ShellLink::GetDescription(LPSTR pszName, int cch)
{
    CopyOut(m_link.description.value_or(""), pszName, cch);
    return S_OK;
}

STDMETHODIMP ShellLink::SetDescription(LPCSTR pszName)
{
    return SetText(m_link.description, pszName);
}

STDMETHODIMP ShellLink::GetWorkingDirectory(LPSTR pszDir, int cch)
{
    CopyOut(m_link.workingDirectory.value_or(""), pszDir, cch);
    return S_OK;
}

STDMETHODIMP ShellLink::SetWorkingDirectory(LPCSTR pszDir)
{
    return SetText(m_link.workingDirectory, pszDir);
}

STDMETHODIMP ShellLink::GetArguments(LPSTR pszArgs, int cch)
{
    CopyOut(m_link.arguments.value_or(""), pszArgs, cch);
    return S_OK;
}

STDMETHODIMP ShellLink::SetArguments(LPCSTR pszArgs)
{
    return SetText(m_link.arguments, pszArgs);
}

STDMETHODIMP ShellLink::GetHotkey(WORD *pwHotkey)
{
    if (!pwHotkey)
        return E_INVALIDARG;
    *pwHotkey = m_link.hotkey;
    return S_OK;
}

STDMETHODIMP ShellLink::SetHotkey(WORD wHotkey)
{
    m_link.hotkey = wHotkey;
    m_dirty = true;
    return S_OK;
}

STDMETHODIMP ShellLink::GetShowCmd(int *piShowCmd)
{
    if (!piShowCmd)
        return E_INVALIDARG;
    *piShowCmd = m_link.showCmd;
    return S_OK;
}

STDMETHODIMP ShellLink::SetShowCmd(int iShowCmd)
{
    m_link.showCmd = iShowCmd;
    m_dirty = true;
    return S_OK;
}

STDMETHODIMP ShellLink::GetIconLocation(LPSTR pszIconPath, int cch, int *piIcon)
{
    if (!piIcon)
        return E_INVALIDARG;
    CopyOut(m_link.iconLocation.value_or(""), pszIconPath, cch);
    *piIcon = m_link.iconIndex;
    return S_OK;
}

STDMETHODIMP ShellLink::SetIconLocation(LPCSTR pszIconPath, int iIcon)
{
    m_link.iconIndex = iIcon;
    return SetText(m_link.iconLocation, pszIconPath);
}

STDMETHODIMP ShellLink::SetRelativePath(LPCSTR pszPathRel, DWORD dwReserved)
{
    (void)dwReserved;
    return SetText(m_link.relativePath, pszPathRel);
}

/***********************************************************************
 *           IShellLinkA::Resolve
 *
 * A link keeps its target by path; there is no moved target to search for.
 */
STDMETHODIMP ShellLink::Resolve(HWND hwnd, DWORD fFlags)
{
    (void)hwnd;
    (void)fFlags;
    return S_OK;
}

/***********************************************************************
 *           IShellLinkA::SetPath
 *
 * S_FALSE when the target does not exist; the link is made all the same.
 */
STDMETHODIMP ShellLink::SetPath(LPCSTR pszFile)
{
    if (!pszFile)
        return E_INVALIDARG;
    m_dirty = true;
    if (!*pszFile) {
        m_link.path.clear();
        m_link.idList.clear();
        return S_OK;
    }
    std::string full;
    if (!DosFullPath(pszFile, full))
        return E_FAIL;
    m_link.path = full;
    m_link.idList = ItemListForPath(full, true);
    return GetFileAttributesA(full.c_str()) == INVALID_FILE_ATTRIBUTES ? S_FALSE : S_OK;
}

STDMETHODIMP ShellLink::GetClassID(CLSID *pClassID)
{
    if (!pClassID)
        return E_POINTER;
    *pClassID = CLSID_ShellLink;
    return S_OK;
}

STDMETHODIMP ShellLink::IsDirty(void)
{
    return m_dirty ? S_OK : S_FALSE;
}

/***********************************************************************
 *           IPersistFile::Load
 */
STDMETHODIMP ShellLink::Load(LPCOLESTR pszFileName, DWORD dwMode)
{
    (void)dwMode;
    std::string name;
    if (!pszFileName || !AnsiFileName(pszFileName, name))
        return E_INVALIDARG;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrorResult();
    std::string bytes;
    char block[4096];
    DWORD read = 0;
    BOOL ok;
    while ((ok = ReadFile(file, block, sizeof block, &read, NULL)) && read > 0)
        bytes.append(block, read);
    HRESULT hr = ok ? S_OK : LastErrorResult();
    CloseHandle(file);
    if (FAILED(hr))
        return hr;
    LinkFields link;
    if (!ParseLinkFile(bytes, link))
        return E_FAIL;
    m_link = link;
    m_curFile = pszFileName;
    m_dirty = false;
    return S_OK;
}

/***********************************************************************
 *           IPersistFile::Save
 *
 * Replaces an existing file; a file that cannot be written whole is removed.
 */
STDMETHODIMP ShellLink::Save(LPCOLESTR pszFileName, BOOL fRemember)
{
    std::string name;
    if (!pszFileName)
        return E_FAIL;
    if (!AnsiFileName(pszFileName, name))
        return E_INVALIDARG;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrorResult();
    const std::string bytes = BuildLinkFile(m_link);
    DWORD written = 0;
    HRESULT hr = S_OK;
    if (!WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL))
        hr = LastErrorResult();
    else if (written != bytes.size())
        hr = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    CloseHandle(file);
    if (FAILED(hr)) {
        DeleteFileA(name.c_str());
        return hr;
    }
    if (fRemember) {
        m_curFile = pszFileName;
        m_dirty = false;
    }
    return S_OK;
}

STDMETHODIMP ShellLink::SaveCompleted(LPCOLESTR pszFileName)
{
    (void)pszFileName;
    return S_OK;
}

/***********************************************************************
 *           IPersistFile::GetCurFile
 *
 * Without a current file, the default prompt "*.lnk" and S_FALSE.
 */
STDMETHODIMP ShellLink::GetCurFile(LPOLESTR *ppszFileName)
{
    if (!ppszFileName)
        return E_POINTER;
    const std::u16string name = m_curFile.empty() ? u"*.lnk" : m_curFile;
    *ppszFileName = (LPOLESTR)CoTaskMemAlloc((name.size() + 1) * sizeof(OLECHAR));
    if (!*ppszFileName)
        return E_OUTOFMEMORY;
    memcpy(*ppszFileName, name.c_str(), (name.size() + 1) * sizeof(OLECHAR));
    return m_curFile.empty() ? S_FALSE : S_OK;
}

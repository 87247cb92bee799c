#include "link_text.h"

#include <objbase.h>
#include <shlobj.h>

#include <vector>

HRESULT ReadLinkText(const char *path, DWORD pathFlags, LinkText &text)
{
    int count = MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0);
    if (count <= 0)
        return E_INVALIDARG;
    std::vector<WCHAR> wide((size_t)count);
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), count);

    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (LPVOID *)&link);
    if (SUCCEEDED(hr))
        hr = link->QueryInterface(IID_IPersistFile, (LPVOID *)&file);
    if (SUCCEEDED(hr))
        hr = file->Load(wide.data(), STGM_READ);
    if (SUCCEEDED(hr)) {
        char buffer[1024];
        link->GetPath(buffer, sizeof buffer, NULL, pathFlags);
        text.target = buffer;
        link->GetArguments(buffer, sizeof buffer);
        text.arguments = buffer;
        link->GetWorkingDirectory(buffer, sizeof buffer);
        text.workdir = buffer;
        link->GetDescription(buffer, sizeof buffer);
        text.description = buffer;
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    return hr;
}

/* Window properties: named handles attached to a window until it is destroyed. */
#include "user32_private.h"

#include <strings.h>

using namespace user32;

static std::string PropName(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(LOWORD(name));
    return name;
}

static std::pair<std::string, HANDLE> *FindProp(Window *w, LPCSTR name)
{
    std::string key = PropName(name);
    for (auto &p : w->props)
        if (strcasecmp(p.first.c_str(), key.c_str()) == 0) return &p;
    return nullptr;
}

/***********************************************************************
 *              SetPropA
 */
extern "C" BOOL WINAPI SetPropA(HWND hwnd, LPCSTR name, HANDLE data)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (auto *p = FindProp(w, name))
        p->second = data;
    else
        w->props.emplace_back(PropName(name), data);
    return TRUE;
}

/***********************************************************************
 *              GetPropA
 */
extern "C" HANDLE WINAPI GetPropA(HWND hwnd, LPCSTR name)
{
    Window *w = ValidWindow(hwnd);
    if (!w || !name) return nullptr;
    auto *p = FindProp(w, name);
    return p ? p->second : nullptr;
}

/***********************************************************************
 *              RemovePropA
 */
extern "C" HANDLE WINAPI RemovePropA(HWND hwnd, LPCSTR name)
{
    Window *w = ValidWindow(hwnd);
    if (!w || !name) return nullptr;
    auto *p = FindProp(w, name);
    if (!p) return nullptr;
    HANDLE data = p->second;
    w->props.erase(w->props.begin() + (p - w->props.data()));
    return data;
}

/* The shell's item id lists and its shell link interface, IShellLinkA. */
#ifndef WINAPI_SHOBJIDL_H
#define WINAPI_SHOBJIDL_H

#include "windef.h"
#include "winbase.h"
#include "objidl.h"

/* An item id list: items of cb bytes each (cb counting itself), ended by a cb of 0. */
#pragma pack(push, 1)
typedef struct _SHITEMID {
    USHORT cb;
    BYTE abID[1];
} SHITEMID;
typedef struct _ITEMIDLIST {
    SHITEMID mkid;
} ITEMIDLIST;
#pragma pack(pop)
typedef ITEMIDLIST *LPITEMIDLIST, *PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST *LPCITEMIDLIST, *PCIDLIST_ABSOLUTE;

/* Flags of IShellLinkA::GetPath. */
#define SLGP_SHORTPATH 0x1
#define SLGP_UNCPRIORITY 0x2
#define SLGP_RAWPATH 0x4

interface IShellLinkA : public IUnknown {
    STDMETHOD(GetPath)(LPSTR pszFile, int cch, WIN32_FIND_DATAA *pfd, DWORD fFlags) PURE;
    STDMETHOD(GetIDList)(PIDLIST_ABSOLUTE *ppidl) PURE;
    STDMETHOD(SetIDList)(PCIDLIST_ABSOLUTE pidl) PURE;
    STDMETHOD(GetDescription)(LPSTR pszName, int cch) PURE;
    STDMETHOD(SetDescription)(LPCSTR pszName) PURE;
    STDMETHOD(GetWorkingDirectory)(LPSTR pszDir, int cch) PURE;
    STDMETHOD(SetWorkingDirectory)(LPCSTR pszDir) PURE;
    STDMETHOD(GetArguments)(LPSTR pszArgs, int cch) PURE;
    STDMETHOD(SetArguments)(LPCSTR pszArgs) PURE;
    STDMETHOD(GetHotkey)(WORD *pwHotkey) PURE;
    STDMETHOD(SetHotkey)(WORD wHotkey) PURE;
    STDMETHOD(GetShowCmd)(int *piShowCmd) PURE;
    STDMETHOD(SetShowCmd)(int iShowCmd) PURE;
    STDMETHOD(GetIconLocation)(LPSTR pszIconPath, int cch, int *piIcon) PURE;
    STDMETHOD(SetIconLocation)(LPCSTR pszIconPath, int iIcon) PURE;
    STDMETHOD(SetRelativePath)(LPCSTR pszPathRel, DWORD dwReserved) PURE;
    STDMETHOD(Resolve)(HWND hwnd, DWORD fFlags) PURE;
    STDMETHOD(SetPath)(LPCSTR pszFile) PURE;
};
typedef IShellLinkA *LPSHELLLINKA;
#define IShellLink IShellLinkA

#endif

// The program's resources: the compiled .res (Win32 format, as windres writes it) that the
// build places between winapi_resource_data and winapi_resource_data_end.
#include <stdlib.h>
#include <string.h>

#include <mutex>
#include <string>
#include <vector>

#include "codepage.h"
#include "lasterror.h"
#include "module.h"
#include "winapi_linux.h"
#include "winbase.h"
#include "winerror.h"

extern "C" {
// Weak, so that a program built without resources links and simply has none.
extern const unsigned char winapi_resource_data[] __attribute__((weak));
extern const unsigned char winapi_resource_data_end[] __attribute__((weak));
}

namespace {

// A type or name: a number, or a text compared without regard to case.
struct ResourceId {
    bool isNumber = true;
    WORD number = 0;
    std::string text; // upper case

    bool operator==(const ResourceId &other) const
    {
        return isNumber == other.isNumber && (isNumber ? number == other.number : text == other.text);
    }
};

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    const BYTE *data;
    DWORD size;
    bool hidden;
};

std::string UpperAnsi(const std::string &text)
{
    std::string upper = text;
    for (char &c : upper)
        c = (char)AnsiUpper((unsigned char)c);
    return upper;
}

// A type or name as the API takes it: MAKEINTRESOURCE, "#123", or a name.
ResourceId IdFromArgument(LPCSTR arg)
{
    ResourceId id;
    if (IS_INTRESOURCE(arg)) {
        id.number = (WORD)(ULONG_PTR)arg;
    } else if (arg[0] == '#') {
        id.number = (WORD)strtoul(arg + 1, NULL, 10);
    } else {
        id.isNumber = false;
        id.text = UpperAnsi(arg);
    }
    return id;
}

WORD ReadWord(const BYTE *p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

DWORD ReadDword(const BYTE *p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// Reads a type or name field of a resource header at p (0xFFFF and a number, or a
// zero-terminated UTF-16 text); returns false when it runs past `end`.
bool ReadId(const BYTE *&p, const BYTE *end, ResourceId &id)
{
    if (p + 2 > end)
        return false;
    if (ReadWord(p) == 0xFFFF) {
        if (p + 4 > end)
            return false;
        id.isNumber = true;
        id.number = ReadWord(p + 2);
        p += 4;
        return true;
    }
    id.isNumber = false;
    std::string text;
    for (;; p += 2) {
        if (p + 2 > end)
            return false;
        WORD w = ReadWord(p);
        if (w == 0)
            break;
        unsigned char c;
        text += UnicodeToAnsi(w, c) ? (char)c : '?';
    }
    p += 2;
    id.text = UpperAnsi(text);
    return true;
}

std::vector<ResourceEntry> ParseResources()
{
    std::vector<ResourceEntry> entries;
    if (!winapi_resource_data || !winapi_resource_data_end)
        return entries;
    const BYTE *begin = winapi_resource_data;
    const BYTE *end = winapi_resource_data_end;
    for (const BYTE *p = begin; p + 8 <= end;) {
        DWORD dataSize = ReadDword(p);
        DWORD headerSize = ReadDword(p + 4);
        if (headerSize < 8 || (size_t)(end - p) < (size_t)headerSize + dataSize)
            break;
        const BYTE *field = p + 8;
        ResourceEntry entry;
        if (!ReadId(field, p + headerSize, entry.type) || !ReadId(field, p + headerSize, entry.name))
            break;
        entry.data = p + headerSize;
        entry.size = dataSize;
        entry.hidden = false;
        // The first entry of every .res is an empty one of type 0.
        if (!(entry.type.isNumber && entry.type.number == 0))
            entries.push_back(entry);
        size_t next = ((size_t)(p - begin) + headerSize + dataSize + 3) & ~(size_t)3;
        p = begin + next;
    }
    return entries;
}

std::mutex g_resourceLock;

std::vector<ResourceEntry> &Resources()
{
    static std::vector<ResourceEntry> resources = ParseResources();
    return resources;
}

bool IsProgramModule(HMODULE module)
{
    return !module || module == ProgramModule();
}

// The visible entry of that type and name, or nullptr with the last error Windows gives.
ResourceEntry *FindEntry(LPCSTR lpName, LPCSTR lpType)
{
    std::vector<ResourceEntry> &resources = Resources();
    if (resources.empty()) {
        FailWith(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    ResourceId type = IdFromArgument(lpType);
    ResourceId name = IdFromArgument(lpName);
    bool typeSeen = false;
    for (ResourceEntry &entry : resources) {
        if (entry.hidden || !(entry.type == type))
            continue;
        typeSeen = true;
        if (entry.name == name)
            return &entry;
    }
    FailWith(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

ResourceEntry *EntryFromHandle(HRSRC handle)
{
    std::vector<ResourceEntry> &resources = Resources();
    for (ResourceEntry &entry : resources) {
        if ((HRSRC)&entry == handle)
            return &entry;
    }
    return nullptr;
}

} // namespace

/***********************************************************************
 *           FindResourceA
 */
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    if (!IsProgramModule(hModule)) {
        FailWith(ERROR_RESOURCE_DATA_NOT_FOUND);
        return NULL;
    }
    if (!lpName || !lpType) {
        FailWith(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    std::lock_guard<std::mutex> lock(g_resourceLock);
    return (HRSRC)FindEntry(lpName, lpType);
}

/***********************************************************************
 *           LoadResource
 *
 * The resource's bytes stay in the program's image; the handle is their address.
 */
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    if (!IsProgramModule(hModule) || !hResInfo)
        return NULL;
    ResourceEntry *entry = EntryFromHandle(hResInfo);
    if (!entry) {
        FailWith(ERROR_INVALID_HANDLE);
        return NULL;
    }
    return (HGLOBAL)entry->data;
}

/***********************************************************************
 *           SizeofResource
 */
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    if (!IsProgramModule(hModule) || !hResInfo)
        return 0;
    ResourceEntry *entry = EntryFromHandle(hResInfo);
    if (!entry) {
        FailWith(ERROR_INVALID_HANDLE);
        return 0;
    }
    return entry->size;
}

/***********************************************************************
 *           LockResource
 */
LPVOID WINAPI LockResource(HGLOBAL hResData)
{
    return hResData;
}

/***********************************************************************
 *           FreeResource
 *
 * Resources live as long as the program; FALSE, as Win32 returns.
 */
BOOL WINAPI FreeResource(HGLOBAL hResData)
{
    (void)hResData;
    return FALSE;
}

BOOL WinapiHideResource(LPCSTR lpType, LPCSTR lpName)
{
    std::lock_guard<std::mutex> lock(g_resourceLock);
    ResourceEntry *entry = FindEntry(lpName, lpType);
    if (!entry)
        return FALSE;
    // Every language of it goes, as it would from the build.
    for (ResourceEntry &other : Resources()) {
        if (other.type == entry->type && other.name == entry->name)
            other.hidden = true;
    }
    return TRUE;
}

void WinapiRestoreResources(void)
{
    std::lock_guard<std::mutex> lock(g_resourceLock);
    for (ResourceEntry &entry : Resources())
        entry.hidden = false;
}

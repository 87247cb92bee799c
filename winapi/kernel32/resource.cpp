// The program's resources: the compiled .res (Win32 format, as windres writes it) that the
// build places between winapi_resource_data and winapi_resource_data_end.
#include <stdlib.h>
#include <string.h>

#include <mutex>
#include <string>
#include <vector>

#include "lasterror.h"
#include "module.h"
#include "resource_table.h"
#include "winapi_linux.h"
#include "winbase.h"
#include "winerror.h"

extern "C" {
// Weak, so that a program built without resources links and simply has none.
extern const unsigned char winapi_resource_data[] __attribute__((weak));
extern const unsigned char winapi_resource_data_end[] __attribute__((weak));
}

namespace {

// A type or name as the API takes it: MAKEINTRESOURCE, "#123", or a name.
ResourceId IdFromArgument(LPCSTR arg)
{
    ResourceId id;
    if (IS_INTRESOURCE(arg)) {
        id.number = (WORD)(ULONG_PTR)arg;
    } else if (arg[0] == '#') {
        id.number = (WORD)strtoul(arg + 1, NULL, 10);
    } else {
        id = ResourceIdFromText(arg);
    }
    return id;
}

std::vector<ResourceEntry> ParseResources()
{
    if (!winapi_resource_data || !winapi_resource_data_end)
        return std::vector<ResourceEntry>();
    return ReadResourceTable(winapi_resource_data, (size_t)(winapi_resource_data_end - winapi_resource_data));
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

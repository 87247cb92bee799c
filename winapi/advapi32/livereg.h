// The registry a running wineserver holds, read and changed through Wine's own reg.exe:
// Wine is then the only one who writes its files.
#ifndef WINAPI_ADVAPI32_LIVEREG_H
#define WINAPI_ADVAPI32_LIVEREG_H

#include <string>

#include "windef.h"

// The export of a key and everything below it ("HKEY_LOCAL_MACHINE\Software"), in `text`.
// ERROR_FILE_NOT_FOUND when Wine has no such key; ERROR_SHARING_VIOLATION when `wine` cannot
// be run; ERROR_REGISTRY_IO_FAILED for anything else that went wrong.
LONG ExportLiveKey(const std::u16string &keyName, std::u16string &text);

// Hands Wine the changes of an import text; the same errors but the first.
LONG ImportLiveChanges(const std::u16string &text);

#endif

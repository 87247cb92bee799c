// Keys: opening, creating, closing, deleting, enumerating and describing them.
#include <string.h>
#include <strings.h>

#include "hive.h"
#include "notify.h"
#include "regsecurity.h"
#include "winerror.h"
#include "winreg.h"

// Limits as Wine applies them: the A functions take subkey paths of up to 260 characters
// (longer ones do not fit the buffer they are converted into: ERROR_MORE_DATA), and its server
// keys of names of up to 256 characters (ERROR_INVALID_PARAMETER).
static const size_t kMaxAnsiPathLength = 260;
static const size_t kMaxKeyNameLength = 256;

// The key a handle refers to, and the names of a subkey path below it as the A functions
// take it; a path may not start with a backslash (ERROR_BAD_PATHNAME), as Wine's server
// refuses it.
static LONG KeyAndPath(HKEY hKey, LPCSTR path, KeyRef &from, std::vector<std::u16string> &names)
{
    names.clear();
    LONG res = RefFromHandle(hKey, from);
    if (res != ERROR_SUCCESS || !path)
        return res;
    std::u16string wide = AnsiToWide(path, strlen(path));
    if (wide.size() > kMaxAnsiPathLength)
        return ERROR_MORE_DATA;
    if (path[0] == '\\')
        return ERROR_BAD_PATHNAME;
    names = SplitPath(wide);
    for (const std::u16string &name : names) {
        if (name.size() > kMaxKeyNameLength)
            return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
}

// Copies `text` and a NUL into `buffer`.
static void CopyAnsi(const std::u16string &text, LPSTR buffer)
{
    std::string ansi = WideToAnsi(text);
    memcpy(buffer, ansi.c_str(), ansi.size() + 1);
}

/***********************************************************************
 *           RegOpenKeyExA
 *
 * An empty or NULL subkey opens a new handle to hKey's own key. HKEY_CLASSES_ROOT takes a
 * leading backslash, as on Windows.
 */
LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    (void)ulOptions;
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = NULL;
    if (hKey == HKEY_CLASSES_ROOT && lpSubKey && *lpSubKey == '\\')
        lpSubKey++;
    KeyRef from, ref;
    std::vector<std::u16string> names;
    LONG res = KeyAndPath(hKey, lpSubKey, from, names);
    if (res != ERROR_SUCCESS)
        return res;
    RegistryReadGuard guard(RegistryMutex());
    guard.Scope(from, names);
    if (!WalkPath(from, names, false, ref, res))
        return res;
    *phkResult = NewKeyHandle(ref, MapKeyAccess(samDesired));
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegCreateKeyExA
 *
 * Creates every missing key of the path. The class is recorded on a key that is created;
 * an existing key keeps its own.
 */
LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                            REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                            LPDWORD lpdwDisposition)
{
    (void)lpSecurityAttributes;
    if (Reserved)
        return ERROR_INVALID_PARAMETER;
    if (!phkResult)
        return ERROR_BADKEY;
    KeyRef from, ref;
    std::vector<std::u16string> names;
    LONG res = KeyAndPath(hKey, lpSubKey, from, names);
    if (res != ERROR_SUCCESS)
        return res;

    RegistryLock lock;
    lock.Scope(from, names);
    std::vector<KeyRef> created;
    RegKey *key = WalkPath(from, names, true, ref, res, &created);
    if (!key)
        return res;
    if (!created.empty()) {
        KeyRef parentRef = created.front();
        parentRef.path.pop_back();
        RegKey *parent = LocateKey(parentRef);
        bool isVolatile = (dwOptions & REG_OPTION_VOLATILE) != 0;
        if (parent && parent->isVolatile && !isVolatile) {
            size_t index;
            if (parent->FindSubkey(created.front().path.back(), &index))
                parent->subkeys.erase(parent->subkeys.begin() + index);
            return ERROR_CHILD_MUST_BE_VOLATILE;
        }
        for (const KeyRef &made : created)
            LocateKey(made)->isVolatile = isVolatile;
        if (lpClass && *lpClass) {
            key->keyClass = AnsiToWide(lpClass, strlen(lpClass));
            key->hasClass = true;
        }
        if ((res = ref.hive->Commit()) != ERROR_SUCCESS)
            return res;
        for (const KeyRef &made : created) {
            KeyRef parentRef = made;
            parentRef.path.pop_back();
            NotifyChange(parentRef, REG_NOTIFY_CHANGE_NAME);
        }
    }
    if (lpdwDisposition)
        *lpdwDisposition = created.empty() ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *phkResult = NewKeyHandle(ref, MapKeyAccess(samDesired));
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegCloseKey
 *
 * Closing a predefined root succeeds and does nothing.
 */
LONG WINAPI RegCloseKey(HKEY hKey)
{
    if (!hKey)
        return ERROR_INVALID_HANDLE;
    if (IsPredefinedKey(hKey))
        return ERROR_SUCCESS;
    return CloseKeyHandle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

/***********************************************************************
 *           RegDeleteKeyA
 *
 * Deletes one key without subkeys (ERROR_ACCESS_DENIED for a key that has some, and for
 * the root of a hive). An empty name deletes hKey's own key.
 */
LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    KeyRef from, ref;
    std::vector<std::u16string> names;
    LONG res = KeyAndPath(hKey, lpSubKey, from, names);
    if (res != ERROR_SUCCESS)
        return res;

    RegistryLock lock;
    lock.Scope(from, names);
    RegKey *key = WalkPath(from, names, false, ref, res);
    if (!key)
        return res;
    if (ref.path.empty() || !key->subkeys.empty())
        return ERROR_ACCESS_DENIED;
    KeyRef parentRef = ref;
    parentRef.path.pop_back();
    RegKey *parent = LocateKey(parentRef);
    size_t index;
    if (!parent || !parent->FindSubkey(key->name, &index))
        return ERROR_KEY_DELETED;
    parent->subkeys.erase(parent->subkeys.begin() + index);
    parent->modified = CurrentFileTime();
    if ((res = ref.hive->Commit()) != ERROR_SUCCESS)
        return res;
    ForgetKeySecurity(ref);
    NotifyChange(parentRef, REG_NOTIFY_CHANGE_NAME);
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegEnumKeyExA
 *
 * Subkeys come in Wine's order: sorted by name without regard to case. A buffer too small
 * for the name (or the class) gives ERROR_MORE_DATA and leaves the sizes alone; the last
 * write time is reported either way.
 */
LONG WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                          LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    if (lpReserved || !lpName || !lpcchName)
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefWithAccess(hKey, KEY_ENUMERATE_SUB_KEYS, ref);
    if (res != ERROR_SUCCESS)
        return res;
    RegistryReadGuard guard(RegistryMutex());
    guard.Scope(ref);
    RegKey *key = LocateKey(ref);
    if (!key)
        return ERROR_KEY_DELETED;
    if (dwIndex >= key->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    const RegKey &sub = *key->subkeys[dwIndex];
    if (lpftLastWriteTime) {
        lpftLastWriteTime->dwLowDateTime = (DWORD)sub.modified;
        lpftLastWriteTime->dwHighDateTime = (DWORD)(sub.modified >> 32);
    }
    if (sub.name.size() >= *lpcchName || (lpClass && lpcchClass && sub.keyClass.size() >= *lpcchClass))
        return ERROR_MORE_DATA;
    CopyAnsi(sub.name, lpName);
    *lpcchName = (DWORD)sub.name.size();
    if (lpcchClass) {
        *lpcchClass = (DWORD)sub.keyClass.size();
        if (lpClass)
            CopyAnsi(sub.keyClass, lpClass);
    }
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegEnumKeyA
 */
LONG WINAPI RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName)
{
    return RegEnumKeyExA(hKey, dwIndex, lpName, &cchName, NULL, NULL, NULL, NULL);
}

/***********************************************************************
 *           RegQueryInfoKeyA
 *
 * Lengths of names and classes are in characters without the NUL; the largest data size is
 * in bytes as stored (UTF-16 for strings), so it is never smaller than what an A function
 * returns.
 */
LONG WINAPI RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                             LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                             LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                             LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime)
{
    if (lpReserved || (lpClass && !lpcchClass))
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefWithAccess(hKey, KEY_QUERY_VALUE, ref);
    if (res != ERROR_SUCCESS)
        return res;
    RegistryReadGuard guard(RegistryMutex());
    guard.Scope(ref);
    RegKey *key = LocateKey(ref);
    if (!key)
        return ERROR_KEY_DELETED;

    // As Windows does: a class that fills the whole buffer is cut one short of it, NUL
    // included, and reported with ERROR_MORE_DATA and the length that was copied.
    res = ERROR_SUCCESS;
    std::string cls = WideToAnsi(key->keyClass);
    if (lpClass && lpcchClass && *lpcchClass) {
        DWORD length = cls.size() < *lpcchClass ? (DWORD)cls.size() : *lpcchClass;
        if (length == *lpcchClass) {
            res = ERROR_MORE_DATA;
            length--;
        }
        memcpy(lpClass, cls.data(), length);
        lpClass[length] = 0;
        *lpcchClass = length;
    } else if (lpcchClass) {
        *lpcchClass = (DWORD)cls.size();
    }
    DWORD maxSubKey = 0, maxClass = 0, maxValueName = 0, maxData = 0;
    for (const auto &sub : key->subkeys) {
        if (sub->name.size() > maxSubKey)
            maxSubKey = (DWORD)sub->name.size();
        if (sub->keyClass.size() > maxClass)
            maxClass = (DWORD)sub->keyClass.size();
    }
    for (const RegValue &value : key->values) {
        if (value.name.size() > maxValueName)
            maxValueName = (DWORD)value.name.size();
        if (value.data.size() > maxData)
            maxData = (DWORD)value.data.size();
    }
    if (lpcSubKeys)
        *lpcSubKeys = (DWORD)key->subkeys.size();
    if (lpcbMaxSubKeyLen)
        *lpcbMaxSubKeyLen = maxSubKey;
    if (lpcbMaxClassLen)
        *lpcbMaxClassLen = maxClass;
    if (lpcValues)
        *lpcValues = (DWORD)key->values.size();
    if (lpcbMaxValueNameLen)
        *lpcbMaxValueNameLen = maxValueName;
    if (lpcbMaxValueLen)
        *lpcbMaxValueLen = maxData;
    if (lpcbSecurityDescriptor)
        *lpcbSecurityDescriptor = KeySecurityLength(ref);
    if (lpftLastWriteTime) {
        lpftLastWriteTime->dwLowDateTime = (DWORD)key->modified;
        lpftLastWriteTime->dwHighDateTime = (DWORD)(key->modified >> 32);
    }
    return res;
}

/***********************************************************************
 *           RegFlushKey
 *
 * Every change is in its file when the call that made it returns; only the handle is
 * checked.
 */
LONG WINAPI RegFlushKey(HKEY hKey)
{
    KeyRef ref;
    LONG res = RefFromHandle(hKey, ref);
    if (res != ERROR_SUCCESS)
        return res;
    RegistryReadGuard guard(RegistryMutex());
    guard.Scope(ref);
    return LocateKey(ref) ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

/***********************************************************************
 *           RegConnectRegistryA
 *
 * The local machine (no name, an empty one, or this computer's name, with or without a
 * leading "\\") gives hKey itself back, as Wine does; any other machine is out of reach:
 * ERROR_BAD_NETPATH.
 */
LONG WINAPI RegConnectRegistryA(LPCSTR lpMachineName, HKEY hKey, PHKEY phkResult)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    if (lpMachineName && *lpMachineName) {
        if (lpMachineName[0] == '\\' && lpMachineName[1] == '\\')
            lpMachineName += 2;
        char computer[MAX_COMPUTERNAME_LENGTH + 1];
        DWORD size = sizeof computer;
        if (!GetComputerNameA(computer, &size))
            return (LONG)GetLastError();
        if (strcasecmp(lpMachineName, computer) != 0)
            return ERROR_BAD_NETPATH;
    }
    *phkResult = hKey;
    return ERROR_SUCCESS;
}

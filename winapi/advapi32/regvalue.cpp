// Values: setting, reading, enumerating and deleting them through the A functions, which
// convert string data between the ANSI code page and the UTF-16 the registry keeps.
#include <string.h>

#include "hive.h"
#include "notify.h"
#include "winerror.h"
#include "winreg.h"

static bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

static std::u16string NameOf(LPCSTR name)
{
    return name ? AnsiToWide(name, strlen(name)) : std::u16string();
}

// The data as an A function hands it out: string types converted to ANSI (an odd last
// byte is dropped, as Windows drops it).
static std::string AnsiData(const RegValue &value)
{
    if (!IsStringType(value.type))
        return value.data;
    std::u16string text(value.data.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); i++)
        text[i] = (char16_t)((unsigned char)value.data[2 * i] | ((unsigned char)value.data[2 * i + 1] << 8));
    return WideToAnsi(text);
}

// Copies the data of `value` for the caller: ERROR_MORE_DATA when the buffer is too small;
// a string that lacks its NUL gets one when there is room, as on Windows.
static LONG CopyData(const RegValue &value, LPBYTE data, LPDWORD size)
{
    std::string bytes = AnsiData(value);
    LONG res = ERROR_SUCCESS;
    if (data && !bytes.empty()) {
        if (bytes.size() > *size) {
            res = ERROR_MORE_DATA;
        } else {
            memcpy(data, bytes.data(), bytes.size());
            if (IsStringType(value.type) && bytes.size() < *size && bytes.back())
                data[bytes.size()] = 0;
        }
    }
    if (size)
        *size = (DWORD)bytes.size();
    return res;
}

/***********************************************************************
 *           RegSetValueExA
 *
 * Setting a value to what it already holds changes nothing, not even the key's time.
 */
LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE *lpData,
                           DWORD cbData)
{
    if (Reserved)
        return ERROR_INVALID_PARAMETER;
    if (!lpData && cbData)
        return ERROR_NOACCESS;
    KeyRef ref;
    LONG res = RefWithAccess(hKey, KEY_SET_VALUE, ref);
    if (res != ERROR_SUCCESS)
        return res;

    // Windows counts a string's NUL for a caller that left it out of cbData.
    if (cbData && IsStringType(dwType) && lpData[cbData - 1] && !lpData[cbData])
        cbData++;
    std::string bytes;
    if (IsStringType(dwType)) {
        std::u16string text = AnsiToWide((const char *)lpData, cbData);
        for (char16_t c : text) {
            bytes.push_back((char)(c & 0xFF));
            bytes.push_back((char)(c >> 8));
        }
    } else {
        bytes.assign((const char *)lpData, cbData);
    }

    RegistryLock lock;
    lock.Scope(ref);
    RegKey *key = LocateKey(ref);
    if (!key)
        return ERROR_KEY_DELETED;
    std::u16string name = NameOf(lpValueName);
    size_t index;
    RegValue *value = key->FindValue(name, &index);
    if (value && value->type == dwType && value->data == bytes)
        return ERROR_SUCCESS;
    if (!value)
        value = &*key->values.insert(key->values.begin() + index, RegValue{name, 0, {}});
    value->type = dwType;
    value->data = std::move(bytes);
    key->modified = CurrentFileTime();
    if ((res = ref.hive->Commit()) != ERROR_SUCCESS)
        return res;
    NotifyChange(ref, REG_NOTIFY_CHANGE_LAST_SET);
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegQueryValueExA
 *
 * The type and the size (stored or needed) are reported also with ERROR_MORE_DATA; a buffer
 * too small is left untouched.
 */
LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                             LPDWORD lpcbData)
{
    if ((lpData && !lpcbData) || lpReserved)
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefWithAccess(hKey, KEY_QUERY_VALUE, ref);
    if (res != ERROR_SUCCESS)
        return res;
    if (!lpData && lpcbData)
        *lpcbData = 0;
    if (lpType)
        *lpType = REG_NONE;
    RegistryReadGuard guard(RegistryMutex());
    guard.Scope(ref);
    RegKey *key = LocateKey(ref);
    if (!key)
        return ERROR_KEY_DELETED;
    RegValue *value = key->FindValue(NameOf(lpValueName));
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (lpType)
        *lpType = value->type;
    return CopyData(*value, lpData, lpcbData);
}

/***********************************************************************
 *           RegEnumValueA
 *
 * Values come in Wine's order: sorted by name without regard to case. A name buffer too
 * small gets as much of the name as fits and ERROR_MORE_DATA.
 */
LONG WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                          LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpReserved || !lpcchValueName || (lpData && !lpcbData))
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
    if (dwIndex >= key->values.size())
        return ERROR_NO_MORE_ITEMS;
    const RegValue &value = key->values[dwIndex];
    res = CopyData(value, lpData, lpcbData);

    std::string name = WideToAnsi(value.name);
    if (lpValueName) {
        if (name.size() >= *lpcchValueName) {
            res = ERROR_MORE_DATA;
            if (*lpcchValueName) {
                memcpy(lpValueName, name.data(), *lpcchValueName - 1);
                lpValueName[*lpcchValueName - 1] = 0;
            }
        } else {
            memcpy(lpValueName, name.c_str(), name.size() + 1);
            *lpcchValueName = (DWORD)name.size();
        }
    }
    if (lpType)
        *lpType = value.type;
    return res;
}

/***********************************************************************
 *           RegDeleteValueA
 */
LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    KeyRef ref;
    LONG res = RefWithAccess(hKey, KEY_SET_VALUE, ref);
    if (res != ERROR_SUCCESS)
        return res;
    RegistryLock lock;
    lock.Scope(ref);
    RegKey *key = LocateKey(ref);
    if (!key)
        return ERROR_KEY_DELETED;
    size_t index;
    if (!key->FindValue(NameOf(lpValueName), &index))
        return ERROR_FILE_NOT_FOUND;
    key->values.erase(key->values.begin() + index);
    key->modified = CurrentFileTime();
    if ((res = ref.hive->Commit()) != ERROR_SUCCESS)
        return res;
    NotifyChange(ref, REG_NOTIFY_CHANGE_LAST_SET);
    return ERROR_SUCCESS;
}

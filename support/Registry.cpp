// CRegistry: connection, keys, values and the registry's pass-through operations.
#include "Registry.h"

#include <new>
#include <string.h>

IMPLEMENT_DYNAMIC(CRegistry, CObject)

// Fixed buffers of the class: names and classes read back, string values.
static const DWORD kTextBufferSize = 2048;
static const DWORD kTreeNameBufferSize = MAX_PATH;

static LPCSTR RootName(HKEY hKeyRoot)
{
    if (hKeyRoot == HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT";
    if (hKeyRoot == HKEY_CURRENT_USER)
        return "HKEY_CURRENT_USER";
    if (hKeyRoot == HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE";
    if (hKeyRoot == HKEY_USERS)
        return "HKEY_USERS";
    if (hKeyRoot == HKEY_PERFORMANCE_DATA)
        return "HKEY_PERFORMANCE_DATA";
    if (hKeyRoot == HKEY_CURRENT_CONFIG)
        return "HKEY_CURRENT_CONFIG";
    if (hKeyRoot == HKEY_DYN_DATA)
        return "HKEY_DYN_DATA";
    return "Unknown";
}

// Deletes the subkey `lpszName` of `hParent` with everything below it, depth first. A subkey
// that cannot be deleted would be enumerated at index 0 for ever, so its failure ends the
// walk and is returned.
static LONG DeleteKeyTree(HKEY hParent, LPCSTR lpszName)
{
    HKEY hKey;
    LONG lResult = RegOpenKeyExA(hParent, lpszName, 0, KEY_ALL_ACCESS, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    LPSTR lpszSubKey = new (std::nothrow) char[kTreeNameBufferSize];
    if (lpszSubKey == NULL) {
        RegCloseKey(hKey);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    while (RegEnumKeyA(hKey, 0, lpszSubKey, kTreeNameBufferSize) == ERROR_SUCCESS) {
        lResult = DeleteKeyTree(hKey, lpszSubKey);
        if (lResult != ERROR_SUCCESS)
            break;
    }
    delete[] lpszSubKey;
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    return RegDeleteKeyA(hParent, lpszName);
}

CRegistry::CRegistry()
{
    Reset();
}

CRegistry::~CRegistry()
{
    if (m_hRootKey != NULL)
        CRegistry::Close();
    Reset();
}

void CRegistry::Reset()
{
    m_strKeyClass.Empty();
    m_strMachineName.Empty();
    m_strKeyName.Empty();
    m_strRootName.Empty();
    m_hKey = NULL;
    m_hRootKey = NULL;
    m_lResult = ERROR_SUCCESS;
    m_dwSubKeys = 0;
    m_dwValues = 0;
    m_dwMaxSubKeyLen = 0;
    m_dwMaxClassLen = 0;
    m_dwMaxValueNameLen = 0;
    m_dwMaxValueLen = 0;
    m_cbSecurityDescriptor = 0;
    m_ftLastWriteTime.dwLowDateTime = 0;
    m_ftLastWriteTime.dwHighDateTime = 0;
}

BOOL CRegistry::Fail(LONG lResult)
{
    m_lResult = lResult;
    return FALSE;
}

// A failed allocation need not have set a last error: it is never stored as success.
BOOL CRegistry::FailAllocation()
{
    LONG lError = (LONG)GetLastError();
    return Fail(lError != ERROR_SUCCESS ? lError : ERROR_NOT_ENOUGH_MEMORY);
}

// ---- connection and keys --------------------------------------------------------------

BOOL CRegistry::Connect(HKEY hKeyRoot, LPCSTR lpszMachineName)
{
    try {
        // These two roots are only reachable on this machine.
        if (hKeyRoot != HKEY_CLASSES_ROOT && hKeyRoot != HKEY_CURRENT_USER) {
            m_lResult = RegConnectRegistryA(lpszMachineName, hKeyRoot, &m_hRootKey);
        } else if (lpszMachineName != NULL) {
            m_lResult = ERROR_INVALID_HANDLE;
        } else {
            m_hRootKey = hKeyRoot;
            m_lResult = ERROR_SUCCESS;
        }
        if (m_lResult != ERROR_SUCCESS)
            return FALSE;

        if (lpszMachineName != NULL) {
            m_strMachineName = lpszMachineName;
        } else {
            char szComputer[MAX_PATH];
            DWORD dwSize = MAX_PATH;
            if (GetComputerNameA(szComputer, &dwSize))
                m_strMachineName = szComputer;
            else
                m_strMachineName.Empty();
        }
        m_strRootName = RootName(hKeyRoot);
        return TRUE;
    } catch (...) {
        return Fail(ERROR_EXCEPTION_IN_SERVICE);
    }
}

BOOL CRegistry::Close()
{
    if (m_hKey != NULL) {
        RegCloseKey(m_hKey);
        m_hKey = NULL;
    }
    if (m_hRootKey == NULL)
        return TRUE;
    m_lResult = RegCloseKey(m_hRootKey);
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    Reset();
    return TRUE;
}

BOOL CRegistry::Create(LPCSTR lpszKeyName, LPSTR lpszClass, DWORD dwOptions, REGSAM samDesired,
                       LPSECURITY_ATTRIBUTES lpSecurityAttributes, LPDWORD lpdwDisposition)
{
    try {
        if (lpszKeyName == NULL)
            return Fail(ERROR_INVALID_PARAMETER);
        if (m_hKey != NULL) {
            RegCloseKey(m_hKey);
            m_hKey = NULL;
        }
        char szNoClass[1] = "";
        HKEY hKey = NULL;
        DWORD dwDisposition = 0;
        m_lResult = RegCreateKeyExA(m_hRootKey, lpszKeyName, 0, lpszClass != NULL ? lpszClass : szNoClass, dwOptions,
                                    samDesired, lpSecurityAttributes, &hKey, &dwDisposition);
        if (m_lResult != ERROR_SUCCESS)
            return FALSE;
        if (lpdwDisposition != NULL)
            *lpdwDisposition = dwDisposition;
        m_hKey = hKey;
        m_strKeyName = lpszKeyName;
        return TRUE;
    } catch (...) {
        return Fail(ERROR_EXCEPTION_IN_SERVICE);
    }
}

BOOL CRegistry::Open(LPCSTR lpszKeyName, REGSAM samDesired)
{
    try {
        if (m_hKey != NULL) {
            RegCloseKey(m_hKey);
            m_hKey = NULL;
        }
        HKEY hKey = NULL;
        m_lResult = RegOpenKeyExA(m_hRootKey, lpszKeyName, 0, samDesired, &hKey);
        if (m_lResult != ERROR_SUCCESS)
            return FALSE;
        m_hKey = hKey;
        // The statistics' result code is the one kept, yet the key is open either way.
        QueryInfoKey();
        m_strKeyName = lpszKeyName;
        return TRUE;
    } catch (...) {
        return Fail(ERROR_EXCEPTION_IN_SERVICE);
    }
}

BOOL CRegistry::QueryInfoKey()
{
    char szClass[kTextBufferSize];
    memset(szClass, 0, sizeof szClass);
    DWORD cchClass = kTextBufferSize - 1;
    m_lResult = RegQueryInfoKeyA(m_hKey, szClass, &cchClass, NULL, &m_dwSubKeys, &m_dwMaxSubKeyLen, &m_dwMaxClassLen,
                                 &m_dwValues, &m_dwMaxValueNameLen, &m_dwMaxValueLen, &m_cbSecurityDescriptor,
                                 &m_ftLastWriteTime);
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    m_strKeyClass = szClass;
    return TRUE;
}

BOOL CRegistry::DeleteKey(LPCSTR lpszKeyName)
{
    try {
        if (lpszKeyName == NULL)
            return Fail(ERROR_INVALID_PARAMETER);
        CString strName(lpszKeyName);
        int nSlash = strName.ReverseFind('\\');
        // An empty last part would name the parent itself ("", "Software\\", "\\"), and the
        // parent's whole tree would go: refused before anything is opened or deleted.
        if (nSlash == strName.GetLength() - 1)
            return Fail(ERROR_INVALID_PARAMETER);
        LONG lResult;
        if (nSlash < 0) {
            lResult = DeleteKeyTree(m_hKey, lpszKeyName);
        } else {
            // The parent path is relative to the root and stays the open key afterwards.
            CString strParent = strName.Left(nSlash);
            CString strLeaf = strName.Mid(nSlash + 1);
            CString strKeyName = m_strKeyName;
            if (!Open(strParent, KEY_ALL_ACCESS)) {
                m_strKeyName = strKeyName;
                return FALSE;
            }
            lResult = DeleteKeyTree(m_hKey, strLeaf);
        }
        m_lResult = lResult;
        return lResult == ERROR_SUCCESS;
    } catch (...) {
        return Fail(ERROR_EXCEPTION_IN_SERVICE);
    }
}

BOOL CRegistry::Flush()
{
    m_lResult = RegFlushKey(m_hKey);
    return m_lResult == ERROR_SUCCESS;
}

// ---- enumeration ----------------------------------------------------------------------

BOOL CRegistry::EnumKey(DWORD dwIndex, CString& strName, CString& strClass)
{
    char szName[kTextBufferSize], szClass[kTextBufferSize];
    memset(szName, 0, sizeof szName);
    memset(szClass, 0, sizeof szClass);
    DWORD cchName = kTextBufferSize - 1, cchClass = kTextBufferSize - 1;
    m_lResult = RegEnumKeyExA(m_hKey, dwIndex, szName, &cchName, NULL, szClass, &cchClass, &m_ftLastWriteTime);
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    strName = szName;
    strClass = szClass;
    return TRUE;
}

BOOL CRegistry::EnumValue(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData, LPDWORD lpcbData)
{
    try {
        char szName[kTextBufferSize];
        memset(szName, 0, sizeof szName);
        DWORD cchName = kTextBufferSize;
        DWORD dwValueType = 0;
        m_lResult = RegEnumValueA(m_hKey, dwIndex, szName, &cchName, NULL, &dwValueType, lpData, lpcbData);
        if (m_lResult != ERROR_SUCCESS)
            return FALSE;
        dwType = dwValueType;
        strName = szName;
        return TRUE;
    } catch (...) {
        return Fail(ERROR_EXCEPTION_IN_SERVICE);
    }
}

// ---- values, raw ----------------------------------------------------------------------

BOOL CRegistry::QueryValue(LPCSTR lpszValueName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD dwValueType = dwType;
    m_lResult = RegQueryValueExA(m_hKey, lpszValueName, NULL, &dwValueType, lpData, &dwSize);
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    dwType = dwValueType;
    return TRUE;
}

BOOL CRegistry::SetValue(LPCSTR lpszValueName, DWORD dwType, const BYTE* lpData, DWORD dwSize)
{
    if (lpszValueName == NULL || lpData == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegSetValueExA(m_hKey, lpszValueName, 0, dwType, lpData, dwSize);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::DeleteValue(LPCSTR lpszValueName)
{
    m_lResult = RegDeleteValueA(m_hKey, lpszValueName);
    return m_lResult == ERROR_SUCCESS;
}

// ---- values, typed --------------------------------------------------------------------

BOOL CRegistry::GetStringValue(LPCSTR lpszValueName, CString& strValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    char szValue[kTextBufferSize];
    memset(szValue, 0, sizeof szValue);
    DWORD dwType = REG_SZ, dwSize = kTextBufferSize;
    if (!QueryValue(lpszValueName, dwType, (LPBYTE)szValue, dwSize)) {
        strValue.Empty();
        return FALSE;
    }
    // Any type is read as text: up to the first NUL, and never past the buffer.
    const char* pEnd = (const char*)memchr(szValue, 0, sizeof szValue);
    strValue = CString(szValue, pEnd != NULL ? (int)(pEnd - szValue) : (int)sizeof szValue);
    return TRUE;
}

BOOL CRegistry::GetDWordValue(LPCSTR lpszValueName, DWORD& dwValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD dwType = REG_DWORD, dwSize = sizeof(DWORD);
    return QueryValue(lpszValueName, dwType, (LPBYTE)&dwValue, dwSize);
}

// The value's bytes, read through a buffer as large as the key's longest value. Empty when
// the buffer cannot be had or the query fails.
std::unique_ptr<BYTE[]> CRegistry::QueryValueBytes(LPCSTR lpszValueName, DWORD dwType, DWORD& dwSize)
{
    QueryInfoKey();
    // At least one byte, so the query always has a buffer to report a too-long value against.
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[m_dwMaxValueLen > 0 ? m_dwMaxValueLen : 1]);
    if (!buffer) {
        FailAllocation();
        return buffer;
    }
    dwSize = m_dwMaxValueLen;
    if (!QueryValue(lpszValueName, dwType, buffer.get(), dwSize))
        buffer.reset();
    return buffer;
}

BOOL CRegistry::GetBinaryValue(LPCSTR lpszValueName, CByteArray& data)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD dwSize;
    std::unique_ptr<BYTE[]> lpData = QueryValueBytes(lpszValueName, REG_BINARY, dwSize);
    if (!lpData)
        return FALSE;
    data.RemoveAll();
    for (DWORD i = 0; i < dwSize; i++)
        data.Add(lpData[i]);
    return TRUE;
}

BOOL CRegistry::GetMultiStringValue(LPCSTR lpszValueName, CStringArray& strings)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD dwSize;
    std::unique_ptr<BYTE[]> lpData = QueryValueBytes(lpszValueName, REG_MULTI_SZ, dwSize);
    if (!lpData)
        return FALSE;
    // The list ends at an empty string, or at the end of the data when that is missing.
    strings.RemoveAll();
    DWORD dwPos = 0;
    while (dwPos < dwSize && lpData[dwPos] != 0) {
        DWORD dwLength = 0;
        while (dwPos + dwLength < dwSize && lpData[dwPos + dwLength] != 0)
            dwLength++;
        strings.Add(CString((LPCSTR)lpData.get() + dwPos, (int)dwLength));
        dwPos += dwLength + 1;
    }
    return TRUE;
}

BOOL CRegistry::SetStringValue(LPCSTR lpszValueName, const CString& strValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetValue(lpszValueName, REG_SZ, (const BYTE*)(LPCSTR)strValue, (DWORD)strValue.GetLength() + 1);
}

BOOL CRegistry::SetDWordValue(LPCSTR lpszValueName, DWORD dwValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetValue(lpszValueName, REG_DWORD, (const BYTE*)&dwValue, sizeof(DWORD));
}

BOOL CRegistry::SetBinaryValue(LPCSTR lpszValueName, const CByteArray& data)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD dwSize = (DWORD)data.GetSize();
    LPBYTE lpBuffer = new (std::nothrow) BYTE[dwSize];
    if (lpBuffer == NULL)
        return FailAllocation();
    for (DWORD i = 0; i < dwSize; i++)
        lpBuffer[i] = data[i];
    BOOL bOk = SetValue(lpszValueName, REG_BINARY, lpBuffer, dwSize);
    delete[] lpBuffer;
    return bOk;
}

BOOL CRegistry::SetMultiStringValue(LPCSTR lpszValueName, const CStringArray& strings)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD dwSize = 1;
    for (INT_PTR i = 0; i < strings.GetSize(); i++)
        dwSize += (DWORD)strings[i].GetLength() + 1;
    LPBYTE lpBuffer = new (std::nothrow) BYTE[dwSize];
    if (lpBuffer == NULL)
        return FailAllocation();
    memset(lpBuffer, 0, dwSize);
    DWORD dwPos = 0;
    for (INT_PTR i = 0; i < strings.GetSize(); i++) {
        memcpy(lpBuffer + dwPos, (LPCSTR)strings[i], strings[i].GetLength());
        dwPos += (DWORD)strings[i].GetLength() + 1;
    }
    BOOL bOk = SetValue(lpszValueName, REG_MULTI_SZ, lpBuffer, dwSize);
    delete[] lpBuffer;
    return bOk;
}

BOOL CRegistry::GetValue(LPCSTR lpszValueName, CStringArray& strings)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetMultiStringValue(lpszValueName, strings);
}

BOOL CRegistry::GetValue(LPCSTR lpszValueName, CString& strValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetStringValue(lpszValueName, strValue);
}

BOOL CRegistry::GetValue(LPCSTR lpszValueName, DWORD& dwValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetDWordValue(lpszValueName, dwValue);
}

BOOL CRegistry::GetValue(LPCSTR lpszValueName, CByteArray& data)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return GetBinaryValue(lpszValueName, data);
}

BOOL CRegistry::SetValue(LPCSTR lpszValueName, const CString& strValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetStringValue(lpszValueName, strValue);
}

BOOL CRegistry::SetValue(LPCSTR lpszValueName, const CStringArray& strings)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetMultiStringValue(lpszValueName, strings);
}

BOOL CRegistry::SetValue(LPCSTR lpszValueName, DWORD dwValue)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetDWordValue(lpszValueName, dwValue);
}

BOOL CRegistry::SetValue(LPCSTR lpszValueName, const CByteArray& data)
{
    if (lpszValueName == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    return SetBinaryValue(lpszValueName, data);
}

// ---- state ----------------------------------------------------------------------------

void CRegistry::GetKeyClass(CString& strClass) const
{
    strClass = m_strKeyClass;
}

void CRegistry::GetMachineName(CString& strMachineName) const
{
    strMachineName = m_strMachineName;
}

void CRegistry::GetKeyName(CString& strKeyName) const
{
    strKeyName = m_strKeyName;
}

void CRegistry::GetRootName(CString& strRootName) const
{
    strRootName = m_strRootName;
}

LONG CRegistry::GetLastResult() const
{
    return m_lResult;
}

DWORD CRegistry::GetSubKeyCount() const
{
    return m_dwSubKeys;
}

DWORD CRegistry::GetValueCount() const
{
    return m_dwValues;
}

// ---- pass-through operations ----------------------------------------------------------

BOOL CRegistry::GetKeySecurity(SECURITY_INFORMATION securityInformation, PSECURITY_DESCRIPTOR pSecurityDescriptor,
                               LPDWORD lpcbSecurityDescriptor)
{
    if (pSecurityDescriptor == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegGetKeySecurity(m_hKey, securityInformation, pSecurityDescriptor, lpcbSecurityDescriptor);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::SetKeySecurity(SECURITY_INFORMATION& securityInformation, PSECURITY_DESCRIPTOR pSecurityDescriptor)
{
    if (pSecurityDescriptor == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegSetKeySecurity(m_hKey, securityInformation, pSecurityDescriptor);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::LoadKey(LPCSTR lpszSubKey, LPCSTR lpszFile)
{
    if (lpszSubKey == NULL || lpszFile == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegLoadKeyA(m_hRootKey, lpszSubKey, lpszFile);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::UnLoadKey(LPCSTR lpszSubKey)
{
    if (lpszSubKey == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegUnLoadKeyA(m_hKey, lpszSubKey);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::ReplaceKey(LPCSTR lpszSubKey, LPCSTR lpszNewFile, LPCSTR lpszOldFile)
{
    if (lpszSubKey == NULL || lpszNewFile == NULL || lpszOldFile == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegReplaceKeyA(m_hKey, lpszSubKey, lpszNewFile, lpszOldFile);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::RestoreKey(LPCSTR lpszFile, DWORD dwFlags)
{
    if (lpszFile == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegRestoreKeyA(m_hKey, lpszFile, dwFlags);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::SaveKey(LPCSTR lpszFile, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    if (lpszFile == NULL)
        return Fail(ERROR_INVALID_PARAMETER);
    m_lResult = RegSaveKeyA(m_hKey, lpszFile, lpSecurityAttributes);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CRegistry::NotifyChangeKeyValue(HANDLE hEvent, DWORD dwNotifyFilter, BOOL bWatchSubtree, BOOL bAsynchronous)
{
    m_lResult = RegNotifyChangeKeyValue(m_hKey, bWatchSubtree, dwNotifyFilter, hEvent, bAsynchronous);
    return m_lResult == ERROR_SUCCESS;
}

// CRegistry: the program's gateway to the registry. An object holds a connection to one root
// key (of this machine or of a named one) and at most one open key below it; every operation
// keeps the registry's result code in the object and reports success as TRUE or FALSE.
#pragma once

#include <memory>

#include <afxcoll.h>

class CRegistry : public CObject
{
    DECLARE_DYNAMIC(CRegistry)

public:
    CRegistry();
    virtual ~CRegistry();

    virtual BOOL Close();
    virtual BOOL Connect(HKEY hKeyRoot, LPCSTR lpszMachineName = NULL);
    virtual BOOL Create(LPCSTR lpszKeyName, LPSTR lpszClass = NULL, DWORD dwOptions = REG_OPTION_NON_VOLATILE,
                        REGSAM samDesired = KEY_ALL_ACCESS, LPSECURITY_ATTRIBUTES lpSecurityAttributes = NULL,
                        LPDWORD lpdwDisposition = NULL);
    virtual BOOL DeleteKey(LPCSTR lpszKeyName);
    virtual BOOL DeleteValue(LPCSTR lpszValueName);
    virtual BOOL EnumKey(DWORD dwIndex, CString& strName, CString& strClass);
    virtual BOOL EnumValue(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData = NULL,
                           LPDWORD lpcbData = NULL);
    virtual BOOL Flush();
    virtual BOOL GetBinaryValue(LPCSTR lpszValueName, CByteArray& data);
    virtual void GetKeyClass(CString& strClass) const;
    virtual void GetMachineName(CString& strMachineName) const;
    virtual BOOL GetDWordValue(LPCSTR lpszValueName, DWORD& dwValue);
    virtual LONG GetLastResult() const;
    virtual void GetKeyName(CString& strKeyName) const;
    virtual DWORD GetSubKeyCount() const;
    virtual DWORD GetValueCount() const;
    virtual void GetRootName(CString& strRootName) const;
    virtual BOOL GetKeySecurity(SECURITY_INFORMATION securityInformation, PSECURITY_DESCRIPTOR pSecurityDescriptor,
                                LPDWORD lpcbSecurityDescriptor);
    virtual BOOL GetStringValue(LPCSTR lpszValueName, CString& strValue);
    virtual BOOL GetMultiStringValue(LPCSTR lpszValueName, CStringArray& strings);
    virtual BOOL GetValue(LPCSTR lpszValueName, CStringArray& strings);
    virtual BOOL GetValue(LPCSTR lpszValueName, CString& strValue);
    virtual BOOL GetValue(LPCSTR lpszValueName, DWORD& dwValue);
    virtual BOOL GetValue(LPCSTR lpszValueName, CByteArray& data);
    virtual BOOL LoadKey(LPCSTR lpszSubKey, LPCSTR lpszFile);
    virtual BOOL NotifyChangeKeyValue(HANDLE hEvent, DWORD dwNotifyFilter, BOOL bWatchSubtree, BOOL bAsynchronous);
    virtual BOOL Open(LPCSTR lpszKeyName, REGSAM samDesired = KEY_ALL_ACCESS);
    virtual BOOL QueryInfoKey();
    virtual BOOL QueryValue(LPCSTR lpszValueName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize);
    virtual BOOL ReplaceKey(LPCSTR lpszSubKey, LPCSTR lpszNewFile, LPCSTR lpszOldFile);
    virtual BOOL RestoreKey(LPCSTR lpszFile, DWORD dwFlags);
    virtual BOOL SaveKey(LPCSTR lpszFile, LPSECURITY_ATTRIBUTES lpSecurityAttributes = NULL);
    virtual BOOL SetBinaryValue(LPCSTR lpszValueName, const CByteArray& data);
    virtual BOOL SetDWordValue(LPCSTR lpszValueName, DWORD dwValue);
    virtual BOOL SetKeySecurity(SECURITY_INFORMATION& securityInformation, PSECURITY_DESCRIPTOR pSecurityDescriptor);
    virtual BOOL SetStringValue(LPCSTR lpszValueName, const CString& strValue);
    virtual BOOL SetMultiStringValue(LPCSTR lpszValueName, const CStringArray& strings);
    virtual BOOL SetValue(LPCSTR lpszValueName, DWORD dwType, const BYTE* lpData, DWORD dwSize);
    virtual BOOL SetValue(LPCSTR lpszValueName, const CString& strValue);
    virtual BOOL SetValue(LPCSTR lpszValueName, const CStringArray& strings);
    virtual BOOL SetValue(LPCSTR lpszValueName, DWORD dwValue);
    virtual BOOL SetValue(LPCSTR lpszValueName, const CByteArray& data);
    virtual BOOL UnLoadKey(LPCSTR lpszSubKey);

    // Empties the strings and zeroes handles, result code and statistics; closes nothing.
    void Reset();

protected:
    HKEY m_hKey;
    HKEY m_hRootKey;
    LONG m_lResult;
    CString m_strKeyClass;
    CString m_strMachineName;
    CString m_strKeyName;
    CString m_strRootName;
    DWORD m_dwSubKeys;
    DWORD m_dwValues;
    DWORD m_dwMaxSubKeyLen;
    DWORD m_dwMaxClassLen;
    DWORD m_dwMaxValueNameLen;
    DWORD m_dwMaxValueLen;
    DWORD m_cbSecurityDescriptor;
    FILETIME m_ftLastWriteTime;

private:
    BOOL Fail(LONG lResult);
    BOOL FailAllocation();
    std::unique_ptr<BYTE[]> QueryValueBytes(LPCSTR lpszValueName, DWORD dwType, DWORD& dwSize);
};

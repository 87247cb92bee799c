#include "IniFile.h"

#include <string.h>

CIniFile::CIniFile(LPCSTR lpszFileName)
{
    // A name too long for the buffer is not kept cut short, which could name another file:
    // the object keeps no name at all, and then every read gives its default and every write
    // fails (the name means the Windows folder itself, which is no settings file).
    size_t nLength = 0;
    while (nLength < sizeof m_szFileName && lpszFileName[nLength] != '\0')
        ++nLength;
    if (nLength < sizeof m_szFileName)
        memcpy(m_szFileName, lpszFileName, nLength + 1);
    else
        m_szFileName[0] = '\0';
}

UINT CIniFile::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszKey, int nDefault) const
{
    return GetPrivateProfileIntA(lpszSection, lpszKey, nDefault, m_szFileName);
}

CString CIniFile::GetProfileString(LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszDefault) const
{
    char szValue[4000];
    GetPrivateProfileStringA(lpszSection, lpszKey, lpszDefault, szValue, sizeof szValue, m_szFileName);
    return CString(szValue);
}

BOOL CIniFile::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszValue) const
{
    return WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, m_szFileName);
}

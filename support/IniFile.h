// CIniFile: access to one settings (INI) file by name through the platform's profile
// functions. It holds no open file, so it needs no closing; it lives for one page operation.
#pragma once

#include <afx.h>

class CIniFile
{
public:
    // Keeps the name as given, never made absolute: a bare name means the Windows folder.
    // A name of 100 characters or more is not kept, so that no call reaches another file.
    CIniFile(LPCSTR lpszFileName);

    // The key's number, or nDefault when the file, section or key is missing; callers read
    // it as a signed int, so -1000 comes back as -1000.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszKey, int nDefault) const;
    // The key's text, cut to 3999 characters, or the default.
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszDefault) const;
    // Non-zero when the key was written; file and section are created as needed.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszValue) const;

private:
    char m_szFileName[100];
};

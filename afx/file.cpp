// CFile::GetStatus: one directory lookup by name.
#include "afx.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    DWORD nFullLength = GetFullPathNameA(lpszFileName, MAX_PATH, rStatus.m_szFullName, NULL);
    if (nFullLength == 0 || nFullLength >= MAX_PATH)
        return FALSE;

    WIN32_FIND_DATAA findData;
    HANDLE hFind = FindFirstFileA(lpszFileName, &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(hFind);

    rStatus.m_ctime = findData.ftCreationTime;
    rStatus.m_mtime = findData.ftLastWriteTime;
    rStatus.m_atime = findData.ftLastAccessTime;
    rStatus.m_size = (LONG)findData.nFileSizeLow;
    rStatus.m_attribute = (BYTE)findData.dwFileAttributes;
    return TRUE;
}

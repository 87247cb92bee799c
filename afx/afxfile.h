// File status: what CFile::GetStatus reports about a file by name.
#pragma once

struct CFileStatus
{
    FILETIME m_ctime;          // creation time
    FILETIME m_mtime;          // last write time
    FILETIME m_atime;          // last access time
    LONG m_size;               // size in bytes
    BYTE m_attribute;          // the file's attribute bits (FILE_ATTRIBUTE_*)
    TCHAR m_szFullName[MAX_PATH];  // the absolute path
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)

public:
    // TRUE and the file's status when a file or folder of that name exists, else FALSE.
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
};

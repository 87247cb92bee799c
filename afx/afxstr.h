// CString: a single-byte (ANSI) text with value semantics.
#pragma once

#include <string>

class CString
{
public:
    CString();
    CString(const CString& stringSrc);
    CString(LPCTSTR lpsz);
    CString(LPCTSTR lpch, int nLength);
    CString(TCHAR ch, int nRepeat = 1);

    const CString& operator=(const CString& stringSrc);
    const CString& operator=(LPCTSTR lpsz);
    const CString& operator=(TCHAR ch);

    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();

    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const;
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const;

    const CString& operator+=(const CString& string);
    const CString& operator+=(LPCTSTR lpsz);
    const CString& operator+=(TCHAR ch);

    // Byte-wise comparison: <0, 0 or >0, as strcmp.
    int Compare(LPCTSTR lpsz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Searches walk the text character by character in the active code page, so the second
    // byte of a double-byte character never matches. Result: the byte index, or -1.
    int Find(TCHAR ch) const;
    int Find(LPCTSTR lpszSub) const;
    int ReverseFind(TCHAR ch) const;

    // printf-style formatting into this string.
    void Format(LPCTSTR lpszFormat, ...);

    // A writable buffer of at least nMinBufLength characters plus the terminator. After
    // writing, ReleaseBuffer sets the length: the given one, or up to the first NUL for -1.
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);

private:
    // Index of the character after the one that starts at nIndex, in the active code page.
    int NextCharIndex(int nIndex) const;

    std::string m_str;
};

CString operator+(const CString& string1, const CString& string2);
CString operator+(const CString& string, LPCTSTR lpsz);
CString operator+(LPCTSTR lpsz, const CString& string);
CString operator+(const CString& string, TCHAR ch);
CString operator+(TCHAR ch, const CString& string);

bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCTSTR s2);
bool operator==(LPCTSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCTSTR s2);
bool operator!=(LPCTSTR s1, const CString& s2);

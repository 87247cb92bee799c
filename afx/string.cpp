// CString: value semantics over a byte string, with the searches of a multibyte code page.
#include "afx.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

CString::CString()
{
}

CString::CString(const CString& stringSrc) : m_str(stringSrc.m_str)
{
}

CString::CString(LPCTSTR lpsz)
{
    if (lpsz != NULL)
        m_str = lpsz;
}

CString::CString(LPCTSTR lpch, int nLength)
{
    if (lpch != NULL && nLength > 0)
        m_str.assign(lpch, nLength);
}

CString::CString(TCHAR ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(nRepeat, ch);
}

const CString& CString::operator=(const CString& stringSrc)
{
    m_str = stringSrc.m_str;
    return *this;
}

const CString& CString::operator=(LPCTSTR lpsz)
{
    if (lpsz == NULL)
        m_str.clear();
    else
        m_str = lpsz;
    return *this;
}

const CString& CString::operator=(TCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

int CString::GetLength() const
{
    return (int)m_str.size();
}

BOOL CString::IsEmpty() const
{
    return m_str.empty();
}

void CString::Empty()
{
    m_str.clear();
}

TCHAR CString::GetAt(int nIndex) const
{
    return m_str[nIndex];
}

TCHAR CString::operator[](int nIndex) const
{
    return m_str[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    m_str[nIndex] = ch;
}

CString::operator LPCTSTR() const
{
    return m_str.c_str();
}

const CString& CString::operator+=(const CString& string)
{
    m_str += string.m_str;
    return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz)
{
    if (lpsz != NULL)
        m_str += lpsz;
    return *this;
}

const CString& CString::operator+=(TCHAR ch)
{
    m_str += ch;
    return *this;
}

int CString::Compare(LPCTSTR lpsz) const
{
    return strcmp(m_str.c_str(), lpsz != NULL ? lpsz : "");
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst >= GetLength() || nCount <= 0)
        return CString();
    if (nCount > GetLength() - nFirst)
        nCount = GetLength() - nFirst;
    return CString(m_str.c_str() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount >= GetLength())
        return *this;
    return Mid(GetLength() - nCount, nCount);
}

int CString::NextCharIndex(int nIndex) const
{
    if (IsDBCSLeadByte((BYTE)m_str[nIndex]) && nIndex + 1 < GetLength())
        return nIndex + 2;
    return nIndex + 1;
}

int CString::Find(TCHAR ch) const
{
    for (int i = 0; i < GetLength(); i = NextCharIndex(i))
    {
        if (m_str[i] == ch)
            return i;
    }
    return -1;
}

int CString::Find(LPCTSTR lpszSub) const
{
    size_t nSubLength = strlen(lpszSub);
    for (int i = 0; i <= GetLength(); i = NextCharIndex(i))
    {
        if (m_str.compare(i, nSubLength, lpszSub) == 0)
            return i;
        if (i == GetLength())
            break;
    }
    return -1;
}

int CString::ReverseFind(TCHAR ch) const
{
    int nFound = -1;
    for (int i = 0; i < GetLength(); i = NextCharIndex(i))
    {
        if (m_str[i] == ch)
            nFound = i;
    }
    return nFound;
}

void CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    va_list argsForSize;
    va_copy(argsForSize, args);
    int nLength = vsnprintf(NULL, 0, lpszFormat, argsForSize);
    va_end(argsForSize);

    if (nLength < 0)
        m_str.clear();
    else
    {
        m_str.assign(nLength, '\0');
        vsnprintf(&m_str[0], nLength + 1, lpszFormat, args);
    }
    va_end(args);
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(nMinBufLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strlen(m_str.c_str());
    m_str.resize(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(nNewLength < 0 ? 0 : nNewLength);
    return &m_str[0];
}

CString operator+(const CString& string1, const CString& string2)
{
    CString result(string1);
    result += string2;
    return result;
}

CString operator+(const CString& string, LPCTSTR lpsz)
{
    CString result(string);
    result += lpsz;
    return result;
}

CString operator+(LPCTSTR lpsz, const CString& string)
{
    CString result(lpsz);
    result += string;
    return result;
}

CString operator+(const CString& string, TCHAR ch)
{
    CString result(string);
    result += ch;
    return result;
}

CString operator+(TCHAR ch, const CString& string)
{
    CString result(ch);
    result += string;
    return result;
}

bool operator==(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) == 0;
}

bool operator==(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) == 0;
}

bool operator==(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) == 0;
}

bool operator!=(const CString& s1, const CString& s2)
{
    return !(s1 == s2);
}

bool operator!=(const CString& s1, LPCTSTR s2)
{
    return !(s1 == s2);
}

bool operator!=(LPCTSTR s1, const CString& s2)
{
    return !(s1 == s2);
}

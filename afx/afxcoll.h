// Growable arrays of bytes and of strings, indexed from 0.
#pragma once

#include "afx.h"

#include <vector>

// The shared shape of the typed arrays below; TYPE is the element, ARG_TYPE how it is passed.
template <class TYPE, class ARG_TYPE>
class CArray : public CObject
{
public:
    INT_PTR GetSize() const { return (INT_PTR)m_elements.size(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // New elements are zero bytes or empty strings.
    void SetSize(INT_PTR nNewSize) { m_elements.resize(nNewSize < 0 ? 0 : (size_t)nNewSize); }
    void RemoveAll() { m_elements.clear(); }

    TYPE GetAt(INT_PTR nIndex) const { return m_elements[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_elements[nIndex] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_elements[nIndex]; }
    TYPE operator[](INT_PTR nIndex) const { return m_elements[nIndex]; }
    TYPE& operator[](INT_PTR nIndex) { return m_elements[nIndex]; }

    const TYPE* GetData() const { return m_elements.empty() ? NULL : &m_elements[0]; }
    TYPE* GetData() { return m_elements.empty() ? NULL : &m_elements[0]; }

    // Appends one element and returns its index.
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_elements.push_back(TYPE(newElement));
        return GetSize() - 1;
    }

private:
    std::vector<TYPE> m_elements;
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_DYNAMIC(CByteArray)
};

class CStringArray : public CArray<CString, LPCTSTR>
{
    DECLARE_DYNAMIC(CStringArray)
};

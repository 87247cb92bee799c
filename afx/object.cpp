// CObject and its run-time class information.
#include "afx.h"

const CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, NULL, NULL };

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CObject::CObject()
{
}

CObject::~CObject()
{
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

void CObject::Serialize(CArchive&)
{
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

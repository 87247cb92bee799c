// The framework's core: run-time class information, the string class and file status.
// Everything here sits on the Win32 API alone, so it builds the same for every platform
// that provides it.
#pragma once

#include <windows.h>

class CObject;
class CArchive;

// Run-time class information: the class name, its base, and for dynamically creatable
// classes the function that makes a new object.
struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // A new object of the class, or NULL when the class is not dynamically creatable.
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name) \
public: \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew) \
    const CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), 0xFFFF, pfnNew, RUNTIME_CLASS(base_class_name) }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)

// The root of the framework's classes. Objects are not copied: a copy of an object that owns
// a window or a handle would own it twice.
class CObject
{
public:
    static const CRuntimeClass classCObject;

    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();
    // Reads or writes the object's state; a class that stores nothing keeps this one.
    virtual void Serialize(CArchive& ar);

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject();

private:
    CObject(const CObject&);
    void operator=(const CObject&);
};

#include "afxstr.h"
#include "afxfile.h"

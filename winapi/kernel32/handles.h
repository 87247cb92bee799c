// Kernel objects behind HANDLEs: open files and file searches. A HANDLE is the object's
// address, known to the table until it is closed, so a stale or foreign handle is refused
// with ERROR_INVALID_HANDLE instead of being followed.
#ifndef WINAPI_KERNEL32_HANDLES_H
#define WINAPI_KERNEL32_HANDLES_H

#include "windef.h"

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

// Enters a new object in the table and returns its handle.
HANDLE HandleFromObject(KernelObject *object);

// The object of a live handle, or nullptr.
KernelObject *ObjectFromHandle(HANDLE handle);

template <class T> T *ObjectFromHandleAs(HANDLE handle)
{
    return dynamic_cast<T *>(ObjectFromHandle(handle));
}

// Removes the handle's object from the table and destroys it; false for an unknown handle.
bool DestroyHandle(HANDLE handle);

#endif

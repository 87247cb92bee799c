// The handle table and CloseHandle.
#include "handles.h"

#include <mutex>
#include <set>

#include "lasterror.h"
#include "winbase.h"
#include "winerror.h"

static std::mutex g_handleLock;
static std::set<KernelObject *> g_handles;

HANDLE HandleFromObject(KernelObject *object)
{
    std::lock_guard<std::mutex> lock(g_handleLock);
    g_handles.insert(object);
    return (HANDLE)object;
}

KernelObject *ObjectFromHandle(HANDLE handle)
{
    std::lock_guard<std::mutex> lock(g_handleLock);
    auto it = g_handles.find((KernelObject *)handle);
    return it == g_handles.end() ? nullptr : *it;
}

bool DestroyHandle(HANDLE handle)
{
    KernelObject *object;
    {
        std::lock_guard<std::mutex> lock(g_handleLock);
        auto it = g_handles.find((KernelObject *)handle);
        if (it == g_handles.end())
            return false;
        object = *it;
        g_handles.erase(it);
    }
    delete object;
    return true;
}

/***********************************************************************
 *           CloseHandle
 *
 * INVALID_HANDLE_VALUE is the pseudo-handle of the current process; closing it does nothing
 * and succeeds, as on Windows.
 */
BOOL WINAPI CloseHandle(HANDLE hObject)
{
    if (hObject == INVALID_HANDLE_VALUE)
        return TRUE;
    if (!DestroyHandle(hObject))
        return FailWith(ERROR_INVALID_HANDLE);
    return TRUE;
}

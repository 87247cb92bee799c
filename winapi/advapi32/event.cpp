// Event objects: what RegNotifyChangeKeyValue signals. Handles come from kernel32's table,
// so CloseHandle ends them.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "../kernel32/handles.h"
#include "../kernel32/lasterror.h"
#include "notify.h"
#include "winerror.h"
#include "winreg.h"

namespace {

class EventObject : public KernelObject {
public:
    EventObject(bool manual, bool initial) : manualReset(manual), signaled(initial) {}
    std::mutex mutex;
    std::condition_variable changed;
    bool manualReset;
    bool signaled;
};

}

static EventObject *EventFromHandle(HANDLE h)
{
    return ObjectFromHandleAs<EventObject>(h);
}

bool IsEventObject(HANDLE event)
{
    return EventFromHandle(event) != nullptr;
}

BOOL SignalEventObject(HANDLE event)
{
    EventObject *object = EventFromHandle(event);
    if (!object)
        return FailWith(ERROR_INVALID_HANDLE);
    std::lock_guard<std::mutex> lock(object->mutex);
    object->signaled = true;
    object->changed.notify_all();
    return TRUE;
}

/***********************************************************************
 *           CreateEventA
 *
 * Unnamed events only: the program never shares one between processes. A name fails with
 * ERROR_NOT_SUPPORTED rather than giving an event no other process could open.
 */
HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                           LPCSTR lpName)
{
    (void)lpEventAttributes;
    if (lpName && *lpName) {
        FailWith(ERROR_NOT_SUPPORTED);
        return NULL;
    }
    return HandleFromObject(new EventObject(bManualReset != FALSE, bInitialState != FALSE));
}

/***********************************************************************
 *           SetEvent
 */
BOOL WINAPI SetEvent(HANDLE hEvent)
{
    return SignalEventObject(hEvent);
}

/***********************************************************************
 *           ResetEvent
 */
BOOL WINAPI ResetEvent(HANDLE hEvent)
{
    EventObject *object = EventFromHandle(hEvent);
    if (!object)
        return FailWith(ERROR_INVALID_HANDLE);
    std::lock_guard<std::mutex> lock(object->mutex);
    object->signaled = false;
    return TRUE;
}

/***********************************************************************
 *           WaitForSingleObject
 *
 * Events only. An auto-reset event is reset by the wait that it satisfies.
 */
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    EventObject *object = EventFromHandle(hHandle);
    if (!object) {
        FailWith(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    std::unique_lock<std::mutex> lock(object->mutex);
    auto ready = [object] { return object->signaled; };
    if (dwMilliseconds == INFINITE)
        object->changed.wait(lock, ready);
    else if (!object->changed.wait_for(lock, std::chrono::milliseconds(dwMilliseconds), ready))
        return WAIT_TIMEOUT;
    if (!object->manualReset)
        object->signaled = false;
    return WAIT_OBJECT_0;
}

// Change notification: RegNotifyChangeKeyValue's registrations and the changes that fire
// them. A registration belongs to a handle, fires once (its event is set), and is signalled
// and dropped when the handle closes, as on Windows.
#ifndef WINAPI_ADVAPI32_NOTIFY_H
#define WINAPI_ADVAPI32_NOTIFY_H

#include "hive.h"

// Reports a change of kind `change` (REG_NOTIFY_CHANGE_*) at the key `ref`.
void NotifyChange(const KeyRef &ref, DWORD change);

// Signals and drops the registration of `hkey`, if any.
void CancelNotifications(HKEY hkey);

// The event objects of kernel32 that notifications set.
BOOL SignalEventObject(HANDLE event);
bool IsEventObject(HANDLE event);

#endif

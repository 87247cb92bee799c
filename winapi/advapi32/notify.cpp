// RegNotifyChangeKeyValue.
#include "notify.h"

#include <unistd.h>

#include <vector>

#include "winerror.h"

namespace {

struct Registration {
    HKEY hkey;
    std::u16string place;   // the watched key's full name, lower case
    bool subtree;
    DWORD filter;
    HANDLE event;
};

std::vector<Registration> g_registrations;

}

static bool IsWithin(const std::u16string &place, const std::u16string &watched)
{
    return place.size() > watched.size() && place.compare(0, watched.size(), watched) == 0 &&
           place[watched.size()] == u'\\';
}

void NotifyChange(const KeyRef &ref, DWORD change)
{
    RegistryReadGuard guard(RegistryMutex());
    std::u16string place = ref.FullName();
    for (auto it = g_registrations.begin(); it != g_registrations.end();) {
        bool hit = (it->filter & change) && (place == it->place || (it->subtree && IsWithin(place, it->place)));
        if (hit) {
            SignalEventObject(it->event);
            it = g_registrations.erase(it);
        } else {
            ++it;
        }
    }
}

void CancelNotifications(HKEY hkey)
{
    RegistryReadGuard guard(RegistryMutex());
    for (auto it = g_registrations.begin(); it != g_registrations.end();) {
        if (it->hkey == hkey) {
            SignalEventObject(it->event);
            it = g_registrations.erase(it);
        } else {
            ++it;
        }
    }
}

static void AppendValues(const RegKey &key, std::u16string &out)
{
    for (const RegValue &value : key.values) {
        out += value.name + u"=" + (char16_t)value.type;
        for (char c : value.data)
            out += (char16_t)(unsigned char)c;
    }
}

// What a synchronous wait compares: the key's subkey names and values, and with `subtree`
// everything below it, each subkey's contents after its name. Walked with a stack of its
// own, since a registry file may nest keys deeper than the thread's stack would recurse.
static void Snapshot(const RegKey &key, bool subtree, std::u16string &out)
{
    std::vector<std::pair<const RegKey *, size_t>> open{{&key, 0}};
    while (!open.empty()) {
        const RegKey &top = *open.back().first;
        size_t &next = open.back().second;
        if (next == top.subkeys.size()) {
            AppendValues(top, out);
            open.pop_back();
            continue;
        }
        const RegKey &sub = *top.subkeys[next++];
        out += u"[" + sub.name + u"]";
        if (subtree && !sub.mounted)
            open.push_back({&sub, 0});
    }
}

static bool TakeSnapshot(const KeyRef &ref, bool subtree, std::u16string &out)
{
    RegistryReadGuard guard(RegistryMutex());
    out.clear();
    RegKey *key = LocateKey(ref);
    if (!key)
        return false;
    Snapshot(*key, subtree, out);
    return true;
}

/***********************************************************************
 *           RegNotifyChangeKeyValue
 *
 * Asynchronous: the event is set by the next change of the kind asked for that this process
 * makes at the key (or below it, with bWatchSubtree). Synchronous: the call returns once the
 * key (or its subtree) differs from what it was, as another process can change it.
 */
LONG WINAPI RegNotifyChangeKeyValue(HKEY hKey, BOOL bWatchSubtree, DWORD dwNotifyFilter, HANDLE hEvent,
                                    BOOL fAsynchronous)
{
    KeyRef ref;
    LONG res = RefWithAccess(hKey, KEY_NOTIFY, ref);
    if (res != ERROR_SUCCESS)
        return res;
    if (fAsynchronous && !IsEventObject(hEvent))
        return ERROR_INVALID_HANDLE;
    if (!fAsynchronous) {
        std::u16string before, now;
        if (!TakeSnapshot(ref, bWatchSubtree != FALSE, before))
            return ERROR_KEY_DELETED;
        while (TakeSnapshot(ref, bWatchSubtree != FALSE, now) && now == before)
            usleep(100000);
        return ERROR_SUCCESS;
    }
    RegistryReadGuard guard(RegistryMutex());
    if (!LocateKey(ref))
        return ERROR_KEY_DELETED;
    for (Registration &r : g_registrations)
        if (r.hkey == hKey) {   // armed already: the new request replaces it
            r = Registration{hKey, ref.FullName(), bWatchSubtree != FALSE, dwNotifyFilter, hEvent};
            return ERROR_SUCCESS;
        }
    g_registrations.push_back(Registration{hKey, ref.FullName(), bWatchSubtree != FALSE, dwNotifyFilter, hEvent});
    return ERROR_SUCCESS;
}

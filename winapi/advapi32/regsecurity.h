// Security descriptors of keys: every key has Wine's default descriptor until
// RegSetKeySecurity gives it parts of its own, which this process keeps (the registry files
// hold no descriptors, in Wine's format as in ours).
#ifndef WINAPI_ADVAPI32_REGSECURITY_H
#define WINAPI_ADVAPI32_REGSECURITY_H

#include "hive.h"

// The size of the key's self-relative descriptor with owner, group and DACL, as
// RegQueryInfoKeyA reports it.
DWORD KeySecurityLength(const KeyRef &ref);

// Drops what was set for a key that has been deleted (and the keys below it).
void ForgetKeySecurity(const KeyRef &ref);

#endif

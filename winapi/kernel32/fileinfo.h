// What Windows reports about a host file: its attributes and its times.
#ifndef WINAPI_KERNEL32_FILEINFO_H
#define WINAPI_KERNEL32_FILEINFO_H

#include <sys/stat.h>

#include <string>

#include "winbase.h"

// The attributes of the host file `name` (its own name, for the hidden dot-files) as Wine
// gives them: a folder, else an archive; read-only without write permission; hidden when the
// name starts with a dot.
DWORD FileAttributesFromStat(const std::string &name, const struct stat &st);

// A host time as a FILETIME (100 ns units since 1601-01-01 UTC).
FILETIME FileTimeFromTimespec(const struct timespec &ts);

// The last name of a host path.
std::string HostBaseName(const std::string &host);

#endif

// File attributes and times: the host's view in Windows' terms.
#include "fileinfo.h"


// Seconds from 1601-01-01 to 1970-01-01.
static const ULONGLONG kEpochDifference = 11644473600ULL;
static const ULONGLONG kTicksPerSecond = 10000000ULL;

DWORD FileAttributesFromStat(const std::string &name, const struct stat &st)
{
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!S_ISDIR(st.st_mode) && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

FILETIME FileTimeFromTimespec(const struct timespec &ts)
{
    ULONGLONG ticks = ((ULONGLONG)ts.tv_sec + kEpochDifference) * kTicksPerSecond + (ULONGLONG)ts.tv_nsec / 100;
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)ticks;
    ft.dwHighDateTime = (DWORD)(ticks >> 32);
    return ft;
}

std::string HostBaseName(const std::string &host)
{
    size_t slash = host.rfind('/');
    return slash == std::string::npos ? host : host.substr(slash + 1);
}

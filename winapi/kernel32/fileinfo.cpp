// File attributes and times: the host's view translated, and the FILETIME conversions.
#include "fileinfo.h"

#include <time.h>

#include "lasterror.h"
#include "winerror.h"

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

static ULONGLONG TicksOf(const FILETIME *ft)
{
    return ((ULONGLONG)ft->dwHighDateTime << 32) | ft->dwLowDateTime;
}

/***********************************************************************
 *           FileTimeToLocalFileTime
 *
 * Uses the time zone's offset now, not the one in force at the given time, as documented.
 */
BOOL WINAPI FileTimeToLocalFileTime(const FILETIME *lpFileTime, LPFILETIME lpLocalFileTime)
{
    if (!lpFileTime || !lpLocalFileTime)
        return FailWith(ERROR_INVALID_PARAMETER);
    time_t now = time(NULL);
    struct tm local;
    localtime_r(&now, &local);
    LONGLONG ticks = (LONGLONG)TicksOf(lpFileTime) + (LONGLONG)local.tm_gmtoff * (LONGLONG)kTicksPerSecond;
    lpLocalFileTime->dwLowDateTime = (DWORD)ticks;
    lpLocalFileTime->dwHighDateTime = (DWORD)((ULONGLONG)ticks >> 32);
    return TRUE;
}

/***********************************************************************
 *           FileTimeToSystemTime
 */
BOOL WINAPI FileTimeToSystemTime(const FILETIME *lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (!lpFileTime || !lpSystemTime)
        return FailWith(ERROR_INVALID_PARAMETER);
    ULONGLONG ticks = TicksOf(lpFileTime);
    if (ticks >= 0x8000000000000000ULL)
        return FailWith(ERROR_INVALID_PARAMETER);
    ULONGLONG seconds = ticks / kTicksPerSecond;
    ULONGLONG days = seconds / 86400;
    ULONGLONG secondOfDay = seconds % 86400;
    // Civil date from a day count, counting from 0000-03-01 so leap days come last.
    LONGLONG z = (LONGLONG)days + 584694; // days from 0000-03-01 to 1601-01-01
    LONGLONG era = z / 146097;
    LONGLONG dayOfEra = z - era * 146097;
    LONGLONG yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    LONGLONG dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    LONGLONG mp = (5 * dayOfYear + 2) / 153;
    LONGLONG day = dayOfYear - (153 * mp + 2) / 5 + 1;
    LONGLONG month = mp < 10 ? mp + 3 : mp - 9;
    LONGLONG year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    lpSystemTime->wYear = (WORD)year;
    lpSystemTime->wMonth = (WORD)month;
    lpSystemTime->wDay = (WORD)day;
    lpSystemTime->wDayOfWeek = (WORD)((days + 1) % 7); // 1601-01-01 was a Monday
    lpSystemTime->wHour = (WORD)(secondOfDay / 3600);
    lpSystemTime->wMinute = (WORD)(secondOfDay / 60 % 60);
    lpSystemTime->wSecond = (WORD)(secondOfDay % 60);
    lpSystemTime->wMilliseconds = (WORD)(ticks % kTicksPerSecond / 10000);
    return TRUE;
}

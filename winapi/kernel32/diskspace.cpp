// GetDiskFreeSpaceA: the size and free space of the file system a drive's folder lives on.
#include <ctype.h>
#include <sys/statvfs.h>

#include <map>
#include <mutex>
#include <string>

#include "dospath.h"
#include "lasterror.h"
#include "winapi_linux.h"
#include "winbase.h"
#include "winerror.h"

namespace {

// What a test made a drive report instead of its real file system.
struct DiskOverride {
    bool fails;
    DWORD error;
    ULONGLONG freeBytes;
    ULONGLONG totalBytes;
};

std::mutex g_overrideLock;
std::map<char, DiskOverride> g_overrides;

bool FindOverride(char drive, DiskOverride &found)
{
    std::lock_guard<std::mutex> lock(g_overrideLock);
    auto it = g_overrides.find((char)toupper((unsigned char)drive));
    if (it == g_overrides.end())
        return false;
    found = it->second;
    return true;
}

// Wine's cluster: eight sectors of 512 bytes.
const DWORD kBytesPerSector = 512;
const DWORD kSectorsPerCluster = 8;

} // namespace

/***********************************************************************
 *           GetDiskFreeSpaceA
 *
 * As Wine answers it: the root names the file system of any existing folder (NULL or "\"
 * the current drive); a missing folder gives ERROR_FILE_NOT_FOUND, a missing drive, a
 * network path or "" ERROR_PATH_NOT_FOUND. A file system too large for 32-bit cluster
 * counts reports bigger clusters, so that the counts never wrap.
 */
BOOL WINAPI GetDiskFreeSpaceA(LPCSTR lpRootPathName, LPDWORD lpSectorsPerCluster, LPDWORD lpBytesPerSector,
                              LPDWORD lpNumberOfFreeClusters, LPDWORD lpTotalNumberOfClusters)
{
    std::string full, host;
    LPCSTR root = lpRootPathName ? lpRootPathName : "\\";
    if (!*root || !DosFullPath(root, full))
        return FailWith(ERROR_PATH_NOT_FOUND);
    if (full.size() >= 2 && full[0] == '\\' && full[1] == '\\')
        return FailWith(ERROR_PATH_NOT_FOUND);
    if (!DosPathToHost(full.c_str(), host))
        return FALSE;

    struct statvfs st;
    if (statvfs(host.c_str(), &st) != 0)
        return FailWithErrno();
    ULONGLONG freeBytes = (ULONGLONG)st.f_frsize * st.f_bavail;
    ULONGLONG totalBytes = (ULONGLONG)st.f_frsize * st.f_blocks;
    DiskOverride forced;
    if (FindOverride(full[0], forced)) {
        if (forced.fails)
            return FailWith(forced.error);
        freeBytes = forced.freeBytes;
        totalBytes = forced.totalBytes;
    }

    DWORD sectorsPerCluster = kSectorsPerCluster;
    while (totalBytes / ((ULONGLONG)sectorsPerCluster * kBytesPerSector) > 0xFFFFFFFFull)
        sectorsPerCluster *= 2;
    ULONGLONG clusterBytes = (ULONGLONG)sectorsPerCluster * kBytesPerSector;
    ULONGLONG totalClusters = totalBytes / clusterBytes;
    ULONGLONG freeClusters = freeBytes / clusterBytes;
    if (freeClusters > totalClusters)
        freeClusters = totalClusters;

    if (lpSectorsPerCluster)
        *lpSectorsPerCluster = sectorsPerCluster;
    if (lpBytesPerSector)
        *lpBytesPerSector = kBytesPerSector;
    if (lpNumberOfFreeClusters)
        *lpNumberOfFreeClusters = (DWORD)freeClusters;
    if (lpTotalNumberOfClusters)
        *lpTotalNumberOfClusters = (DWORD)totalClusters;
    return TRUE;
}

BOOL WinapiSetDiskFreeSpaceOverride(CHAR cDrive, ULONGLONG ullFreeBytes, ULONGLONG ullTotalBytes)
{
    if (!isalpha((unsigned char)cDrive) || ullFreeBytes > ullTotalBytes)
        return FALSE;
    std::lock_guard<std::mutex> lock(g_overrideLock);
    g_overrides[(char)toupper((unsigned char)cDrive)] = {false, ERROR_SUCCESS, ullFreeBytes, ullTotalBytes};
    return TRUE;
}

BOOL WinapiFailDiskFreeSpace(CHAR cDrive, DWORD dwError)
{
    if (!isalpha((unsigned char)cDrive))
        return FALSE;
    std::lock_guard<std::mutex> lock(g_overrideLock);
    g_overrides[(char)toupper((unsigned char)cDrive)] = {true, dwError, 0, 0};
    return TRUE;
}

void WinapiClearDiskFreeSpaceOverrides(void)
{
    std::lock_guard<std::mutex> lock(g_overrideLock);
    g_overrides.clear();
}

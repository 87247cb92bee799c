// Whole-file operations: GetFileAttributesA, DeleteFileA, CopyFileA, MoveFileExA.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "dospath.h"
#include "fileinfo.h"
#include "hostio.h"
#include "lasterror.h"
#include "winbase.h"
#include "winerror.h"

static bool IsReadOnly(const std::string &host, const struct stat &st)
{
    return FileAttributesFromStat(HostBaseName(host), st) & FILE_ATTRIBUTE_READONLY;
}

/***********************************************************************
 *           GetFileAttributesA
 */
DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName)
{
    std::string host;
    struct stat st;
    if (!lpFileName || !*lpFileName) {
        FailWith(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (!DosPathToHost(lpFileName, host))
        return INVALID_FILE_ATTRIBUTES;
    if (stat(host.c_str(), &st) != 0) {
        FailWithErrno();
        return INVALID_FILE_ATTRIBUTES;
    }
    return FileAttributesFromStat(HostBaseName(host), st);
}

/***********************************************************************
 *           DeleteFileA
 *
 * A folder or a read-only file is refused with ERROR_ACCESS_DENIED.
 */
BOOL WINAPI DeleteFileA(LPCSTR lpFileName)
{
    std::string host;
    struct stat st;
    if (!lpFileName || !*lpFileName)
        return FailWith(ERROR_PATH_NOT_FOUND);
    if (!DosPathToHost(lpFileName, host))
        return FALSE;
    if (stat(host.c_str(), &st) != 0)
        return FailWithErrno();
    if (S_ISDIR(st.st_mode) || IsReadOnly(host, st))
        return FailWith(ERROR_ACCESS_DENIED);
    if (unlink(host.c_str()) != 0)
        return FailWithErrno();
    return TRUE;
}

// The host paths of a source and a target file name, as copying and moving take them.
static bool HostPathsOfPair(LPCSTR from, LPCSTR to, std::string &source, std::string &target)
{
    if (!from || !*from || !to || !*to)
        return FailWith(ERROR_PATH_NOT_FOUND);
    return DosPathToHost(from, source) && DosPathToHost(to, target);
}

static bool CopyContents(int from, int to)
{
    char buf[65536];
    for (;;) {
        ssize_t n = read(from, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = write(to, buf + done, (size_t)(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                return false;
            done += w;
        }
    }
}

/***********************************************************************
 *           CopyFileA
 *
 * The copy gets the source's permissions (so its read-only attribute) and its last-write
 * time. A copy that fails half-way is removed.
 */
BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    std::string source, target;
    if (!HostPathsOfPair(lpExistingFileName, lpNewFileName, source, target))
        return FALSE;
    struct stat from, to;
    if (stat(source.c_str(), &from) != 0)
        return FailWithErrno();
    if (S_ISDIR(from.st_mode))
        return FailWith(ERROR_ACCESS_DENIED);
    if (stat(target.c_str(), &to) == 0) {
        if (to.st_dev == from.st_dev && to.st_ino == from.st_ino)
            return FailWith(ERROR_SHARING_VIOLATION);
        if (S_ISDIR(to.st_mode) || IsReadOnly(target, to))
            return FailWith(ERROR_ACCESS_DENIED);
        if (bFailIfExists)
            return FailWith(ERROR_FILE_EXISTS);
    }
    int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return FailWithErrno();
    int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (bFailIfExists ? O_EXCL : 0);
    int out = open(target.c_str(), flags, 0600);
    if (out < 0) {
        int err = errno;
        close(in);
        return FailWith(err == EEXIST ? ERROR_FILE_EXISTS : Win32ErrorFromErrno(err));
    }
    bool copied = CopyContents(in, out);
    int err = errno;
    if (copied) {
        struct timespec times[2] = {from.st_atim, from.st_mtim};
        futimens(out, times);
        fchmod(out, from.st_mode & 07777);
    }
    close(in);
    if (close(out) != 0 && copied) {
        copied = false;
        err = errno;
    }
    if (!copied) {
        unlink(target.c_str());
        return FailWith(Win32ErrorFromErrno(err));
    }
    return TRUE;
}

/***********************************************************************
 *           MoveFileExA
 *
 * A rename within one drive; replacing an existing file is one step, as a rename is. Flags:
 * MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH (the file and the move reach the disk
 * before the call returns); any other flag is refused with ERROR_INVALID_PARAMETER.
 */
BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    if (dwFlags & ~(DWORD)(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FailWith(ERROR_INVALID_PARAMETER);
    std::string source, target;
    if (!HostPathsOfPair(lpExistingFileName, lpNewFileName, source, target))
        return FALSE;
    struct stat from, to;
    if (lstat(source.c_str(), &from) != 0)
        return FailWithErrno();
    if (lstat(target.c_str(), &to) == 0 && !(to.st_dev == from.st_dev && to.st_ino == from.st_ino)) {
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING))
            return FailWith(ERROR_ALREADY_EXISTS);
        if (S_ISDIR(to.st_mode) || S_ISDIR(from.st_mode) || IsReadOnly(target, to))
            return FailWith(ERROR_ACCESS_DENIED);
    }
    if ((dwFlags & MOVEFILE_WRITE_THROUGH) && !S_ISDIR(from.st_mode)) {
        int fd = open(source.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || fsync(fd) != 0) {
            int err = errno;
            if (fd >= 0)
                close(fd);
            return FailWith(Win32ErrorFromErrno(err));
        }
        close(fd);
    }
    if (rename(source.c_str(), target.c_str()) != 0)
        return FailWithErrno();
    if (dwFlags & MOVEFILE_WRITE_THROUGH)
        SyncParentFolder(target);
    return TRUE;
}

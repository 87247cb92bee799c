// Open files: CreateFileA, ReadFile, WriteFile, GetFileSize.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "dospath.h"
#include "fileinfo.h"
#include "handles.h"
#include "lasterror.h"
#include "winbase.h"
#include "winerror.h"

namespace {

class FileObject : public KernelObject {
public:
    FileObject(int fd, DWORD access) : m_fd(fd), m_access(access) {}
    ~FileObject() override { close(m_fd); }
    int Descriptor() const { return m_fd; }
    bool CanRead() const { return m_access & (GENERIC_READ | GENERIC_ALL); }
    bool CanWrite() const { return m_access & (GENERIC_WRITE | GENERIC_ALL); }

private:
    int m_fd;
    DWORD m_access;
};

int OpenFlags(DWORD access)
{
    bool read = access & (GENERIC_READ | GENERIC_ALL);
    bool write = access & (GENERIC_WRITE | GENERIC_ALL);
    if (read && write)
        return O_RDWR;
    return write ? O_WRONLY : O_RDONLY;
}

} // namespace

/***********************************************************************
 *           CreateFileA
 *
 * Files only (a folder is refused with ERROR_ACCESS_DENIED, as without
 * FILE_FLAG_BACKUP_SEMANTICS). Share modes are not enforced between handles.
 */
HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    (void)dwShareMode;
    (void)lpSecurityAttributes;
    (void)hTemplateFile;
    std::string host;
    if (!DosPathToHost(lpFileName, host))
        return INVALID_HANDLE_VALUE;
    int flags = OpenFlags(dwDesiredAccess) | O_CLOEXEC;
    switch (dwCreationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING:
        if (!(dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL))) {
            FailWith(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        flags |= O_TRUNC;
        break;
    default:
        FailWith(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }

    struct stat st;
    bool existed = stat(host.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode)) {
        FailWith(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (existed && dwCreationDisposition == CREATE_NEW) {
        FailWith(ERROR_FILE_EXISTS);
        return INVALID_HANDLE_VALUE;
    }
    // The host would let the superuser write a read-only file; Windows never does.
    if (existed && (flags & (O_WRONLY | O_RDWR)) &&
        (FileAttributesFromStat(HostBaseName(host), st) & FILE_ATTRIBUTE_READONLY)) {
        FailWith(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd = open(host.c_str(), flags, mode);
    if (fd < 0) {
        SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    bool reportExisting = existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(reportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return HandleFromObject(new FileObject(fd, dwDesiredAccess));
}

/***********************************************************************
 *           ReadFile
 *
 * Reads until the count is met or the file ends; at the end of the file it succeeds with
 * zero bytes, as Windows does for a synchronous handle.
 */
BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                     LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    FileObject *file = ObjectFromHandleAs<FileObject>(hFile);
    if (!file)
        return FailWith(ERROR_INVALID_HANDLE);
    if (lpOverlapped || (!lpBuffer && nNumberOfBytesToRead))
        return FailWith(ERROR_INVALID_PARAMETER);
    if (!file->CanRead())
        return FailWith(ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        ssize_t n = read(file->Descriptor(), (char *)lpBuffer + done, nNumberOfBytesToRead - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FailWithErrno();
        if (n == 0)
            break;
        done += (DWORD)n;
        if (lpNumberOfBytesRead)
            *lpNumberOfBytesRead = done;
    }
    return TRUE;
}

/***********************************************************************
 *           WriteFile
 */
BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
                      LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    FileObject *file = ObjectFromHandleAs<FileObject>(hFile);
    if (!file)
        return FailWith(ERROR_INVALID_HANDLE);
    if (lpOverlapped || (!lpBuffer && nNumberOfBytesToWrite))
        return FailWith(ERROR_INVALID_PARAMETER);
    if (!file->CanWrite())
        return FailWith(ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        ssize_t n = write(file->Descriptor(), (const char *)lpBuffer + done, nNumberOfBytesToWrite - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FailWithErrno();
        done += (DWORD)n;
        if (lpNumberOfBytesWritten)
            *lpNumberOfBytesWritten = done;
    }
    return TRUE;
}

/***********************************************************************
 *           GetFileSize
 */
DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    FileObject *file = ObjectFromHandleAs<FileObject>(hFile);
    struct stat st;
    if (!file) {
        FailWith(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (fstat(file->Descriptor(), &st) != 0) {
        FailWithErrno();
        return INVALID_FILE_SIZE;
    }
    ULONGLONG size = (ULONGLONG)st.st_size;
    if (lpFileSizeHigh)
        *lpFileSizeHigh = (DWORD)(size >> 32);
    return (DWORD)size;
}

// fopen, fwrite and fclose of the program. Defined in the executable, they stand in front of
// the host's for every caller in the process: a Windows path (a drive letter or a backslash)
// is opened through the prefix's drives as the Windows run-time library opens it, any other
// path goes on to the host's fopen untouched, so host libraries see no difference.
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "dosmaperr.h"
#include "dospath.h"
#include "stream.h"
#include "winbase.h"

namespace {

typedef FILE *(*FopenFunction)(const char *, const char *);
typedef size_t (*FwriteFunction)(const void *, size_t, size_t, FILE *);
typedef int (*FcloseFunction)(FILE *);

bool IsWindowsPath(const char *path)
{
    bool driveLetter = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':';
    return driveLetter || strchr(path, '\\') != NULL;
}

// The mode as the Windows run-time library reads it: r, w or a, then in any order '+', and
// 'b' or 't' (text is the default, the last of the two counts); other letters are hints that
// it ignores. FALSE for a mode that starts with anything else, which it refuses with EINVAL.
bool ParseMode(const char *mode, int &flags, bool &text)
{
    bool update = false;
    text = true;
    for (const char *c = mode + 1; *c; ++c) {
        if (*c == '+')
            update = true;
        else if (*c == 'b')
            text = false;
        else if (*c == 't')
            text = true;
    }
    switch (mode[0]) {
    case 'r': flags = update ? O_RDWR : O_RDONLY; break;
    case 'w': flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC; break;
    case 'a': flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND; break;
    default: return false;
    }
    return true;
}

FILE *OpenWindowsPath(const char *path, const char *mode)
{
    int flags;
    bool text;
    if (!ParseMode(mode, flags, text)) {
        errno = EINVAL;
        return NULL;
    }
    std::string host;
    if (!DosPathToHost(path, host)) {
        errno = ErrnoFromWin32Error(GetLastError());
        return NULL;
    }
    int fd = open(host.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        // A folder cannot be opened as a file on Windows, whatever the mode.
        errno = errno == EISDIR ? EACCES : errno == ENOTDIR ? ENOENT : errno;
        return NULL;
    }
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        close(fd);
        errno = EACCES;
        return NULL;
    }
    return OpenDescriptorStream(fd, mode, text);
}

} // namespace

extern "C" FILE *fopen(const char *path, const char *mode)
{
    if (path && mode && IsWindowsPath(path))
        return OpenWindowsPath(path, mode);
    static FopenFunction hostFopen = (FopenFunction)dlsym(RTLD_NEXT, "fopen");
    return hostFopen(path, mode);
}

extern "C" size_t fwrite(const void *data, size_t size, size_t count, FILE *stream)
{
    static FwriteFunction hostFwrite = (FwriteFunction)dlsym(RTLD_NEXT, "fwrite");
    size_t bytesWritten;
    if (size > 0 && TakeFailingWrite(stream, bytesWritten)) {
        size_t whole = bytesWritten / size < count ? bytesWritten / size : count;
        size_t written = whole > 0 ? hostFwrite(data, size, whole, stream) : 0;
        errno = ENOSPC;
        return written;
    }
    return hostFwrite(data, size, count, stream);
}

extern "C" int fclose(FILE *stream)
{
    ForgetStream(stream);
    static FcloseFunction hostFclose = (FcloseFunction)dlsym(RTLD_NEXT, "fclose");
    return hostFclose(stream);
}

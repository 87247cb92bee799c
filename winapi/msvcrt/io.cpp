// Descriptor calls of the run-time library: _fileno and _filelength.
#include <io.h>

#include <errno.h>
#include <stdint.h>
#include <unistd.h>

#include "stream.h"

/***********************************************************************
 *           _fileno
 */
int _fileno(FILE *stream)
{
    if (!stream) {
        errno = EINVAL;
        return -1;
    }
    int fd = StreamDescriptor(stream);
    return fd >= 0 ? fd : fileno(stream);
}

/***********************************************************************
 *           _filelength
 *
 * As on Windows, the length is taken by seeking to the end and back, and a length that a
 * 32-bit long cannot hold is an error.
 */
long _filelength(int fd)
{
    off_t current = lseek(fd, 0, SEEK_CUR);
    if (current < 0) {
        errno = errno == EBADF ? EBADF : EINVAL;
        return -1;
    }
    off_t end = lseek(fd, 0, SEEK_END);
    lseek(fd, current, SEEK_SET);
    if (end < 0 || end > INT32_MAX) {
        errno = EINVAL;
        return -1;
    }
    return (long)end;
}

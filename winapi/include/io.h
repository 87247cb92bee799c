/* Low-level files of the C run-time library, as <io.h> declares them on Windows. */
#ifndef WINAPI_IO_H
#define WINAPI_IO_H

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The length of the open file in bytes; -1 with errno EBADF for a descriptor that is not
 * open, or EINVAL for a file longer than a long holds on Windows (2 GiB - 1). */
long _filelength(int fd);

/* The descriptor of a stream; -1 with errno EINVAL for a null stream. Windows declares it in
 * <stdio.h>, which here is the host's, so it is declared with the other descriptor calls. */
int _fileno(FILE *stream);

#ifdef __cplusplus
}
#endif

#endif

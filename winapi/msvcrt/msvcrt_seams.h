/* Seams of the Linux build's C run-time library through which tests force what a real machine
 * would only rarely do. They belong with the other Winapi extensions in winapi_linux.h. */
#ifndef WINAPI_MSVCRT_SEAMS_H
#define WINAPI_MSVCRT_SEAMS_H

#include "windef.h"

/* The next nWrites writes that streams opened on Windows paths make to their files fail as on
 * a full disk (errno ENOSPC), writing nothing; the writes after them succeed again. 0 ends
 * failures still pending. A binary stream writes to its file at every fwrite; a text stream
 * when its 4096-byte buffer is full, when it is flushed or closed, and at once for a block of
 * 4096 bytes or more. */
WINAPI_EXTERN_C void WinapiFailStreamWrites(UINT nWrites);

#endif

/* Seams of the Linux build's C run-time library through which tests force what a real machine
 * would only rarely do. They belong with the other Winapi extensions in winapi_linux.h. */
#ifndef WINAPI_MSVCRT_SEAMS_H
#define WINAPI_MSVCRT_SEAMS_H

#include "windef.h"

/* The next nWrites fwrite calls on streams opened on Windows paths fail as on a full disk
 * (errno ENOSPC), writing nothing; the calls after them write again. 0 ends failures still
 * pending. */
WINAPI_EXTERN_C void WinapiFailStreamWrites(UINT nWrites);

#endif

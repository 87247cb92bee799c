// The process and its threads: Sleep, GetTickCount, the ids, ExitProcess.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include "winbase.h"

#define INFINITE 0xFFFFFFFF

/***********************************************************************
 *           Sleep
 */
void WINAPI Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == INFINITE) {
        for (;;)
            pause();
    }
    struct timespec rest = {(time_t)(dwMilliseconds / 1000), (long)(dwMilliseconds % 1000) * 1000000L};
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

/***********************************************************************
 *           GetTickCount
 *
 * Milliseconds since the machine started, wrapping after 49.7 days as on Windows.
 */
DWORD WINAPI GetTickCount(void)
{
    struct timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (DWORD)((ULONGLONG)now.tv_sec * 1000 + (ULONGLONG)now.tv_nsec / 1000000);
}

/***********************************************************************
 *           GetCurrentProcessId
 */
DWORD WINAPI GetCurrentProcessId(void)
{
    return (DWORD)getpid();
}

/***********************************************************************
 *           GetCurrentThreadId
 */
DWORD WINAPI GetCurrentThreadId(void)
{
    return (DWORD)syscall(SYS_gettid);
}

/***********************************************************************
 *           ExitProcess
 */
void WINAPI ExitProcess(UINT uExitCode)
{
    exit((int)uExitCode);
}

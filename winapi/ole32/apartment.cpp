// CoInitialize and CoUninitialize: each thread counts its own calls, as each thread on
// Windows enters its own apartment.
#include "apartment.h"

#include "objbase.h"

static thread_local unsigned long t_initCount;

bool ComIsInitialized()
{
    return t_initCount > 0;
}

/***********************************************************************
 *           CoInitialize
 *
 * S_OK for the thread's first call, S_FALSE for a nested one; each needs its CoUninitialize.
 */
HRESULT WINAPI CoInitialize(LPVOID pvReserved)
{
    (void)pvReserved;
    return t_initCount++ == 0 ? S_OK : S_FALSE;
}

/***********************************************************************
 *           CoUninitialize
 *
 * A call without a CoInitialize still outstanding does nothing.
 */
void WINAPI CoUninitialize(void)
{
    if (t_initCount > 0)
        --t_initCount;
}

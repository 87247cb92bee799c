// The COM task allocator: memory that one party allocates and another frees (item id
// lists, file names handed out by objects).
#include <stdlib.h>

#include "objbase.h"

/***********************************************************************
 *           CoTaskMemAlloc
 */
LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb)
{
    return malloc(cb ? cb : 1);
}

/***********************************************************************
 *           CoTaskMemFree
 */
void WINAPI CoTaskMemFree(LPVOID pv)
{
    free(pv);
}

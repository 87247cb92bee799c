// The lstr* string functions. Like Windows, they turn a NULL argument into a failure
// result instead of a crash.
#include <string.h>

#include "winbase.h"

/***********************************************************************
 *           lstrlenA
 */
int WINAPI lstrlenA(LPCSTR lpString)
{
    return lpString ? (int)strlen(lpString) : 0;
}

/***********************************************************************
 *           lstrcpyA
 */
LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return NULL;
    return strcpy(lpString1, lpString2);
}

/***********************************************************************
 *           lstrcpynA
 *
 * Copies at most iMaxLength - 1 characters and always ends the copy with a zero.
 */
LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength)
{
    if (!lpString1 || !lpString2)
        return NULL;
    if (iMaxLength <= 0)
        return lpString1;
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i]; ++i)
        lpString1[i] = lpString2[i];
    lpString1[i] = '\0';
    return lpString1;
}

/***********************************************************************
 *           lstrcatA
 */
LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return NULL;
    return strcat(lpString1, lpString2);
}

// GetComputerNameA: the host's name as Wine reports it, upper case, without its domain,
// at most MAX_COMPUTERNAME_LENGTH characters.
#include <ctype.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "../kernel32/lasterror.h"
#include "winerror.h"
#include "winreg.h"

/***********************************************************************
 *           GetComputerNameA
 *
 * A buffer too small fails with ERROR_BUFFER_OVERFLOW and the size needed, NUL included.
 */
BOOL WINAPI GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize)
{
    if (!nSize)
        return FailWith(ERROR_INVALID_PARAMETER);
    char host[256] = "";
    if (gethostname(host, sizeof host - 1) != 0 || !host[0])
        strcpy(host, "localhost");
    std::string name(host, strcspn(host, "."));
    if (name.size() > MAX_COMPUTERNAME_LENGTH)
        name.resize(MAX_COMPUTERNAME_LENGTH);
    for (char &c : name)
        c = (char)toupper((unsigned char)c);
    if (!lpBuffer || *nSize < name.size() + 1) {
        *nSize = (DWORD)name.size() + 1;
        return FailWith(ERROR_BUFFER_OVERFLOW);
    }
    memcpy(lpBuffer, name.c_str(), name.size() + 1);
    *nSize = (DWORD)name.size();
    return TRUE;
}

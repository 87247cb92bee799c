// The program's module: GetModuleHandleA and GetModuleFileNameA.
#include "module.h"

#include <string.h>
#include <unistd.h>

#include "codepage.h"
#include "dospath.h"
#include "lasterror.h"
#include "winbase.h"
#include "winerror.h"

// Defined by the linker at the first byte of the executable's image.
extern "C" char __executable_start;

HMODULE ProgramModule()
{
    return (HMODULE)&__executable_start;
}

std::string ProgramFileName()
{
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return std::string();
    std::string host(buf, (size_t)n);
    // A program file removed while it runs keeps the name it was started from.
    static const char kDeleted[] = " (deleted)";
    const size_t deletedLength = sizeof kDeleted - 1;
    if (host.size() > deletedLength && host.compare(host.size() - deletedLength, deletedLength, kDeleted) == 0)
        host.resize(host.size() - deletedLength);
    std::string dos;
    if (HostPathToDos(host, dos))
        return dos;
    // No drive reaches the file: Wine then names it by its host path, which it can open.
    return HostPathToUnixDos(host);
}

static std::string BaseName(const std::string &path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

/***********************************************************************
 *           GetModuleHandleA
 *
 * The program is the only module. A name without an extension means a ".dll" and a name
 * ending with a dot means no extension, as on Windows.
 */
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName)
{
    if (!lpModuleName)
        return ProgramModule();
    std::string wanted = lpModuleName;
    std::string file = ProgramFileName();
    bool withFolder = wanted.find_first_of("\\/") != std::string::npos;
    std::string base = BaseName(wanted);
    if (base.find('.') == std::string::npos)
        wanted += ".dll";
    else if (wanted.back() == '.')
        wanted.pop_back();
    if (AnsiEqualIgnoringCase(withFolder ? file : BaseName(file), wanted))
        return ProgramModule();
    FailWith(ERROR_MOD_NOT_FOUND);
    return NULL;
}

/***********************************************************************
 *           GetModuleFileNameA
 *
 * A short buffer receives as much as fits with a terminating zero; the result is then
 * nSize, with ERROR_INSUFFICIENT_BUFFER.
 */
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (hModule && hModule != ProgramModule()) {
        FailWith(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::string file = ProgramFileName();
    if (nSize == 0 || !lpFilename) {
        FailWith(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (file.size() >= nSize) {
        memcpy(lpFilename, file.c_str(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        FailWith(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    memcpy(lpFilename, file.c_str(), file.size() + 1);
    return (DWORD)file.size();
}

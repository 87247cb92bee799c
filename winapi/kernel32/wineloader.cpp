// Finding Wine and telling whether it can run a program, read off the files alone: Wine
// itself starts a program of an architecture it lacks and only then fails, after reporting
// the start, so asking it would not tell.
#include "wineloader.h"

#include <fcntl.h>
#include <glob.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "dospath.h"
#include "winnt.h"

extern char **environ;

namespace {

bool IsExecutableFile(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool ReadAt(int fd, off_t offset, void *buffer, size_t size)
{
    return pread(fd, buffer, size, offset) == (ssize_t)size;
}

unsigned ReadLe16(const unsigned char *p)
{
    return p[0] | (unsigned)p[1] << 8;
}

// Wine's name for the folder of an architecture's Windows-side DLLs.
const char *WineArchitecture(unsigned machine)
{
    switch (machine) {
    case IMAGE_FILE_MACHINE_I386:
        return "i386";
    case IMAGE_FILE_MACHINE_AMD64:
        return "x86_64";
    case IMAGE_FILE_MACHINE_ARMNT:
        return "arm";
    case IMAGE_FILE_MACHINE_ARM64:
        return "aarch64";
    default:
        return nullptr;
    }
}

bool AnyMatch(const std::string &pattern)
{
    glob_t found;
    bool any = glob(pattern.c_str(), GLOB_NOSORT, nullptr, &found) == 0 && found.gl_pathc > 0;
    globfree(&found);
    return any;
}

// Wine's library folders under `root`: plain (lib, lib64, lib32) and multiarch.
bool AnyWineLibraryHolds(const std::string &root, const std::string &tail)
{
    return AnyMatch(root + "/lib*/wine/" + tail) || AnyMatch(root + "/lib*/*/wine/" + tail);
}

} // namespace

unsigned PeMachine(const std::string &host)
{
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    unsigned char dos[64], nt[6];
    unsigned machine = 0;
    if (ReadAt(fd, 0, dos, sizeof dos) && dos[0] == 'M' && dos[1] == 'Z') {
        off_t ntOffset = (off_t)(dos[60] | dos[61] << 8 | dos[62] << 16 | (uint32_t)dos[63] << 24);
        if (ReadAt(fd, ntOffset, nt, sizeof nt) && memcmp(nt, "PE\0\0", 4) == 0)
            machine = ReadLe16(nt + 4);
    }
    close(fd);
    return machine;
}

bool FindWine(std::string &path)
{
    const char *env = getenv("PATH");
    std::string list = env ? env : "";
    size_t start = 0;
    for (;;) {
        size_t colon = list.find(':', start);
        std::string folder = list.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/wine";
        if (IsExecutableFile(candidate)) {
            path = candidate;
            return true;
        }
        if (colon == std::string::npos)
            return false;
        start = colon + 1;
    }
}

bool WineRunsMachine(const std::string &wine, unsigned machine)
{
    const char *architecture = WineArchitecture(machine);
    if (!architecture)
        return false;
    char real[PATH_MAX];
    if (!realpath(wine.c_str(), real))
        return false;
    // <root>/bin/wine: the installation's root is two levels up.
    std::string root = real;
    for (int level = 0; level < 2; ++level) {
        size_t slash = root.rfind('/');
        root = slash == std::string::npos || slash == 0 ? std::string() : root.substr(0, slash);
    }
    if (!AnyWineLibraryHolds(root, "*-windows"))
        return true;
    return AnyWineLibraryHolds(root, std::string(architecture) + "-windows/ntdll.dll");
}

std::vector<std::string> WineEnvironment()
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        if (strncmp(*e, "WINEPREFIX=", 11) != 0)
            env.push_back(*e);
    }
    env.push_back("WINEPREFIX=" + DosPrefixRoot());
    return env;
}

// Finding the wineserver of a prefix through its lock file.
#include "wineserver.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "../kernel32/hostio.h"

namespace {

// The server's folders that a server of `prefix` may use, most likely first: the one the
// Debian build recorded in the prefix (when it did) and the one of Wine's own build. With
// `create`, Wine's own is made when missing, as a client of Wine makes it (mode 0700), so
// that its lock can be held before any server exists.
std::vector<std::string> ServerFolders(const std::string &prefix, bool create)
{
    std::vector<std::string> folders;
    struct stat st;
    if (stat(prefix.c_str(), &st) != 0)
        return folders;
    char name[64];
    snprintf(name, sizeof name, "/server-%lx-%lx", (unsigned long)st.st_dev, (unsigned long)st.st_ino);

    std::string recorded;
    if (ReadWholeFile(prefix + "/wineserver", recorded) == 0) {
        while (!recorded.empty() && (recorded.back() == '\n' || recorded.back() == ' '))
            recorded.pop_back();
        const char *tmp = getenv("TMPDIR");
        std::string parent = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + recorded;
        if (!recorded.empty() && recorded.find('/') == std::string::npos && stat(parent.c_str(), &st) == 0) {
            if (create)
                mkdir((parent + name).c_str(), 0700);
            folders.push_back(parent + name);
        }
    }

    std::string root = "/tmp/.wine-" + std::to_string(getuid());
    if (create) {
        mkdir(root.c_str(), 0700);
        mkdir((root + name).c_str(), 0700);
    }
    folders.push_back(root + name);
    return folders;
}

struct flock FirstByteWriteLock()
{
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    return lock;
}

} // namespace

WineServerHold::WineServerHold(const std::string &prefix)
{
    for (const std::string &folder : ServerFolders(prefix, true)) {
        int fd = open((folder + "/lock").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            continue;   // no server can lock it either
        struct flock lock = FirstByteWriteLock();
        int res;
        while ((res = fcntl(fd, F_SETLK, &lock)) != 0 && errno == EINTR) {
        }
        if (res == 0) {
            m_locks.push_back(fd);
            continue;
        }
        bool held = errno == EAGAIN || errno == EACCES;
        close(fd);
        if (held) {
            m_serverRuns = true;
            break;
        }
    }
    if (m_serverRuns) {
        for (int fd : m_locks)
            close(fd);
        m_locks.clear();
    }
}

WineServerHold::~WineServerHold()
{
    for (int fd : m_locks)
        close(fd);   // releases the lock
}

bool WineServerRuns(const std::string &prefix)
{
    for (const std::string &folder : ServerFolders(prefix, false)) {
        int fd = open((folder + "/lock").c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct flock lock = FirstByteWriteLock();
        bool held = fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
        close(fd);
        if (held)
            return true;
    }
    return false;
}

// The registry beside a wineserver of the prefix, told by the server's lock alone: while a
// process holds it the files are left to the server, and while we write them no server can
// take it.
#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "../../../winapi/advapi32/hive.h"
#include "registry_fixture.h"

class WineServerTest : public RegistryTest {
protected:
    // The lock file of the prefix's server in Wine's own folder for it.
    std::string ServerLock() const
    {
        struct stat st;
        stat(Host("").c_str(), &st);
        std::string folder = "/tmp/.wine-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        char name[64];
        snprintf(name, sizeof name, "/server-%lx-%lx", (unsigned long)st.st_dev, (unsigned long)st.st_ino);
        folder += name;
        mkdir(folder.c_str(), 0700);
        return folder + "/lock";
    }

    // In a child, as a server does: F_SETLK on the lock's first byte. With `keep`, the child
    // holds it until killed and the call returns its pid; else it reports whether it got it
    // (1) or found it held (0).
    pid_t TakeServerLock(bool keep)
    {
        std::string path = ServerLock();
        int report[2];
        if (pipe(report) != 0)
            return -1;
        pid_t child = fork();
        if (child == 0) {
            int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
            struct flock lock = {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            lock.l_len = 1;
            char got = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0 ? 1 : 0;
            if (write(report[1], &got, 1) != 1)
                _exit(1);
            if (keep)
                pause();
            _exit(0);
        }
        close(report[1]);
        char got = 0;
        bool answered = read(report[0], &got, 1) == 1;
        close(report[0]);
        if (keep)
            return answered && got ? child : -1;
        waitpid(child, NULL, 0);
        return answered ? got : -1;
    }
};

// A server runs, and no `wine` can be found to reach it: the call fails with a code and the
// file, which the server will save over, is left alone; nor is it read as if it were current.
TEST_F(WineServerTest, WithAServerRunningAndNoWineTheFilesAreLeftAlone)
{
    const std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
                             "[Software\\\\Stale] 1700000000\n";
    ReplaceHostFile(Host("system.reg"), text);
    pid_t server = TakeServerLock(true);
    ASSERT_GT(server, 0);
    std::string path = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);

    HKEY key;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Ours", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SHARING_VIOLATION);
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Stale", 0, KEY_READ, &key), ERROR_SUCCESS);

    setenv("PATH", path.c_str(), 1);
    kill(server, SIGKILL);
    waitpid(server, NULL, 0);
    EXPECT_EQ(ReadHostFile(Host("system.reg")), text);
    // The server has gone: the file is the registry again.
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Stale", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(WineServerTest, NoServerCanStartWhileTheRegistryLockIsHeld)
{
    {
        RegistryLock lock;
        EXPECT_EQ(TakeServerLock(false), 0);
    }
    EXPECT_EQ(TakeServerLock(false), 1);
}

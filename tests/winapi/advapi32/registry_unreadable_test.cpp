// A registry file that is there but cannot be read is never replaced: the change fails and
// the file keeps every key, its owner and its mode.
#include <windows.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "registry_fixture.h"

class UnreadableHiveTest : public RegistryTest {
protected:
    // RegCreateKeyExA below HKEY_LOCAL_MACHINE in a child process, as user `uid` when that
    // differs from ours; the call's result comes back through a pipe (-1: none came).
    static LONG CreateKeyInChild(uid_t uid)
    {
        int result[2];
        if (pipe(result) != 0)
            return -1;
        pid_t child = fork();
        if (child == 0) {
            close(result[0]);
            if (uid != geteuid() && (setgid(uid) != 0 || setuid(uid) != 0))
                _exit(1);
            HKEY key;
            LONG res = RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Ours", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                                       NULL);
            _exit(write(result[1], &res, sizeof res) == sizeof res ? 0 : 1);
        }
        close(result[1]);
        LONG res = -1;
        if (read(result[0], &res, sizeof res) != sizeof res)
            res = -1;
        close(result[0]);
        waitpid(child, NULL, 0);
        return res;
    }

    const std::string kWineText = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
                                  "[Software\\\\Theirs] 1700000000\n\"kept\"=\"yes\"\n";
};

// What a one-off `sudo wine` leaves: system.reg owned by root with mode 0600. Run as root,
// the writer is the unprivileged user nobody; run as anyone else, mode 0 shuts the owner
// out the same way.
TEST_F(UnreadableHiveTest, AFileTheWriterMayNotReadIsLeftAsItWas)
{
    const uid_t kNobody = 65534;
    uid_t writer = geteuid() == 0 ? kNobody : geteuid();
    ReplaceHostFile(Host("system.reg"), kWineText);
    ASSERT_EQ(chmod(Host("system.reg").c_str(), geteuid() == 0 ? 0600 : 0), 0);
    // The folders let the writer replace the file, so only the hive's refusal keeps it.
    ASSERT_EQ(chmod(Host("").c_str(), 0777), 0);
    ASSERT_EQ(chmod(Host("..").c_str(), 0755), 0);
    int lock = open(Host(".reg.lock").c_str(), O_CREAT | O_RDWR, 0666);
    ASSERT_GE(lock, 0);
    fchmod(lock, 0666);
    close(lock);
    struct stat before;
    ASSERT_EQ(stat(Host("system.reg").c_str(), &before), 0);

    EXPECT_EQ(CreateKeyInChild(writer), ERROR_ACCESS_DENIED);

    struct stat after;
    ASSERT_EQ(stat(Host("system.reg").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    chmod(Host("system.reg").c_str(), 0600);
    EXPECT_EQ(ReadHostFile(Host("system.reg")), kWineText);
}

TEST_F(UnreadableHiveTest, AFileThatIsNoRegistryFileIsLeftAsItWas)
{
    const std::string kText = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Theirs]\n";
    ReplaceHostFile(Host("system.reg"), kText);

    EXPECT_EQ(CreateKeyInChild(geteuid()), ERROR_NOT_REGISTRY_FILE);
    EXPECT_EQ(ReadHostFile(Host("system.reg")), kText);
}

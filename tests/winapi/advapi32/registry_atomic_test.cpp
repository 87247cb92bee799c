// Writers killed at any moment never leave a broken file, and writers in two processes do
// not lose each other's changes.
#include <windows.h>

#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "../../../winapi/advapi32/regfile.h"
#include "registry_fixture.h"

class RegistryAtomicTest : public RegistryTest {
protected:
    // Writes `count` values named <prefix><n> (or for ever when count is 0), each a large
    // value so that a file write takes a while.
    static void WriteValues(const char *prefix, int count)
    {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Atomic", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL))
            _exit(2);
        std::string data(20000, 'x');
        for (int i = 0; count == 0 || i < count; i++) {
            std::string name = prefix + std::to_string(i % 50);
            if (RegSetValueExA(key, name.c_str(), 0, REG_SZ, (const BYTE *)data.c_str(), (DWORD)data.size() + 1))
                _exit(3);
            data[i % data.size()] = (char)('a' + i % 26);
        }
        _exit(0);
    }
};

TEST_F(RegistryAtomicTest, AWriterKilledAtAnyMomentLeavesAWholeFile)
{
    for (int round = 0; round < 100; round++) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            WriteValues("v", 0);
        usleep(1000 + (round * 7919) % 20000);
        kill(child, SIGKILL);
        int status;
        waitpid(child, &status, 0);

        if (access(Host("system.reg").c_str(), F_OK) != 0)
            continue;   // killed before its first write
        std::string text = ReadHostFile(Host("system.reg"));
        ASSERT_FALSE(text.empty()) << "round " << round;
        RegKey root;
        RegFileHeader header;
        ASSERT_TRUE(ParseRegistryText(text, root, header)) << "round " << round;
        ASSERT_EQ(FormatRegistryText(root, header), text) << "round " << round;
    }
}

TEST_F(RegistryAtomicTest, TwoProcessesWritingKeepEachOthersValues)
{
    pid_t children[2];
    const char *prefixes[2] = {"first", "second"};
    for (int i = 0; i < 2; i++) {
        children[i] = fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0)
            WriteValues(prefixes[i], 30);
    }
    for (pid_t child : children) {
        int status;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Atomic", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL, NULL),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 60u);
    RegCloseKey(key);
}

// A writer killed between writing and renaming leaves .reg<pid>.tmp; the next write removes
// it, and leaves a live writer's file and files of other names alone.
TEST_F(RegistryAtomicTest, TheNextWriterRemovesTempFilesOfDeadWritersOnly)
{
    pid_t dead = fork();
    ASSERT_GE(dead, 0);
    if (dead == 0)
        _exit(0);
    waitpid(dead, NULL, 0);
    pid_t live = fork();
    ASSERT_GE(live, 0);
    if (live == 0) {
        pause();
        _exit(0);
    }
    const std::string deadTemp = Host(".reg" + std::to_string(dead) + ".tmp");
    const std::string liveTemp = Host(".reg" + std::to_string(live) + ".tmp");
    const std::string otherNames[] = {Host(".reg.tmp"), Host(".reg12x.tmp"),
                                      Host(".reg" + std::to_string(dead) + ".tmp.keep")};
    for (const std::string &path : {deadTemp, liveTemp})
        ReplaceHostFile(path, "partial");
    for (const std::string &path : otherNames)
        ReplaceHostFile(path, "not ours");

    HKEY key;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\After", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    RegCloseKey(key);
    kill(live, SIGKILL);
    waitpid(live, NULL, 0);

    EXPECT_NE(access(deadTemp.c_str(), F_OK), 0);
    EXPECT_EQ(access(liveTemp.c_str(), F_OK), 0);
    for (const std::string &path : otherNames)
        EXPECT_EQ(access(path.c_str(), F_OK), 0) << path;
}

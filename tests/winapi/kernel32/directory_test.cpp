// Folders: creation and removal with Windows' error codes, and the current folder.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

using DirectoryTest = PrefixTest;

TEST_F(DirectoryTest, CreateDirectoryMakesOneLevelAndReportsWhyNot)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\Games", NULL));
    EXPECT_TRUE(HostExists(Host("drive_c/Games")));
    ASSERT_TRUE(CreateDirectoryA("c:/games/Sub/", NULL)); // trailing separator, other case
    EXPECT_TRUE(HostExists(Host("drive_c/Games/Sub")));
    WriteHostFile(Host("drive_c/file.txt"), "x");

    struct Case {
        const char *path;
        DWORD error;
    } cases[] = {
        {"C:\\Games", ERROR_ALREADY_EXISTS},
        {"C:\\GAMES\\", ERROR_ALREADY_EXISTS},
        {"C:\\file.txt", ERROR_ALREADY_EXISTS},
        {"C:\\", ERROR_ALREADY_EXISTS},
        {"C:\\missing\\child", ERROR_PATH_NOT_FOUND},
        {"C:\\file.txt\\child", ERROR_PATH_NOT_FOUND},
        {"Q:\\folder", ERROR_PATH_NOT_FOUND},
        {"", ERROR_PATH_NOT_FOUND},
    };
    for (const Case &c : cases) {
        SetLastError(0);
        EXPECT_FALSE(CreateDirectoryA(c.path, NULL)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
}

TEST_F(DirectoryTest, CreateDirectoryWhereTheHostRefusesIsAccessDenied)
{
    // /sys refuses new folders even to the superuser.
    if (mkdir("/sys/k32test-probe", 0777) == 0 || (errno != EPERM && errno != EACCES))
        GTEST_SKIP() << "this host lets /sys be written";
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryA("Z:\\sys\\k32test", NULL));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
}

TEST_F(DirectoryTest, RemoveDirectoryRefusesWhatWindowsRefuses)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\full", NULL));
    ASSERT_TRUE(CreateDirectoryA("C:\\full\\in", NULL));
    ASSERT_TRUE(CreateDirectoryA("C:\\current", NULL));
    WriteHostFile(Host("drive_c/file.txt"), "x");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\current"));

    struct Case {
        const char *path;
        DWORD error;
    } cases[] = {
        {"C:\\full", ERROR_DIR_NOT_EMPTY},
        {"C:\\file.txt", ERROR_DIRECTORY},
        {"C:\\missing", ERROR_FILE_NOT_FOUND},
        {"C:\\missing\\in", ERROR_PATH_NOT_FOUND},
        {"C:\\CURRENT", ERROR_SHARING_VIOLATION},
    };
    for (const Case &c : cases) {
        SetLastError(0);
        EXPECT_FALSE(RemoveDirectoryA(c.path)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    EXPECT_TRUE(RemoveDirectoryA("C:\\FULL\\IN"));
    EXPECT_FALSE(HostExists(Host("drive_c/full/in")));
}

TEST_F(DirectoryTest, SetCurrentDirectoryAcceptsOnlyExistingFolders)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\here", NULL));
    WriteHostFile(Host("drive_c/file.txt"), "x");
    struct Case {
        const char *path;
        DWORD error;
    } cases[] = {
        {"C:\\nothere", ERROR_FILE_NOT_FOUND},
        {"C:\\nothere\\x", ERROR_PATH_NOT_FOUND},
        {"C:\\file.txt", ERROR_DIRECTORY},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
        {"", ERROR_INVALID_NAME},
    };
    for (const Case &c : cases) {
        SetLastError(0);
        EXPECT_FALSE(SetCurrentDirectoryA(c.path)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    char buf[MAX_PATH];
    GetCurrentDirectoryA(sizeof buf, buf);
    EXPECT_STREQ(buf, "C:\\"); // unchanged by the failures

    ASSERT_TRUE(SetCurrentDirectoryA("here\\"));
    GetCurrentDirectoryA(sizeof buf, buf);
    EXPECT_STREQ(buf, "C:\\here");
    ASSERT_TRUE(SetCurrentDirectoryA(".."));
    GetCurrentDirectoryA(sizeof buf, buf);
    EXPECT_STREQ(buf, "C:\\");
}

TEST_F(DirectoryTest, SetCurrentDirectoryKeepsWithinMaxPath)
{
    // Windows keeps the current folder with a closing backslash and a zero in MAX_PATH
    // characters: 258 characters are the most a folder can have.
    std::string outer(200, 'a');
    ASSERT_EQ(mkdir(Host("drive_c/" + outer).c_str(), 0777), 0);
    ASSERT_EQ(mkdir(Host("drive_c/" + outer + "/" + std::string(54, 'b')).c_str(), 0777), 0);
    ASSERT_EQ(mkdir(Host("drive_c/" + outer + "/" + std::string(55, 'b')).c_str(), 0777), 0);
    std::string longest = "C:\\" + outer + "\\" + std::string(54, 'b');
    ASSERT_EQ(longest.size(), 258u);
    EXPECT_TRUE(SetCurrentDirectoryA(longest.c_str()));
    SetLastError(0);
    EXPECT_FALSE(SetCurrentDirectoryA((longest + "b").c_str()));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILENAME_EXCED_RANGE);
}

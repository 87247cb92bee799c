// The machine model: a new prefix's layout, full paths, and the way from Windows paths to
// host files through the drive links, without regard to case.
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "dospath.h"
#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

using PathTest = PrefixTest;

static std::string LinkTarget(const std::string &link)
{
    char buf[PATH_MAX];
    ssize_t n = readlink(link.c_str(), buf, sizeof buf);
    return n < 0 ? std::string() : std::string(buf, (size_t)n);
}

static std::string UserName()
{
    const char *user = getenv("USER");
    return user && *user ? user : DosUserName();
}

TEST_F(PathTest, NewPrefixIsLaidOutAsWineDoes)
{
    char buf[MAX_PATH];
    ASSERT_EQ(GetWindowsDirectoryA(buf, sizeof buf), 10u);
    EXPECT_STREQ(buf, "C:\\windows");
    std::string temp = "C:\\users\\" + UserName() + "\\Temp\\";
    ASSERT_EQ(GetTempPathA(sizeof buf, buf), temp.size());
    EXPECT_EQ(buf, temp);

    EXPECT_EQ(LinkTarget(Host("dosdevices/c:")), "../drive_c");
    EXPECT_EQ(LinkTarget(Host("dosdevices/z:")), "/");
    EXPECT_EQ(GetFileAttributesA("C:\\windows"), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA(temp.c_str()), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(HostExists(Host("drive_c/users/" + UserName() + "/Temp")));
}

TEST_F(PathTest, ShortBuffersGetTheSizeTheyNeed)
{
    char buf[4] = "xyz";
    std::string temp = "C:\\users\\" + UserName() + "\\Temp\\";
    EXPECT_EQ(GetTempPathA(sizeof buf, buf), temp.size() + 1);
    EXPECT_EQ(GetWindowsDirectoryA(buf, sizeof buf), 11u);
    EXPECT_EQ(GetFullPathNameA("C:\\abc", 6, buf, NULL), 7u);
    ASSERT_TRUE(CreateDirectoryA("C:\\abcdef", NULL));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\abcdef"));
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buf, buf), 10u);
    EXPECT_EQ(GetCurrentDirectoryA(0, NULL), 10u);
    EXPECT_STREQ(buf, "xyz");
}

struct FullPathCase {
    const char *path;
    const char *full;
    const char *filePart; // nullptr when the full path ends with a backslash
};

// With the current folder at C:\t; the expectations are what Wine 8 returns.
static const FullPathCase kFullPaths[] = {
    {"foo", "C:\\t\\foo", "foo"},
    {".", "C:\\t", "t"},
    {"..\\..\\..\\x", "C:\\x", "x"},
    {"C:foo", "C:\\t\\foo", "foo"},
    {"C:", "C:\\t\\", nullptr},
    {"D:foo", "D:\\foo", "foo"},
    {"\\foo\\bar", "C:\\foo\\bar", "bar"},
    {"c:/A/./b/../C", "c:\\A\\C", "C"},
    {"C:\\\\a\\\\\\b", "C:\\a\\b", "b"},
    {"C:\\a\\", "C:\\a\\", nullptr},
    {"C:\\a\\.", "C:\\a", "a"},
    {"C:\\a\\..", "C:\\", nullptr},
    {"C:\\a\\b. ", "C:\\a\\b", "b"},
    {"C:\\a\\b..", "C:\\a\\b", "b"},
    {"C:\\a\\b\\   ", "C:\\a\\b\\", nullptr},
    {"C:\\a\\b\\...", "C:\\a\\b\\", nullptr},
    {"C:\\a.\\b", "C:\\a\\b", "b"},
    {"C:\\a..\\b", "C:\\a.\\b", "b"},
    {"C:\\a\\...\\b", "C:\\a\\..\\b", "b"},
    {"C:\\a b \\c", "C:\\a b \\c", "c"},
    {"//server/share/x/../y", "\\\\server\\share\\y", "y"},
    {"\\\\?\\unix\\opt\\games", "\\\\?\\unix\\opt\\games", "games"},
    {"//?/unix/opt/./x/../y.", "\\\\?\\unix\\opt\\y", "y"},
    {"\\\\?\\UNIX\\opt\\", "\\\\?\\UNIX\\opt\\", nullptr},
    {"\\\\?\\unix\\", "\\\\?\\unix\\", nullptr},
};

TEST_F(PathTest, FullPathsAreFormedAsWindowsFormsThem)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\t", NULL));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\t"));
    for (const FullPathCase &c : kFullPaths) {
        char buf[MAX_PATH];
        char *filePart = (char *)"unset";
        DWORD n = GetFullPathNameA(c.path, sizeof buf, buf, &filePart);
        EXPECT_EQ(n, strlen(c.full)) << c.path;
        EXPECT_STREQ(buf, c.full) << c.path;
        if (c.filePart)
            EXPECT_STREQ(filePart, c.filePart) << c.path;
        else
            EXPECT_EQ(filePart, nullptr) << c.path;
    }
    char buf[MAX_PATH];
    EXPECT_EQ(GetFullPathNameA("", sizeof buf, buf, NULL), 0u);
}

TEST_F(PathTest, NamesAreFoundWithoutRegardToCase)
{
    mkdir(Host("drive_c/Games").c_str(), 0777);
    mkdir(Host("drive_c/Games/Fernvale").c_str(), 0777);
    WriteHostFile(Host("drive_c/Games/Fernvale/Data.TXT"), "data");
    std::string expected = Host("dosdevices/c:/Games/Fernvale/Data.TXT");

    ASSERT_TRUE(SetCurrentDirectoryA("c:\\GAMES\\fernvale\\"));
    char buf[MAX_PATH];
    GetCurrentDirectoryA(sizeof buf, buf);
    EXPECT_STREQ(buf, "c:\\GAMES\\fernvale"); // kept as spelled, like Windows
    for (const char *path : {"C:\\games\\FERNVALE\\data.txt", "data.TXT", "..\\FernVale\\DATA.txt", "C:Data.txt",
                             "\\Games\\Fernvale\\.\\x\\..\\data.txt", "c:/games/fernvale/data.txt"}) {
        std::string host;
        ASSERT_TRUE(DosPathToHost(path, host)) << path;
        EXPECT_EQ(host, expected) << path;
        EXPECT_EQ(GetFileAttributesA(path), (DWORD)FILE_ATTRIBUTE_ARCHIVE) << path;
    }
}

TEST_F(PathTest, AnExactNameWinsOverOneDifferingInCase)
{
    WriteHostFile(Host("drive_c/readme"), "lower");
    WriteHostFile(Host("drive_c/README"), "upper");
    std::string host;
    ASSERT_TRUE(DosPathToHost("C:\\README", host));
    EXPECT_EQ(ReadHostFile(host), "upper");
    ASSERT_TRUE(DosPathToHost("C:\\readme", host));
    EXPECT_EQ(ReadHostFile(host), "lower");
}

TEST_F(PathTest, AnsiNamesMeetTheHostsUtf8Names)
{
    WriteHostFile(Host("drive_c/Caf\xc3\xa9.txt"), "x"); // "Café.txt" in UTF-8
    std::string host;
    ASSERT_TRUE(DosPathToHost("C:\\CAF\xc9.TXT", host)); // "CAFÉ.TXT" in Windows-1252
    EXPECT_EQ(host, Host("dosdevices/c:/Caf\xc3\xa9.txt"));
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("C:\\caf*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "Caf\xe9.txt");
    FindClose(find);
}

TEST_F(PathTest, MissingFoldersAndDrivesAreReported)
{
    WriteHostFile(Host("drive_c/file"), "x");
    struct Case {
        const char *path;
        DWORD error;
    } cases[] = {
        {"C:\\nodir\\name", ERROR_PATH_NOT_FOUND},
        {"C:\\file\\name", ERROR_PATH_NOT_FOUND},
        {"Q:\\name", ERROR_PATH_NOT_FOUND},
        {"C:\\bad|name", ERROR_INVALID_NAME},
        {"\\\\server\\share\\name", ERROR_BAD_NETPATH},
        {"C:\\windows\\...\\name", ERROR_INVALID_NAME}, // "..." becomes "..", which names no file
    };
    for (const Case &c : cases) {
        std::string host;
        SetLastError(0);
        EXPECT_FALSE(DosPathToHost(c.path, host)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    std::string host;
    EXPECT_TRUE(DosPathToHost("C:\\not-yet-there", host)); // the last name may be created
}

TEST_F(PathTest, ADriveAddedByALinkIsUsedBothWays)
{
    ASSERT_EQ(symlink(Scratch().c_str(), Host("dosdevices/d:").c_str()), 0);
    ASSERT_TRUE(CreateDirectoryA("d:\\New", NULL));
    EXPECT_TRUE(HostExists(Scratch() + "/New"));

    // The host path of the drive's folder comes back as D:, the deepest drive that holds it.
    std::string dos;
    ASSERT_TRUE(HostPathToDos(Scratch() + "/New/x.txt", dos));
    EXPECT_EQ(dos, "D:\\New\\x.txt");
    ASSERT_TRUE(HostPathToDos(Host("drive_c/windows"), dos));
    EXPECT_EQ(dos, "C:\\windows");
    ASSERT_TRUE(HostPathToDos("/usr/bin", dos));
    EXPECT_EQ(dos, "Z:\\usr\\bin");

    // Drive-relative names on another drive start at its root.
    char buf[MAX_PATH];
    GetFullPathNameA("d:new", sizeof buf, buf, NULL);
    EXPECT_STREQ(buf, "d:\\new");
    ASSERT_TRUE(SetCurrentDirectoryA("D:\\NEW"));
    GetFullPathNameA("d:x", sizeof buf, buf, NULL);
    EXPECT_STREQ(buf, "D:\\NEW\\x");
    GetFullPathNameA("c:x", sizeof buf, buf, NULL);
    EXPECT_STREQ(buf, "c:\\x");
}

TEST_F(PathTest, AHostPathNoDriveReachesHasNoWindowsPath)
{
    unlink(Host("dosdevices/z:").c_str());
    std::string dos;
    EXPECT_FALSE(HostPathToDos("/usr/bin", dos));
}

// A \\?\unix\ path is the host path itself, whatever the drives are.
TEST_F(PathTest, AUnixPathIsTheHostPathAsSpelled)
{
    unlink(Host("dosdevices/z:").c_str());
    mkdir((Scratch() + "/Caf\xc3\xa9").c_str(), 0777); // "Café" in UTF-8
    WriteHostFile(Scratch() + "/Caf\xc3\xa9/Data.txt", "data");
    WriteHostFile(Scratch() + "/a:b", "colon");
    std::string scratch = HostPathToUnixDos(Scratch());
    EXPECT_EQ(HostPathToUnixDos("/"), "\\\\?\\unix\\");

    std::string host;
    std::string data = scratch + "\\Caf\xe9\\Data.txt"; // Windows-1252
    ASSERT_TRUE(DosPathToHost(data.c_str(), host));
    EXPECT_EQ(host, Scratch() + "/Caf\xc3\xa9/Data.txt");
    EXPECT_EQ(GetFileAttributesA(data.c_str()), (DWORD)FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributesA((scratch + "\\a:b").c_str()), (DWORD)FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(DosPathToHost("\\\\?\\unix", host));
    EXPECT_EQ(host, "/");

    // Wine matches these names exactly, not without regard to case.
    EXPECT_EQ(GetFileAttributesA((scratch + "\\caf\xe9\\Data.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA((scratch + "\\Caf\xe9\\DATA.TXT").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

// ".." stops at the host's root, as it stops at a drive's root; names relative to a current
// folder given as a \\?\unix\ path stay on the host.
TEST_F(PathTest, AUnixPathNeverClimbsAboveTheHostRoot)
{
    char buf[MAX_PATH];
    GetFullPathNameA("\\\\?\\unix\\..\\..\\etc", sizeof buf, buf, NULL);
    EXPECT_STREQ(buf, "\\\\?\\unix\\etc");
    std::string host;
    ASSERT_TRUE(DosPathToHost("\\\\?\\unix\\usr\\..\\..\\..\\etc\\passwd", host));
    EXPECT_EQ(host, "/etc/passwd");
    SetLastError(0);
    EXPECT_FALSE(DosPathToHost("\\\\?\\unix\\usr\\...\\etc", host));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_NAME);

    std::string scratch = HostPathToUnixDos(Scratch());
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.c_str()));
    GetFullPathNameA("x", sizeof buf, buf, NULL);
    EXPECT_EQ(buf, scratch + "\\x");
    GetFullPathNameA("\\x", sizeof buf, buf, NULL);
    EXPECT_STREQ(buf, "\\\\?\\unix\\x");
    GetFullPathNameA("C:x", sizeof buf, buf, NULL);
    EXPECT_STREQ(buf, "C:\\x");
    ASSERT_TRUE(DosPathToHost("x", host));
    EXPECT_EQ(host, Scratch() + "/x");
}

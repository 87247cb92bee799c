// Files: CreateFileA's dispositions, reading and writing, attributes, DeleteFileA, CopyFileA,
// MoveFileExA.
#include <fcntl.h>
#include <sys/stat.h>

#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

using FileTest = PrefixTest;

TEST_F(FileTest, CreateFileDispositionsFollowWindows)
{
    WriteHostFile(Host("drive_c/old.txt"), "old contents");
    ASSERT_TRUE(CreateDirectoryA("C:\\dir", NULL));
    struct Case {
        const char *path;
        DWORD disposition;
        bool opens;
        DWORD error; // the last error afterwards, also on success
    } cases[] = {
        {"C:\\old.txt", CREATE_NEW, false, ERROR_FILE_EXISTS},
        {"C:\\new1.txt", CREATE_NEW, true, ERROR_SUCCESS},
        {"C:\\OLD.TXT", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {"C:\\new2.txt", OPEN_ALWAYS, true, ERROR_SUCCESS},
        {"C:\\old.txt", OPEN_EXISTING, true, ERROR_SUCCESS},
        {"C:\\missing.txt", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {"C:\\missing\\x.txt", OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND},
        {"C:\\missing\\x.txt", CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND},
        {"C:\\dir", OPEN_EXISTING, false, ERROR_ACCESS_DENIED},
        {"C:\\old.txt", 0, false, ERROR_INVALID_PARAMETER},
        {"C:\\old.txt", CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS}, // last: it empties the file
    };
    for (const Case &c : cases) {
        SetLastError(0xDEAD);
        HANDLE h = CreateFileA(c.path, GENERIC_READ | GENERIC_WRITE, 0, NULL, c.disposition, FILE_ATTRIBUTE_NORMAL, NULL);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens) << c.path << " " << c.disposition;
        EXPECT_EQ(GetLastError(), c.error) << c.path << " " << c.disposition;
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    EXPECT_EQ(ReadHostFile(Host("drive_c/old.txt")), "");
    EXPECT_TRUE(HostExists(Host("drive_c/new1.txt")));
}

TEST_F(FileTest, WrittenBytesReadBackAndTheEndReadsAsZeroBytes)
{
    HANDLE h = CreateFileA("C:\\data.bin", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(h, "hello", 5, &n, NULL));
    EXPECT_EQ(n, 5u);
    char buf[16];
    SetLastError(0);
    EXPECT_FALSE(ReadFile(h, buf, sizeof buf, &n, NULL)); // opened for writing only
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CloseHandle(h));

    h = CreateFileA("c:\\DATA.BIN", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(h, &high), 5u);
    EXPECT_EQ(high, 0u);
    EXPECT_TRUE(ReadFile(h, buf, 3, &n, NULL));
    EXPECT_EQ(std::string(buf, n), "hel");
    EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &n, NULL));
    EXPECT_EQ(std::string(buf, n), "lo");
    EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &n, NULL));
    EXPECT_EQ(n, 0u);
    SetLastError(0);
    EXPECT_FALSE(WriteFile(h, "x", 1, &n, NULL));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CloseHandle(h));

    SetLastError(0);
    EXPECT_FALSE(CloseHandle(h)); // already closed
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ReadFile(h, buf, 1, &n, NULL));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(FileTest, AttributesAsWineReportsThem)
{
    WriteHostFile(Host("drive_c/plain.txt"), "x");
    WriteHostFile(Host("drive_c/.hidden"), "x");
    WriteHostFile(Host("drive_c/locked.txt"), "x");
    chmod(Host("drive_c/locked.txt").c_str(), 0444);
    ASSERT_TRUE(CreateDirectoryA("C:\\dir", NULL));
    struct Case {
        const char *path;
        DWORD attributes;
        DWORD error;
    } cases[] = {
        {"C:\\plain.txt", FILE_ATTRIBUTE_ARCHIVE, 0},
        {"C:\\.hidden", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 0},
        {"C:\\locked.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 0},
        {"C:\\dir", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"C:\\", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"C:\\nope", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
        {"C:\\nodir\\nope", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"C:\\plain.txt\\x", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
    };
    for (const Case &c : cases) {
        SetLastError(0);
        EXPECT_EQ(GetFileAttributesA(c.path), c.attributes) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
}

TEST_F(FileTest, DeleteFileRefusesFoldersAndReadOnlyFiles)
{
    WriteHostFile(Host("drive_c/gone.txt"), "x");
    WriteHostFile(Host("drive_c/locked.txt"), "x");
    chmod(Host("drive_c/locked.txt").c_str(), 0444);
    ASSERT_TRUE(CreateDirectoryA("C:\\dir", NULL));
    EXPECT_TRUE(DeleteFileA("C:\\GONE.TXT"));
    EXPECT_FALSE(HostExists(Host("drive_c/gone.txt")));
    struct Case {
        const char *path;
        DWORD error;
    } cases[] = {
        {"C:\\gone.txt", ERROR_FILE_NOT_FOUND},
        {"C:\\nodir\\x", ERROR_PATH_NOT_FOUND},
        {"C:\\dir", ERROR_ACCESS_DENIED},
        {"C:\\locked.txt", ERROR_ACCESS_DENIED},
    };
    for (const Case &c : cases) {
        SetLastError(0);
        EXPECT_FALSE(DeleteFileA(c.path)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
}

TEST_F(FileTest, CopyFileCopiesBytesAndLastWriteTime)
{
    WriteHostFile(Host("drive_c/a.txt"), "contents");
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    utimensat(AT_FDCWD, Host("drive_c/a.txt").c_str(), times, 0);
    WriteHostFile(Host("drive_c/b.txt"), "older");
    ASSERT_TRUE(CreateDirectoryA("C:\\dir", NULL));

    EXPECT_TRUE(CopyFileA("C:\\A.txt", "C:\\new.txt", TRUE));
    EXPECT_EQ(ReadHostFile(Host("drive_c/new.txt")), "contents");
    struct stat st;
    ASSERT_EQ(stat(Host("drive_c/new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    EXPECT_TRUE(CopyFileA("C:\\a.txt", "C:\\B.TXT", FALSE)); // overwrites, under the existing name
    EXPECT_EQ(ReadHostFile(Host("drive_c/b.txt")), "contents");

    struct Case {
        const char *from;
        const char *to;
        DWORD error;
    } cases[] = {
        {"C:\\a.txt", "C:\\b.txt", ERROR_FILE_EXISTS},
        {"C:\\nope", "C:\\x", ERROR_FILE_NOT_FOUND},
        {"C:\\a.txt", "C:\\nodir\\x", ERROR_PATH_NOT_FOUND},
        {"C:\\a.txt", "C:\\dir", ERROR_ACCESS_DENIED},
        {"C:\\dir", "C:\\y", ERROR_ACCESS_DENIED},
        {"C:\\a.txt", "C:\\A.TXT", ERROR_SHARING_VIOLATION},
    };
    for (const Case &c : cases) {
        SetLastError(0);
        EXPECT_FALSE(CopyFileA(c.from, c.to, c.error == ERROR_FILE_EXISTS)) << c.from << " " << c.to;
        EXPECT_EQ(GetLastError(), c.error) << c.from << " " << c.to;
    }
}

TEST_F(FileTest, MoveFileExReplacesOnlyWhenAskedAndRefusesFolders)
{
    WriteHostFile(Host("drive_c/new.ini"), "new");
    WriteHostFile(Host("drive_c/old.ini"), "old");
    ASSERT_TRUE(CreateDirectoryA("C:\\dir", NULL));

    struct Case {
        const char *from;
        const char *to;
        DWORD flags;
        DWORD error;
    } cases[] = {
        {"C:\\new.ini", "C:\\old.ini", 0, ERROR_ALREADY_EXISTS},
        {"C:\\new.ini", "C:\\OLD.INI", MOVEFILE_WRITE_THROUGH, ERROR_ALREADY_EXISTS},
        {"C:\\nope", "C:\\x", MOVEFILE_REPLACE_EXISTING, ERROR_FILE_NOT_FOUND},
        {"C:\\new.ini", "C:\\nodir\\x", MOVEFILE_REPLACE_EXISTING, ERROR_PATH_NOT_FOUND},
        {"C:\\new.ini", "C:\\dir", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
        {"C:\\new.ini", "C:\\old.ini", 0x10000, ERROR_INVALID_PARAMETER},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.to << " " << c.flags);
        SetLastError(0);
        EXPECT_FALSE(MoveFileExA(c.from, c.to, c.flags));
        EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(ReadHostFile(Host("drive_c/old.ini")), "old");

    EXPECT_TRUE(MoveFileExA("C:\\new.ini", "C:\\Old.ini", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(ReadHostFile(Host("drive_c/old.ini")), "new");
    EXPECT_FALSE(HostExists(Host("drive_c/new.ini")));
    EXPECT_TRUE(MoveFileExA("C:\\old.ini", "C:\\dir\\moved.ini", 0));
    EXPECT_EQ(ReadHostFile(Host("drive_c/dir/moved.ini")), "new");
}

// File searches: wildcards as Windows matches them, the order of the names, the errors.
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

class FindTest : public PrefixTest {
protected:
    void SetUp() override
    {
        PrefixTest::SetUp();
        ASSERT_TRUE(CreateDirectoryA("C:\\w", NULL));
        ASSERT_TRUE(CreateDirectoryA("C:\\w\\dir", NULL));
        for (const char *name : {"a.256", "B.256", "c.2560", "d.25", "noext", "x.y.256", "LongFileName.Text"})
            WriteHostFile(Host(std::string("drive_c/w/") + name), "abc");
    }

    // The names a search finds, in order, or the error when it finds none.
    static std::string Search(const char *mask)
    {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(mask, &data);
        if (find == INVALID_HANDLE_VALUE)
            return "error " + std::to_string(GetLastError());
        std::string names;
        do
            names += (names.empty() ? "" : " ") + std::string(data.cFileName);
        while (FindNextFileA(find, &data));
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES);
        EXPECT_TRUE(FindClose(find));
        return names;
    }
};

TEST_F(FindTest, WildcardsMatchAsOnWindows)
{
    struct Case {
        const char *mask;
        const char *names;
    } cases[] = {
        // "c.2560" through its 8.3 alias, whose extension is ".256"
        {"C:\\w\\*.256", "a.256 B.256 c.2560 x.y.256"},
        {"C:\\w\\*256", "a.256 B.256 c.2560 x.y.256"},
        {"C:\\w\\?.256", "a.256 B.256"},
        {"C:\\w\\*.2?6", "a.256 B.256 c.2560 x.y.256"},
        {"C:\\w\\*.2*", "a.256 B.256 c.2560 d.25 x.y.256"},
        {"C:\\w\\A.*", "a.256"},
        {"C:\\w\\*.t*", "LongFileName.Text"},
        {"C:\\w\\????", "d.25"},
        {"C:\\w\\d.25?", "error 2"},
        {"c:\\W\\NOEXT", "noext"},
        {"C:\\w\\noext.", "noext"},
        {"C:\\w\\*", ". .. a.256 B.256 c.2560 d.25 dir LongFileName.Text noext x.y.256"},
        {"C:\\w\\*.*", ". .. a.256 B.256 c.2560 d.25 dir LongFileName.Text noext x.y.256"},
        {"C:\\w\\dir\\*", ". .."},
        {"C:\\w", "w"},
        {"C:\\w\\nothing*", "error 2"},
        {"C:\\w\\", "error 2"},
        {"C:\\nodir\\*", "error 3"},
        {"", "error 3"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Search(c.mask), c.names) << c.mask;
}

TEST_F(FindTest, ADrivesRootHasNoDotEntries)
{
    EXPECT_EQ(Search("C:\\*"), "users w windows");
}

TEST_F(FindTest, TheFoundDataDescribesTheFile)
{
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    utimensat(AT_FDCWD, Host("drive_c/w/a.256").c_str(), times, 0);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\w"));
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("A.256", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "a.256");
    EXPECT_EQ(data.dwFileAttributes, (DWORD)FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(data.nFileSizeLow, 3u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    ULONGLONG written = ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
    EXPECT_EQ(written, (1000000000ULL + 11644473600ULL) * 10000000ULL);
    EXPECT_STREQ(data.cAlternateFileName, ""); // a short name needs no alias
    EXPECT_TRUE(FindClose(find));

    struct AliasCase {
        const char *name;
        const char *prefix;
        const char *suffix;
    } aliases[] = {{"c.2560", "C~~~~", ".256"}, {"x.y.256", "X_Y~~", ".256"}, {"LongFileName.Text", "LONG~", ".TEX"}};
    for (const AliasCase &c : aliases) {
        find = FindFirstFileA(c.name, &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE) << c.name;
        std::string alias = data.cAlternateFileName;
        EXPECT_EQ(alias.size(), 8 + strlen(c.suffix)) << alias;
        EXPECT_EQ(alias.substr(0, 5), c.prefix) << alias;
        EXPECT_EQ(alias.substr(8), c.suffix) << alias;
        FindClose(find);
    }
    SetLastError(0);
    EXPECT_FALSE(FindClose(find));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

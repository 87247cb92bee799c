// The profile functions: where a file name leads, reading with its defaults, buffer limits and
// name lists, numbers, and what writing does to the file. The Wine comparison table checks
// many more cases against Wine itself.
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "../../common/file_size_limit.h"
#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

namespace {

using ProfileTest = PrefixTest;

// A literal with the NULs inside it.
template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

std::string ReadString(LPCSTR section, LPCSTR key, LPCSTR def, LPCSTR file, DWORD size = 100)
{
    std::string buffer(size, '#');
    DWORD length = GetPrivateProfileStringA(section, key, def, &buffer[0], size, file);
    EXPECT_LT(length, size);
    EXPECT_EQ(buffer[length], '\0');
    return buffer.substr(0, length);
}

TEST_F(ProfileTest, BareNameMeansTheWindowsFolderAndWritesCreateFileAndSection)
{
    ASSERT_TRUE(WritePrivateProfileStringA("install", "install_path", "C:\\Games\\Fern Patience\\", "fvpat.ini"));
    EXPECT_EQ(ReadHostFile(Host("drive_c/windows/fvpat.ini")), "[install]\r\ninstall_path=C:\\Games\\Fern Patience\\\r\n");
    // The same file by its full path, in another case; names match without regard to case.
    EXPECT_EQ(ReadString("INSTALL", "Install_Path", "", "c:\\WINDOWS\\FVPAT.INI"), "C:\\Games\\Fern Patience\\");

    // A name with a folder is taken relative to the current folder.
    ASSERT_TRUE(CreateDirectoryA("C:\\here", NULL));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\here"));
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", ".\\local.ini"));
    EXPECT_TRUE(HostExists(Host("drive_c/here/local.ini")));

    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "C:\\missing\\x.ini"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
}

TEST_F(ProfileTest, SectionsOfAnyCaseMeetInOne)
{
    WriteHostFile(Host("drive_c/windows/fvpat.ini"), "[Install]\r\nPrevVer=1\r\n[Net News]\r\nName=Ann\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("install", "install_path", "C:\\G\\", "fvpat.ini"));
    EXPECT_EQ(ReadHostFile(Host("drive_c/windows/fvpat.ini")),
              "[Install]\r\nPrevVer=1\r\ninstall_path=C:\\G\\\r\n[Net News]\r\nName=Ann\r\n");
}

TEST_F(ProfileTest, ValuesAreTrimmedUnquotedAndDefaultsStandIn)
{
    WriteHostFile(Host("drive_c/windows/t.ini"), "[S]\r\n  key  =  two words  \r\nq=\"quoted\"\r\n"
                                                 "half='x\r\nempty=\r\nbare\r\n");
    struct Case {
        const char *key, *def, *expected;
    } cases[] = {
        {"key", "d", "two words"}, {" KEY ", "d", "two words"}, {"q", "d", "quoted"},  {"half", "d", "'x"},
        {"empty", "d", ""},        {"bare", "d", "d"},          {"none", "d  ", "d"}, {"none", NULL, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReadString("S", c.key, c.def, "t.ini"), c.expected) << c.key;
    EXPECT_EQ(ReadString("S", "key", "d", "absent.ini"), "d");
}

TEST_F(ProfileTest, LongValuesAreCutToTheBuffer)
{
    std::string value(5000, 'v');
    ASSERT_TRUE(WritePrivateProfileStringA("Net News", "Name", value.c_str(), "t.ini"));
    EXPECT_EQ(ReadString("Net News", "Name", "", "t.ini", 4000), value.substr(0, 3999));
    EXPECT_EQ(ReadString("Net News", "Name", "", "t.ini", 6000), value);
    EXPECT_EQ(ReadString("Net News", "Name", "", "t.ini", 1), "");
}

TEST_F(ProfileTest, NameListsEndWithTwoZeros)
{
    WriteHostFile(Host("drive_c/windows/t.ini"), "[One]\r\na=1\r\n;c=2\r\nnoval\r\nbb=3\r\n[Two]\r\n");
    char buffer[64];
    DWORD length = GetPrivateProfileStringA(NULL, NULL, "d", buffer, sizeof buffer, "t.ini");
    EXPECT_EQ(std::string(buffer, length + 1), Bytes("One\0Two\0\0"));
    length = GetPrivateProfileStringA("one", NULL, "d", buffer, sizeof buffer, "t.ini");
    EXPECT_EQ(std::string(buffer, length + 1), Bytes("a\0bb\0\0"));
    // Too small: the last name is cut, two zeros follow, and the result is the size less two.
    length = GetPrivateProfileStringA(NULL, NULL, "d", buffer, 7, "t.ini");
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(std::string(buffer, 7), Bytes("One\0T\0\0"));
    // A section without keys gives the default.
    EXPECT_EQ(ReadString("Two", NULL, "none", "t.ini"), "none");
}

TEST_F(ProfileTest, NumbersAreReadAsTheSystemReadsThem)
{
    WriteHostFile(Host("drive_c/windows/n.ini"), "[Window]\r\nx=-12\r\nhex=0x1A\r\nbin=0b101\r\nplus=+42abc\r\n"
                                                 "word=abc\r\nempty=\r\nq='5'\r\nbig=4294967297\r\n");
    struct Case {
        const char *key;
        int expected;
    } cases[] = {
        {"x", -12}, {"hex", 26},   {"bin", 5},        {"plus", 42}, {"word", 0},
        {"q", 5},   {"big", 1},    {"empty", -1000},  {"missing", -1000},
    };
    for (const Case &c : cases)
        EXPECT_EQ((int)GetPrivateProfileIntA("Window", c.key, -1000, "n.ini"), c.expected) << c.key;
    EXPECT_EQ((int)GetPrivateProfileIntA("Window", "x", -1000, "absent.ini"), -1000);
}

TEST_F(ProfileTest, WritingReplacesDeletesAndRewritesTheFileInItsOwnForm)
{
    std::string file = Host("drive_c/windows/w.ini");
    std::string messy = "\r\n; top\r\n\r\n[Window]\r\n  x = 5  \r\n\n[Install]\nPrevVer=1\n";
    WriteHostFile(file, messy);
    // Writing the value a key already has leaves the file as it was.
    ASSERT_TRUE(WritePrivateProfileStringA("WINDOW", "X", "5", "w.ini"));
    EXPECT_EQ(ReadHostFile(file), messy);
    // A change writes the whole file back: blank lines go, names and values lose their blanks.
    ASSERT_TRUE(WritePrivateProfileStringA("Window", "x", "  7", "w.ini"));
    EXPECT_EQ(ReadHostFile(file), "; top\r\n[Window]\r\nx=7\r\n[Install]\r\nPrevVer=1\r\n");

    ASSERT_TRUE(WritePrivateProfileStringA("Window", "x", NULL, "w.ini"));
    EXPECT_EQ(ReadHostFile(file), "; top\r\n[Window]\r\n[Install]\r\nPrevVer=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("install", NULL, NULL, "w.ini"));
    EXPECT_EQ(ReadHostFile(file), "; top\r\n[Window]\r\n");

    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringA(NULL, "k", "v", "w.ini"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    // Deleting from a file that does not exist does not make one.
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", NULL, "none.ini"));
    EXPECT_FALSE(HostExists(Host("drive_c/windows/none.ini")));
}

// A file with a byte order mark is read in its encoding and written back in it: characters
// without an ANSI form read as '?' yet stay in the file.
TEST_F(ProfileTest, FilesInUnicodeEncodingsReadAndWriteInTheirOwn)
{
    std::string file = Host("drive_c/windows/u.ini");
    struct Case {
        const char *encoding;
        std::string before, after;
    } cases[] = {
        {"UTF-8", "\xEF\xBB\xBF[S]\r\nk=\xC3\xAB\xE5\x90\x8D\r\n",
         "\xEF\xBB\xBF[S]\r\nk=\xC3\xAB\xE5\x90\x8D\r\nn=\xC3\xA9\r\n"},
        {"UTF-16LE", Bytes("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xEB\0\x0DT\r\0\n\0"),
         Bytes("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xEB\0\x0DT\r\0\n\0n\0=\0\xE9\0\r\0\n\0")},
        {"UTF-16BE", Bytes("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0\xEBT\x0D\0\r\0\n"),
         Bytes("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0\xEBT\x0D\0\r\0\n\0n\0=\0\xE9\0\r\0\n")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.encoding);
        WriteHostFile(file, c.before);
        EXPECT_EQ(ReadString("S", "k", "d", "u.ini"), "\xEB?");
        ASSERT_TRUE(WritePrivateProfileStringA("S", "n", "\xE9", "u.ini"));
        EXPECT_EQ(ReadHostFile(file), c.after);
    }
    // A NUL ends a name or a value (with the blanks before it), and what follows it is not
    // written back.
    WriteHostFile(file, Bytes("[S]\r\nk=ab\0cd\r\nname \0=old\r\n"));
    EXPECT_EQ(ReadString("S", "k", "d", "u.ini"), "ab");
    ASSERT_TRUE(WritePrivateProfileStringA("S", "name", "new", "u.ini"));
    EXPECT_EQ(ReadHostFile(file), "[S]\r\nk=ab\r\nname=new\r\n");

    // ANSI text whose first line begins as a byte order mark would read back as UTF-16: a
    // blank line first keeps it ANSI.
    WriteHostFile(file, "\r\n\xFF\xFEk=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("S", "n", "2", "u.ini"));
    EXPECT_EQ(ReadHostFile(file), "\r\n\xFF\xFEk=1\r\n[S]\r\nn=2\r\n");
    EXPECT_EQ(ReadString("", "\xFF\xFEk", "d", "u.ini"), "1");
}

TEST_F(ProfileTest, AWriteThatCannotFinishLeavesTheFileAsItWas)
{
    std::string file = Host("drive_c/windows/fvpat.ini");
    std::string earlier = "[Net News]\r\nName=Ann\r\nEMail=ann@example.com\r\n[Big]\r\n" +
                          std::string(3000, 'x') + "=1\r\n";
    WriteHostFile(file, earlier);
    {
        FileSizeLimit limit(1024);
        EXPECT_FALSE(WritePrivateProfileStringA("install", "install_path", "C:\\G\\", "fvpat.ini"));
    }
    EXPECT_EQ(ReadHostFile(file), earlier);
    EXPECT_EQ(ReadString("Net News", "EMail", "", "fvpat.ini"), "ann@example.com");
    ASSERT_TRUE(WritePrivateProfileStringA("install", "install_path", "C:\\G\\", "fvpat.ini"));
    EXPECT_EQ(ReadString("install", "install_path", "", "fvpat.ini"), "C:\\G\\");
}

TEST_F(ProfileTest, TemporaryFilesOfWritersThatDiedAreRemovedAndLiveOnesKept)
{
    pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_GT(dead, 0);
    waitpid(dead, NULL, 0);
    std::string folder = Host("drive_c/windows/");
    std::string deadTemp = folder + ".w.ini." + std::to_string(dead) + ".tmp";
    std::string liveTemp = folder + ".w.ini." + std::to_string(getppid()) + ".tmp";
    std::string otherFile = folder + ".v.ini." + std::to_string(dead) + ".tmp";
    for (const std::string &path : {deadTemp, liveTemp, otherFile})
        WriteHostFile(path, "cut sett");

    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", "w.ini"));
    EXPECT_FALSE(HostExists(deadTemp));
    EXPECT_TRUE(HostExists(liveTemp));
    EXPECT_TRUE(HostExists(otherFile));
    EXPECT_FALSE(HostExists(folder + ".w.ini." + std::to_string(getpid()) + ".tmp"));
    EXPECT_EQ(ReadHostFile(folder + "w.ini"), "[s]\r\nk=v\r\n");
}

} // namespace

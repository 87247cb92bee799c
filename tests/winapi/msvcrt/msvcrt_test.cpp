// fopen on Windows paths (drives, case, text and binary mode), _fileno, _filelength, _mkdir
// and the failing-write seam. The modes, line ends and errno values expected here are the ones
// a Windows program linked with msvcrt gets under Wine for the same calls.
#include <direct.h>
#include <errno.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <winapi_linux.h>

namespace {

class MsvcrtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char base[] = "/tmp/msvcrt-test-XXXXXX";
        ASSERT_NE(mkdtemp(base), nullptr);
        m_root = base;
        setenv("WINEPREFIX", m_root.c_str(), 1);
        // The prefix is laid out on first use, as Wine does.
        ASSERT_EQ(_mkdir("C:\\work"), 0);
    }

    void TearDown() override
    {
        WinapiFailStreamWrites(0, 0);
        unsetenv("WINEPREFIX");
        ASSERT_EQ(system(("rm -rf '" + m_root + "'").c_str()), 0);
    }

    std::string Host(const std::string &relative) const { return m_root + "/drive_c/" + relative; }

    static void WriteHost(const std::string &path, const std::string &bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string ReadHost(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    // Everything the stream gives until its end.
    static std::string ReadAll(FILE *f)
    {
        std::string bytes;
        char buf[1000];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0)
            bytes.append(buf, n);
        return bytes;
    }

    std::string m_root;
};

TEST_F(MsvcrtTest, WindowsPathReachesThePrefixFileWhateverTheCase)
{
    WriteHost(Host("work/Data.Bin"), std::string("one\r\ntwo\n\x1A!", 11));
    for (const char *path : {"C:\\work\\Data.Bin", "c:\\WORK\\data.bin", "C:/work/DATA.BIN"}) {
        FILE *f = fopen(path, "rb");
        ASSERT_NE(f, nullptr) << path;
        EXPECT_EQ(ReadAll(f), std::string("one\r\ntwo\n\x1A!", 11)) << path;
        EXPECT_EQ(fclose(f), 0);
    }
}

TEST_F(MsvcrtTest, TextModeWritesCrLfAndBinaryModeKeepsTheBytes)
{
    struct Case {
        const char *mode;
        const char *stored;
    } cases[] = {
        {"w", "[Window]\r\n\r\nName=x\r\n"},
        {"wt", "[Window]\r\n\r\nName=x\r\n"},
        {"wb", "[Window]\n\nName=x\n"},
        // The last of the two letters counts; other letters are ignored.
        {"wbt", "[Window]\r\n\r\nName=x\r\n"},
        {"wtbx", "[Window]\n\nName=x\n"},
    };
    for (const Case &c : cases) {
        FILE *f = fopen("C:\\work\\fvpat.ini", c.mode);
        ASSERT_NE(f, nullptr) << c.mode;
        fputs("[Window]\n", f);
        fflush(f);
        fputs("\nName=x\n", f);
        EXPECT_EQ(fclose(f), 0);
        EXPECT_EQ(ReadHost(Host("work/fvpat.ini")), c.stored) << c.mode;
    }
}

TEST_F(MsvcrtTest, TextModeReadsCrLfAsLfAndStopsAtCtrlZ)
{
    // A CR LF that straddles the stream's 4096-byte buffer must still read as one LF.
    std::string straddling = std::string(4095, 'a') + "\r\nb";
    struct Case {
        std::string stored;
        std::string read;
    } cases[] = {
        {"x\r\ny\rz\r\n", "x\ny\rz\n"},
        {"end\r", "end\r"},
        {std::string("text\x1A" "after", 10), "text"},
        {straddling, std::string(4095, 'a') + "\nb"},
    };
    for (const Case &c : cases) {
        WriteHost(Host("work/t.txt"), c.stored);
        FILE *f = fopen("C:\\work\\t.txt", "r");
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(ReadAll(f), c.read) << c.stored.substr(0, 20);
        fclose(f);
    }
}

TEST_F(MsvcrtTest, ModesTruncateAppendAndUpdate)
{
    WriteHost(Host("work/f.bin"), "old contents");
    FILE *f = fopen("C:\\work\\f.bin", "ab");
    ASSERT_NE(f, nullptr);
    fputs("+more", f);
    fclose(f);
    EXPECT_EQ(ReadHost(Host("work/f.bin")), "old contents+more");

    f = fopen("C:\\work\\f.bin", "r+b");
    ASSERT_NE(f, nullptr);
    fputs("OLD", f);
    fclose(f);
    EXPECT_EQ(ReadHost(Host("work/f.bin")), "OLD contents+more");

    f = fopen("C:\\work\\f.bin", "wb");
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_EQ(ReadHost(Host("work/f.bin")), "");
}

TEST_F(MsvcrtTest, OpeningFailuresSetWindowsErrno)
{
    struct Case {
        const char *path;
        const char *mode;
        int error;
    } cases[] = {
        {"C:\\work\\missing.bin", "rb", ENOENT},
        {"C:\\nofolder\\new.bin", "wb", ENOENT},
        {"Q:\\new.bin", "wb", ENOENT},
        {"C:\\work", "rb", EACCES},
        {"C:\\work\\x.bin", "q", EINVAL},
    };
    for (const Case &c : cases) {
        errno = 0;
        EXPECT_EQ(fopen(c.path, c.mode), nullptr) << c.path << " " << c.mode;
        EXPECT_EQ(errno, c.error) << c.path << " " << c.mode;
    }
}

TEST_F(MsvcrtTest, HostPathsStayTheHostsOwn)
{
    std::string path = m_root + "/host.txt";
    FILE *f = fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    fputs("a\nb\n", f);
    EXPECT_EQ(_fileno(f), fileno(f));
    fclose(f);
    EXPECT_EQ(ReadHost(path), "a\nb\n");
}

TEST_F(MsvcrtTest, FileLengthOfAnOpenStream)
{
    WriteHost(Host("work/len.bin"), std::string(5000, 'x'));
    FILE *f = fopen("C:\\work\\len.bin", "rb");
    ASSERT_NE(f, nullptr);
    char buf[10];
    ASSERT_EQ(fread(buf, 1, sizeof buf, f), sizeof buf);
    EXPECT_EQ(_filelength(_fileno(f)), 5000);
    // Taking the length leaves the reading position alone.
    EXPECT_EQ(ReadAll(f).size(), 4990u);
    fclose(f);

    errno = 0;
    EXPECT_EQ(_fileno(NULL), -1);
    EXPECT_EQ(errno, EINVAL);
    errno = 0;
    EXPECT_EQ(_filelength(-1), -1);
    EXPECT_EQ(errno, EBADF);
}

TEST_F(MsvcrtTest, MkdirCreatesOneLevel)
{
    EXPECT_EQ(_mkdir("C:\\work\\Group"), 0);
    EXPECT_EQ(access(Host("work/Group").c_str(), F_OK), 0);
    struct Case {
        const char *path;
        int error;
    } cases[] = {{"c:\\WORK\\group", EEXIST}, {"C:\\none\\Group", ENOENT}};
    for (const Case &c : cases) {
        errno = 0;
        EXPECT_EQ(_mkdir(c.path), -1) << c.path;
        EXPECT_EQ(errno, c.error) << c.path;
    }
}

TEST_F(MsvcrtTest, FailingWritesFailAsOnAFullDiskThenWritesSucceedAgain)
{
    std::string block(4096, 'z');
    // Bytes written before the failure, and the items of 3 bytes that fwrite then reports.
    struct Case {
        UINT cbWritten;
        size_t items;
    } cases[] = {{0, 0}, {1000, 333}, {1001, 333}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cbWritten);
        FILE *f = fopen("C:\\work\\full.bin", "wb");
        ASSERT_NE(f, nullptr);
        WinapiFailStreamWrites(1, c.cbWritten);
        errno = 0;
        EXPECT_EQ(fwrite(block.data(), 3, 1365, f), c.items);
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_EQ(fwrite(block.data(), 1, block.size(), f), block.size());
        EXPECT_EQ(fclose(f), 0);
        EXPECT_EQ(ReadHost(Host("work/full.bin")), std::string(c.items * 3 + block.size(), 'z'));
    }
}

} // namespace

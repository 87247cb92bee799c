// CIniFile: the game's settings file by its bare name, defaults for what is absent, values
// cut to its buffer, sections of either case meeting, and names too long for its buffer.
#include <string>

#include "IniFile.h"
#include "prefix_fixture.h"

namespace {

using IniFileTest = PrefixTest;

TEST_F(IniFileTest, AbsentWindowPositionGivesMinusOneThousand)
{
    CIniFile ini("fvpat.ini");
    EXPECT_EQ((int)ini.GetProfileInt("Window", "x", -1000), -1000); // no file at all
    WriteHostFile(Host("drive_c/windows/fvpat.ini"), "[Window]\r\ny=3\r\n[Install]\r\nPrevVer=7\r\n");
    EXPECT_EQ((int)ini.GetProfileInt("Window", "x", -1000), -1000); // no such key
    EXPECT_EQ((int)ini.GetProfileInt("Install", "PrevVer", 0), 7);
    WriteHostFile(Host("drive_c/windows/fvpat.ini"), "[Window]\r\nx=-40\r\n");
    EXPECT_EQ((int)ini.GetProfileInt("Window", "x", -1000), -40);
}

TEST_F(IniFileTest, StringsComeWholeUpTo3999CharactersOrAsTheDefault)
{
    std::string name(5000, 'n');
    WriteHostFile(Host("drive_c/windows/fvpat.ini"), "[Net News]\r\nName=" + name + "\r\nEMail=a@b.c\r\n");
    CIniFile ini("fvpat.ini");
    CString value = ini.GetProfileString("Net News", "Name", "");
    EXPECT_EQ(value.GetLength(), 3999);
    EXPECT_EQ(std::string((LPCSTR)value), name.substr(0, 3999));
    EXPECT_STREQ((LPCSTR)ini.GetProfileString("Net News", "EMail", ""), "a@b.c");
    EXPECT_STREQ((LPCSTR)ini.GetProfileString("Net News", "UserID", "none"), "none");
    EXPECT_STREQ((LPCSTR)ini.GetProfileString("Net News", "UserID", ""), "");
}

TEST_F(IniFileTest, InstallAndinstallMeetInOneSectionOfTheWindowsFoldersFile)
{
    // The mailing-list page writes the file whole by its full path; the copy page adds its key.
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    std::string fullName = std::string(windows) + "\\fvpat.ini";
    WriteHostFile(Host("drive_c/windows/fvpat.ini"), "[Install]\r\nPrevVer=1\r\n[Net News]\r\nName=Ann\r\n");

    EXPECT_TRUE(CIniFile("fvpat.ini").WriteProfileString("install", "install_path", "C:\\Fernvale Patience\\"));
    EXPECT_EQ(ReadHostFile(Host("drive_c/windows/fvpat.ini")),
              "[Install]\r\nPrevVer=1\r\ninstall_path=C:\\Fernvale Patience\\\r\n[Net News]\r\nName=Ann\r\n");
    CIniFile byFullName(fullName.c_str());
    EXPECT_STREQ((LPCSTR)byFullName.GetProfileString("INSTALL", "Install_Path", ""), "C:\\Fernvale Patience\\");
}

TEST_F(IniFileTest, NamesOfAHundredCharactersOrMoreReachNoFile)
{
    std::string name99 = "C:\\" + std::string(92, 'a') + ".ini";
    ASSERT_EQ(name99.size(), 99u);
    CIniFile fits(name99.c_str());
    ASSERT_TRUE(fits.WriteProfileString("s", "k", "kept"));
    EXPECT_STREQ((LPCSTR)fits.GetProfileString("s", "k", "default"), "kept");
    std::string written = ReadHostFile(Host("drive_c/" + std::string(92, 'a') + ".ini"));

    // Cut to 99 characters these would name the file above; they must not reach it.
    for (size_t length : {100u, 1000u}) {
        std::string name = name99 + std::string(length - 99, 'x');
        CIniFile tooLong(name.c_str());
        EXPECT_STREQ((LPCSTR)tooLong.GetProfileString("s", "k", "default"), "default") << length;
        EXPECT_EQ((int)tooLong.GetProfileInt("s", "k", -1000), -1000) << length;
        EXPECT_FALSE(tooLong.WriteProfileString("s", "k", "changed")) << length;
    }
    EXPECT_EQ(ReadHostFile(Host("drive_c/" + std::string(92, 'a') + ".ini")), written);
}

} // namespace

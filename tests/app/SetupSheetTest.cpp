// The install state kept by the wizard sheet.
#include <gtest/gtest.h>

#include <string>

#include "SetupSheet.h"

namespace {

struct InstallDirCase
{
    std::string input;
    std::string stored;
};

class SetInstallDirTest : public ::testing::TestWithParam<InstallDirCase>
{
};

TEST_P(SetInstallDirTest, StoresWithExactlyOneTrailingBackslash)
{
    CSetupSheet sheet("FVPD Setup");
    sheet.SetInstallDir(GetParam().input.c_str());

    char buffer[MAX_PATH];
    EXPECT_EQ(sheet.GetInstallDir(buffer), buffer);
    EXPECT_EQ(std::string(buffer), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SetInstallDirTest,
    ::testing::Values(InstallDirCase{"C:\\Games\\Cards", "C:\\Games\\Cards\\"},
                      InstallDirCase{"C:\\Fernvale Patience\\", "C:\\Fernvale Patience\\"},
                      InstallDirCase{"D:\\", "D:\\"},
                      InstallDirCase{"", "\\"},
                      InstallDirCase{"c:\\my games\\cards", "c:\\my games\\cards\\"},
                      InstallDirCase{"E:\\\\Fernvale Patience", "E:\\\\Fernvale Patience\\"}));

// Texts at and past the limit: what fits is stored whole, what does not fit leaves the stored
// folder as it was and never writes past the buffer.
TEST(SetInstallDirLimitTest, LongTextsAreStoredWholeOrRefused)
{
    const std::string previous = "C:\\Earlier\\";
    struct Case
    {
        size_t length;
        bool endsWithBackslash;
        bool fits;
    } cases[] = {
        {258, false, true}, {259, true, true},   {259, false, false},
        {260, true, false}, {260, false, false}, {1000, false, false},
    };
    for (const Case& c : cases)
    {
        std::string text(c.length, 'a');
        text[0] = 'C';
        text[1] = ':';
        text[2] = '\\';
        if (c.endsWithBackslash)
            text.back() = '\\';

        CSetupSheet sheet("FVPD Setup");
        sheet.SetInstallDir(previous.c_str());
        sheet.SetInstallDir(text.c_str());

        char buffer[MAX_PATH];
        std::string stored = sheet.GetInstallDir(buffer);
        std::string expected = c.fits ? (c.endsWithBackslash ? text : text + "\\") : previous;
        EXPECT_EQ(stored, expected) << "length " << c.length;
        EXPECT_LT(stored.size(), sizeof(sheet.m_szInstallDir));
    }
}

} // namespace

// The install state kept by the wizard sheet.
#include <gtest/gtest.h>

#include <string>

#include "SetupSheet.h"

namespace {

TEST(SetInstallDirTest, StoresWithExactlyOneTrailingBackslash)
{
    struct Case
    {
        const char* input;
        const char* stored;
    } cases[] = {
        {"C:\\Games\\Cards", "C:\\Games\\Cards\\"},
        {"C:\\Fernvale Patience\\", "C:\\Fernvale Patience\\"},
        {"D:\\", "D:\\"},
        {"", "\\"},
        {"c:\\my games\\cards", "c:\\my games\\cards\\"},
        {"E:\\\\Fernvale Patience", "E:\\\\Fernvale Patience\\"},
    };
    for (const Case& c : cases)
    {
        CSetupSheet sheet("FVPD Setup");
        sheet.SetInstallDir(c.input);

        char buffer[MAX_PATH];
        EXPECT_EQ(sheet.GetInstallDir(buffer), buffer);
        EXPECT_STREQ(buffer, c.stored) << "input " << c.input;
    }
}

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

// The ANSI code page: Windows-1252 to and from UTF-16.
#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

TEST(CodePageTest, AnsiIsWindows1252)
{
    const char ansi[] = "\x80\xe9\x81\x9f"; // euro, e acute, unassigned, Y diaeresis
    WCHAR wide[8];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 8), 5);
    EXPECT_EQ(wide[0], 0x20AC);
    EXPECT_EQ(wide[1], 0x00E9);
    EXPECT_EQ(wide[2], 0x0081);
    EXPECT_EQ(wide[3], 0x0178);
    EXPECT_EQ(wide[4], 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi, -1, NULL, 0), 5);
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 2), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);

    const WCHAR back[] = {0x20AC, 0x0100, 'A', 0};
    char out[8];
    BOOL usedDefault = FALSE;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, back, -1, out, sizeof out, NULL, &usedDefault), 4);
    EXPECT_STREQ(out, "\x80?A");
    EXPECT_TRUE(usedDefault);
}

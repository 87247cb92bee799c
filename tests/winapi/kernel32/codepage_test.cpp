// Conversions: Windows-1252 to and from UTF-16, and FILETIME to calendar time.
#include <time.h>

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

TEST(FileTimeTest, FileTimesBecomeCalendarTimes)
{
    struct Case {
        ULONGLONG ticks;
        WORD year, month, dayOfWeek, day, hour, minute, second, milliseconds;
    } cases[] = {
        {0, 1601, 1, 1, 1, 0, 0, 0, 0},
        // 2000-02-29 12:34:56.789, a Tuesday
        {(951827696ULL + 11644473600ULL) * 10000000ULL + 7890000, 2000, 2, 2, 29, 12, 34, 56, 789},
        // 2100-03-01 00:00:00, a Monday after a century without a leap day
        {(4107542400ULL + 11644473600ULL) * 10000000ULL, 2100, 3, 1, 1, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        FILETIME ft = {(DWORD)c.ticks, (DWORD)(c.ticks >> 32)};
        SYSTEMTIME st;
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
        EXPECT_EQ(st.wYear, c.year);
        EXPECT_EQ(st.wMonth, c.month);
        EXPECT_EQ(st.wDayOfWeek, c.dayOfWeek);
        EXPECT_EQ(st.wDay, c.day);
        EXPECT_EQ(st.wHour, c.hour);
        EXPECT_EQ(st.wMinute, c.minute);
        EXPECT_EQ(st.wSecond, c.second);
        EXPECT_EQ(st.wMilliseconds, c.milliseconds);
    }
    FILETIME tooLate = {0, 0x80000000};
    SYSTEMTIME st;
    EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &st));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST(FileTimeTest, LocalFileTimeUsesTheZonesOffsetNow)
{
    setenv("TZ", "UTC-2", 1); // two hours east of UTC, no daylight saving
    tzset();
    FILETIME utc = {0x12345678, 0x01D00000}, local;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    ULONGLONG difference = (((ULONGLONG)local.dwHighDateTime << 32) | local.dwLowDateTime) -
                           (((ULONGLONG)utc.dwHighDateTime << 32) | utc.dwLowDateTime);
    EXPECT_EQ(difference, 2ULL * 3600 * 10000000ULL);
    unsetenv("TZ");
    tzset();
}

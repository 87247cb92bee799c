/* The progress bar: range, position and the results of its messages. */
#include "wizard_driver.h"

#include <gtest/gtest.h>

namespace {

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_BORDER, 0, 0, 128, 15, NULL, NULL,
                              NULL, NULL);
        ASSERT_TRUE(bar);
    }
    void TearDown() override { DestroyWindow(bar); }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(bar, msg, wParam, lParam);
    }
    LRESULT Pos() { return Send(PBM_GETPOS); }

    HWND bar = NULL;
};

TEST_F(ProgressTest, StartsAtZeroOfZeroToHundred)
{
    EXPECT_EQ(0, Pos());
    EXPECT_EQ(0, Send(PBM_GETRANGE, TRUE));
    EXPECT_EQ(100, Send(PBM_GETRANGE, FALSE));
}

/* The copy page's advances: 5 per file for 21 files, then 30 and 100 more. */
TEST_F(ProgressTest, DeltaPosReturnsThePreviousPositionAndStopsAtTheEnd)
{
    for (int i = 0; i < 21; i++)
        EXPECT_EQ(i < 20 ? 5 * i : 100, Send(PBM_DELTAPOS, 5)) << "advance " << i;
    EXPECT_EQ(100, Pos());
    EXPECT_EQ(100, Send(PBM_DELTAPOS, 30));
    EXPECT_EQ(100, Send(PBM_DELTAPOS, 100));
    EXPECT_EQ(100, Pos());
    EXPECT_EQ(100, Send(PBM_DELTAPOS, (WPARAM)-250));
    EXPECT_EQ(0, Pos());
}

TEST_F(ProgressTest, SetPosClampsToTheRange)
{
    EXPECT_EQ(0, Send(PBM_SETPOS, 150));
    EXPECT_EQ(100, Pos());
    EXPECT_EQ(100, Send(PBM_SETPOS, (WPARAM)-5));
    EXPECT_EQ(0, Pos());
}

TEST_F(ProgressTest, RangeMessagesReturnTheOldRangeAndMoveThePositionInside)
{
    Send(PBM_SETPOS, 80);
    EXPECT_EQ(MAKELONG(0, 100), Send(PBM_SETRANGE, 0, MAKELPARAM(10, 50)));
    EXPECT_EQ(50, Pos());
    EXPECT_EQ(MAKELONG(10, 50), Send(PBM_SETRANGE32, (WPARAM)-100, 1000));
    PBRANGE range = {};
    EXPECT_EQ(-100, Send(PBM_GETRANGE, TRUE, (LPARAM)&range));
    EXPECT_EQ(-100, range.iLow);
    EXPECT_EQ(1000, range.iHigh);
    EXPECT_EQ((LRESULT)(DWORD)MAKELONG(-100, 1000), Send(PBM_SETRANGE32, 0, 10));
    EXPECT_EQ(10, Pos());
}

TEST_F(ProgressTest, StepItWrapsAroundTheRange)
{
    Send(PBM_SETPOS, 40);
    EXPECT_EQ(10, Send(PBM_SETSTEP, 25));
    EXPECT_EQ(40, Send(PBM_STEPIT));
    EXPECT_EQ(65, Send(PBM_STEPIT));
    EXPECT_EQ(90, Send(PBM_STEPIT));
    EXPECT_EQ(15, Pos());
    EXPECT_EQ(25, Send(PBM_SETSTEP, (WPARAM)-30));
    Send(PBM_STEPIT);
    EXPECT_EQ(85, Pos());
}

TEST(InitCommonControlsEx, TakesOnlyTheStructureItKnows)
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_PROGRESS_CLASS};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    init.dwSize = sizeof init - 1;
    EXPECT_FALSE(InitCommonControlsEx(&init));
}

/* A page template that names the class finds it without InitCommonControls in the program. */
TEST(ProgressInPage, TemplateControlIsAProgressBar)
{
    WizardDriver wizard;
    wizard.startPage = 1;
    char className[64] = "";
    LRESULT before = -1;
    wizard.steps = {[&](HWND sheet) {
        HWND page = (HWND)SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        HWND bar = GetDlgItem(page, 1021);
        GetClassNameA(bar, className, sizeof className);
        SendMessageA(bar, PBM_DELTAPOS, 30, 0);
        before = SendMessageA(bar, PBM_DELTAPOS, 5, 0);
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }};
    wizard.Run();
    EXPECT_STREQ(PROGRESS_CLASSA, className);
    EXPECT_EQ(30, before);
}

} // namespace

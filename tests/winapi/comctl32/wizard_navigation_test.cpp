/* Moving through the wizard: which pages exist, what they are told, and how their answers
 * steer the sheet. */
#include "wizard_driver.h"

#include <gtest/gtest.h>

namespace {

typedef std::vector<std::string> Log;

void Press(HWND sheet, int button)
{
    SendMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

HWND PageWindow(HWND sheet, int index)
{
    return (HWND)SendMessageA(sheet, PSM_INDEXTOHWND, index, 0);
}

TEST(WizardNavigation, PagesAreCreatedWhenFirstShownAndToldInOrder)
{
    WizardDriver wizard;
    wizard.steps = {
        [&](HWND sheet) {
            EXPECT_EQ(0, WizardDriver::CurrentPage(sheet));
            EXPECT_EQ(NULL, PageWindow(sheet, 1));
            EXPECT_EQ(NULL, PageWindow(sheet, 2));
            EXPECT_EQ(NULL, PageWindow(sheet, 3));
            HWND first = PageWindow(sheet, 0);
            EXPECT_EQ(sheet, GetParent(first));
            EXPECT_TRUE(IsWindowVisible(first));
            /* The page's procedure gets the sheet's own copy of its PROPSHEETPAGEA. */
            ASSERT_NE(nullptr, wizard.initParam[0]);
            EXPECT_NE(&wizard.psp[0], wizard.initParam[0]);
            EXPECT_EQ(0, wizard.initParam[0]->lParam);
            EXPECT_EQ(sizeof(PROPSHEETPAGEA), wizard.initParam[0]->dwSize);
            Press(sheet, PSBTN_NEXT);
        },
        [](HWND sheet) {
            EXPECT_FALSE(IsWindowVisible(PageWindow(sheet, 0)));
            EXPECT_TRUE(IsWindowVisible(PageWindow(sheet, 1)));
            Press(sheet, PSBTN_NEXT);
        },
        [](HWND sheet) { Press(sheet, PSBTN_BACK); },
        [](HWND sheet) {
            EXPECT_EQ(1, WizardDriver::CurrentPage(sheet));
            Press(sheet, PSBTN_FINISH);
        },
    };

    EXPECT_EQ(1, wizard.Run());
    EXPECT_EQ((Log{"0:INIT", "0:SETACTIVE",
                   "0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE",
                   "1:WIZNEXT", "1:KILLACTIVE", "2:INIT", "2:SETACTIVE",
                   "2:WIZBACK", "2:KILLACTIVE", "1:SETACTIVE",
                   "1:WIZFINISH",
                   "0:DESTROY", "1:DESTROY", "2:DESTROY"}),
              wizard.log);
}

/* One press of a wizard button and the pages' answers: where the wizard stands afterwards and
 * what the pages were told on the way. */
struct MoveCase {
    const char *name;
    UINT startPage;
    int button;
    int answeringPage;
    UINT notification;
    LRESULT answer;
    int expectedPage;
    Log expectedLog; /* after the start page's activation */
};

TEST(WizardNavigation, PagesAnswersSteerTheMove)
{
    const MoveCase cases[] = {
        {"next to the neighbour", 0, PSBTN_NEXT, 0, PSN_WIZNEXT, 0, 1,
         {"0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE"}},
        {"next answered -1 stays", 0, PSBTN_NEXT, 0, PSN_WIZNEXT, -1, 0, {"0:WIZNEXT"}},
        {"next answered with a template id jumps there", 0, PSBTN_NEXT, 0, PSN_WIZNEXT,
         THIRD_PAGE_ID, 2, {"0:WIZNEXT", "0:KILLACTIVE", "2:INIT", "2:SETACTIVE"}},
        {"next with an unknown id stays", 0, PSBTN_NEXT, 0, PSN_WIZNEXT, 4242, 0,
         {"0:WIZNEXT"}},
        {"leaving refused", 0, PSBTN_NEXT, 0, PSN_KILLACTIVE, TRUE, 0,
         {"0:WIZNEXT", "0:KILLACTIVE"}},
        {"activation refused skips onwards", 0, PSBTN_NEXT, 1, PSN_SETACTIVE, -1, 2,
         {"0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE", "2:INIT", "2:SETACTIVE"}},
        {"activation redirected by id", 0, PSBTN_NEXT, 1, PSN_SETACTIVE, THIRD_PAGE_ID, 2,
         {"0:WIZNEXT", "0:KILLACTIVE", "1:INIT", "1:SETACTIVE", "2:INIT", "2:SETACTIVE"}},
        {"next on the last page stays", 2, PSBTN_NEXT, 2, PSN_WIZNEXT, 0, 2, {"2:WIZNEXT"}},
        {"back to the neighbour", 2, PSBTN_BACK, 2, PSN_WIZBACK, 0, 1,
         {"2:WIZBACK", "2:KILLACTIVE", "1:INIT", "1:SETACTIVE"}},
        {"back answered -1 stays", 2, PSBTN_BACK, 2, PSN_WIZBACK, -1, 2, {"2:WIZBACK"}},
        {"activation refused going back skips backwards", 2, PSBTN_BACK, 1, PSN_SETACTIVE, -1,
         0, {"2:WIZBACK", "2:KILLACTIVE", "1:INIT", "1:SETACTIVE", "0:INIT", "0:SETACTIVE"}},
        {"back on the first page stays", 0, PSBTN_BACK, 0, PSN_WIZBACK, 0, 0, {"0:WIZBACK"}},
    };
    for (const MoveCase &c : cases) {
        SCOPED_TRACE(c.name);
        WizardDriver wizard;
        wizard.startPage = c.startPage;
        wizard.pages[c.answeringPage].answers[c.notification] = {c.answer};
        Log seen;
        int page = -1;
        wizard.steps = {
            [&](HWND sheet) {
                wizard.log.clear();
                Press(sheet, c.button);
            },
            [&](HWND sheet) {
                seen = wizard.log;
                page = WizardDriver::CurrentPage(sheet);
                Press(sheet, PSBTN_CANCEL);
            },
        };
        EXPECT_EQ(0, wizard.Run());
        EXPECT_EQ(c.expectedPage, page);
        EXPECT_EQ(c.expectedLog, seen);
    }
}

TEST(WizardNavigation, StartPageIsTheFirstShownAndCreated)
{
    WizardDriver wizard;
    wizard.startPage = 1;
    wizard.steps = {[](HWND sheet) {
        EXPECT_EQ(1, WizardDriver::CurrentPage(sheet));
        EXPECT_EQ(NULL, PageWindow(sheet, 0));
        Press(sheet, PSBTN_CANCEL);
    }};
    EXPECT_EQ(0, wizard.Run());
    EXPECT_EQ((Log{"1:INIT", "1:SETACTIVE", "1:QUERYCANCEL", "1:RESET", "1:DESTROY"}),
              wizard.log);
}

TEST(WizardNavigation, PageWhoseTemplateIsMissingIsLeftOut)
{
    WizardDriver wizard;
    wizard.thirdTemplate = MAKEINTRESOURCEA(999);
    wizard.startPage = 1;
    wizard.steps = {
        [&](HWND sheet) {
            wizard.log.clear();
            Press(sheet, PSBTN_NEXT);
        },
        [&](HWND sheet) {
            EXPECT_EQ((Log{"1:WIZNEXT"}), wizard.log);
            EXPECT_EQ(1, WizardDriver::CurrentPage(sheet));
            Press(sheet, PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(0, wizard.Run());
}

TEST(WizardNavigation, PageQueriesAnswerForUnknownPages)
{
    WizardDriver wizard;
    wizard.steps = {[](HWND sheet) {
        HWND first = PageWindow(sheet, 0);
        EXPECT_EQ(first, (HWND)SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        EXPECT_EQ(0, SendMessageA(sheet, PSM_HWNDTOINDEX, (WPARAM)first, 0));
        EXPECT_EQ(-1, SendMessageA(sheet, PSM_HWNDTOINDEX, (WPARAM)sheet, 0));
        EXPECT_EQ(NULL, PageWindow(sheet, -1));
        Press(sheet, PSBTN_CANCEL);
    }};
    wizard.Run();
}

TEST(WizardNavigation, SetCurSelAsksTheActivePageFirst)
{
    WizardDriver wizard;
    wizard.pages[0].answers[PSN_KILLACTIVE] = {TRUE, FALSE};
    wizard.steps = {
        [](HWND sheet) {
            EXPECT_EQ(FALSE, SendMessageA(sheet, PSM_SETCURSEL, 2, 0));
            EXPECT_EQ(0, WizardDriver::CurrentPage(sheet));
            EXPECT_EQ(TRUE, SendMessageA(sheet, PSM_SETCURSEL, 2, 0));
            EXPECT_EQ(2, WizardDriver::CurrentPage(sheet));
            Press(sheet, PSBTN_CANCEL);
        },
    };
    wizard.Run();
}

} // namespace

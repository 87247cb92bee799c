/* The wizard's frame: its buttons, its title, its result and its owner. */
#include "wizard_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

typedef std::vector<std::string> Log;

void Press(HWND sheet, int button)
{
    SendMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

int DefaultButton(HWND sheet)
{
    return LOWORD(SendMessageA(sheet, DM_GETDEFID, 0, 0));
}

TEST(WizardButtons, PostedButtonsChangeOnlyAfterTheActivationReturns)
{
    WizardDriver wizard;
    wizard.pages[0].postButtons = PSWIZB_NEXT;
    wizard.pages[1].postButtons = PSWIZB_BACK | PSWIZB_FINISH;
    wizard.steps = {
        [](HWND sheet) {
            EXPECT_EQ("next cancel", WizardDriver::Usable(sheet));
            Press(sheet, PSBTN_NEXT);
        },
        [&](HWND sheet) {
            EXPECT_EQ("next cancel", wizard.buttonsOnActivation[1]);
            EXPECT_EQ("back finish cancel", WizardDriver::Usable(sheet));
            Press(sheet, PSBTN_CANCEL);
        },
    };
    wizard.Run();
}

TEST(WizardButtons, FlagsChooseShownEnabledAndDefaultButtons)
{
    const struct {
        DWORD flags;
        const char *shown;
        const char *usable;
        int defaultButton;
    } cases[] = {
        {PSWIZB_NEXT, "back next cancel", "next cancel", NEXT_BUTTON},
        {PSWIZB_BACK | PSWIZB_NEXT, "back next cancel", "back next cancel", NEXT_BUTTON},
        {PSWIZB_BACK, "back next cancel", "back cancel", BACK_BUTTON},
        {PSWIZB_FINISH, "back finish cancel", "finish cancel", FINISH_BUTTON},
        {PSWIZB_BACK | PSWIZB_FINISH, "back finish cancel", "back finish cancel", FINISH_BUTTON},
        {PSWIZB_BACK | PSWIZB_DISABLEDFINISH, "back finish cancel", "back cancel", BACK_BUTTON},
        {PSWIZB_NEXT | PSWIZB_FINISH, "back finish cancel", "finish cancel", FINISH_BUTTON},
        {0, "back next cancel", "cancel", IDCANCEL},
    };
    WizardDriver wizard;
    for (const auto &c : cases) {
        wizard.steps.push_back([&c](HWND sheet) {
            SCOPED_TRACE(c.flags);
            SendMessageA(sheet, PSM_SETWIZBUTTONS, 0, c.flags);
            EXPECT_EQ(c.shown, WizardDriver::Shown(sheet));
            EXPECT_EQ(c.usable, WizardDriver::Usable(sheet));
            EXPECT_EQ(c.defaultButton, DefaultButton(sheet));
        });
    }
    wizard.steps.push_back([](HWND sheet) { Press(sheet, PSBTN_CANCEL); });
    wizard.Run();
}

TEST(WizardButtons, ButtonTexts)
{
    const struct {
        int id;
        const char *text;
    } buttons[] = {{BACK_BUTTON, "< &Back"}, {NEXT_BUTTON, "&Next >"},
                   {FINISH_BUTTON, "Finish"}, {IDCANCEL, "Cancel"}, {HELP_BUTTON, "Help"}};
    WizardDriver wizard;
    wizard.steps = {[&](HWND sheet) {
        for (const auto &button : buttons) {
            char text[64] = "";
            GetWindowTextA(GetDlgItem(sheet, button.id), text, sizeof text);
            EXPECT_STREQ(button.text, text);
        }
        char className[64] = "";
        GetClassNameA(sheet, className, sizeof className);
        EXPECT_STREQ("#32770", className);
        Press(sheet, PSBTN_CANCEL);
    }};
    wizard.Run();
}

/* Help shows when the sheet or any page asks for it, and works on the pages that do. */
TEST(WizardButtons, HelpOnlyWhenAskedFor)
{
    const struct {
        const char *name;
        DWORD sheetFlags;
        DWORD secondPageFlags;
        const char *firstPage;
        const char *secondPage;
    } cases[] = {
        {"no help", 0, 0, "back next cancel", "back next cancel"},
        {"sheet help", PSH_HASHELP, 0, "back next cancel", "back next cancel"},
        {"page help", 0, PSP_HASHELP, "back next cancel", "back next cancel help"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        WizardDriver wizard;
        wizard.sheetFlags |= c.sheetFlags;
        wizard.pages[1].flags = c.secondPageFlags;
        bool helpShown = c.sheetFlags || c.secondPageFlags;
        wizard.steps = {
            [&](HWND sheet) {
                EXPECT_EQ(helpShown, WizardDriver::Shown(sheet).find("help") != std::string::npos);
                EXPECT_EQ(c.firstPage, WizardDriver::Usable(sheet));
                Press(sheet, PSBTN_NEXT);
            },
            [&](HWND sheet) {
                EXPECT_EQ(c.secondPage, WizardDriver::Usable(sheet));
                Press(sheet, PSBTN_HELP);
                Press(sheet, PSBTN_CANCEL);
            },
        };
        wizard.Run();
        /* PSN_HELP goes to the page whatever the button shows. */
        EXPECT_NE(wizard.log.end(), std::find(wizard.log.begin(), wizard.log.end(), "1:HELP"));
    }
}

/* The copy page presses Next while it keeps every button disabled. */
TEST(WizardButtons, PressButtonActsWhateverTheButtonsState)
{
    WizardDriver wizard;
    wizard.steps = {
        [](HWND sheet) {
            SendMessageA(sheet, PSM_SETWIZBUTTONS, 0, 0);
            EnableWindow(GetDlgItem(sheet, IDCANCEL), FALSE);
            Press(sheet, PSBTN_NEXT);
            EXPECT_EQ(1, WizardDriver::CurrentPage(sheet));
            Press(sheet, PSBTN_FINISH);
        },
    };
    EXPECT_EQ(1, wizard.Run());
}

TEST(WizardTitle, EachPageTitlesTheSheetInWizardMode)
{
    WizardDriver wizard;
    wizard.pages[1].flags = PSP_USETITLE;
    wizard.pages[1].title = "Own Title";
    wizard.pages[2].flags = PSP_USETITLE;
    wizard.pages[2].title = MAKEINTRESOURCEA(STRING_TITLE_ID);
    std::vector<std::string> titles;
    auto next = [&](HWND sheet) {
        titles.push_back(WizardDriver::Title(sheet));
        Press(sheet, PSBTN_NEXT);
    };
    wizard.steps = {
        next,
        next,
        [&](HWND sheet) {
            titles.push_back(WizardDriver::Title(sheet));
            SendMessageA(sheet, PSM_SETTITLEA, 0, (LPARAM) "Set By Message");
            titles.push_back(WizardDriver::Title(sheet));
            Press(sheet, PSBTN_BACK);
        },
        [&](HWND sheet) {
            titles.push_back(WizardDriver::Title(sheet));
            Press(sheet, PSBTN_CANCEL);
        },
    };
    wizard.Run();
    /* The header's caption ("Sheet Caption") is not shown by a wizard. */
    EXPECT_EQ((std::vector<std::string>{"First", "Own Title", "Title From Strings",
                                        "Set By Message", "Own Title"}),
              titles);
}

TEST(WizardTitle, TitleFromAMissingStringFallsBackToTheTemplate)
{
    WizardDriver wizard;
    wizard.startPage = 2;
    wizard.pages[2].flags = PSP_USETITLE;
    wizard.pages[2].title = MAKEINTRESOURCEA(999);
    std::string title;
    wizard.steps = {[&](HWND sheet) {
        title = WizardDriver::Title(sheet);
        Press(sheet, PSBTN_CANCEL);
    }};
    wizard.Run();
    EXPECT_EQ("Third", title);
}

/* An extended template serves as well: its caption titles the sheet, its controls are there,
 * and the page is a borderless child even though the template asks for a caption. */
TEST(WizardTitle, ExtendedTemplatePage)
{
    WizardDriver wizard;
    wizard.thirdTemplate = MAKEINTRESOURCEA(EXTENDED_PAGE_ID);
    wizard.startPage = 2;
    wizard.steps = {[](HWND sheet) {
        EXPECT_EQ("Extended", WizardDriver::Title(sheet));
        HWND page = (HWND)SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        EXPECT_TRUE(GetDlgItem(page, 1005));
        DWORD style = (DWORD)GetWindowLongA(page, GWL_STYLE);
        EXPECT_EQ((DWORD)WS_CHILD, style & (WS_CHILD | WS_POPUP));
        EXPECT_EQ(0u, style & (WS_CAPTION | WS_DISABLED));
        Press(sheet, PSBTN_CANCEL);
    }};
    wizard.Run();
}

TEST(WizardEnd, FinishEndsWithOneUnlessThePageRefuses)
{
    WizardDriver wizard;
    wizard.pages[0].answers[PSN_WIZFINISH] = {TRUE, 0};
    wizard.steps = {
        [](HWND sheet) { Press(sheet, PSBTN_FINISH); },
        [](HWND sheet) {
            EXPECT_EQ(0, WizardDriver::CurrentPage(sheet));
            Press(sheet, PSBTN_FINISH);
        },
    };
    EXPECT_EQ(1, wizard.Run());
    EXPECT_EQ((Log{"0:INIT", "0:SETACTIVE", "0:WIZFINISH", "0:WIZFINISH", "0:DESTROY"}),
              wizard.log);
}

TEST(WizardEnd, CancelAsksTheActivePageThenResetsEveryCreatedPage)
{
    WizardDriver wizard;
    wizard.pages[1].answers[PSN_QUERYCANCEL] = {TRUE, FALSE};
    wizard.steps = {
        [](HWND sheet) { Press(sheet, PSBTN_NEXT); },
        [&](HWND sheet) {
            wizard.log.clear();
            Press(sheet, PSBTN_CANCEL);
        },
        [](HWND sheet) {
            EXPECT_EQ(1, WizardDriver::CurrentPage(sheet));
            Press(sheet, PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(0, wizard.Run());
    EXPECT_EQ((Log{"1:QUERYCANCEL", "1:QUERYCANCEL", "0:RESET", "1:RESET", "0:DESTROY",
                   "1:DESTROY"}),
              wizard.log);
}

TEST(WizardEnd, EnterPressesTheDefaultButtonAndEscapeCancels)
{
    WizardDriver wizard;
    wizard.pages[1].postButtons = PSWIZB_BACK | PSWIZB_FINISH;
    wizard.pages[1].answers[PSN_QUERYCANCEL] = {TRUE};
    auto key = [](HWND sheet, WPARAM vk) {
        HWND focus = GetFocus();
        PostMessageA(focus ? focus : sheet, WM_KEYDOWN, vk, 1);
    };
    wizard.steps = {
        [&](HWND sheet) { key(sheet, VK_RETURN); },
        [&](HWND sheet) {
            EXPECT_EQ(1, WizardDriver::CurrentPage(sheet));
            key(sheet, VK_ESCAPE);
        },
        [&](HWND sheet) {
            EXPECT_EQ(1, WizardDriver::CurrentPage(sheet));
            key(sheet, VK_RETURN);
        },
    };
    EXPECT_EQ(1, wizard.Run());
    EXPECT_EQ((Log{"0:INIT", "0:SETACTIVE", "0:WIZNEXT", "0:KILLACTIVE", "1:INIT",
                   "1:SETACTIVE", "1:QUERYCANCEL", "1:WIZFINISH", "0:DESTROY", "1:DESTROY"}),
              wizard.log);
}

TEST(WizardEnd, OwnerIsDisabledWhileTheWizardRuns)
{
    WizardDriver wizard;
    wizard.owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, NULL,
                                   NULL, NULL, NULL);
    ASSERT_TRUE(wizard.owner);
    BOOL enabledDuring = TRUE;
    wizard.steps = {[&](HWND sheet) {
        enabledDuring = IsWindowEnabled(wizard.owner);
        Press(sheet, PSBTN_CANCEL);
    }};
    EXPECT_EQ(0, wizard.Run());
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(wizard.owner));
    DestroyWindow(wizard.owner);
}

} // namespace

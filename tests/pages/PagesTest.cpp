// The pages' own behaviour in the real wizard, where a scenario cannot look: the text the
// licence box really holds, the install state, forced disk answers, the done page's game start.
#include <gtest/gtest.h>

#include <commctrl.h>
#include <stdlib.h>
#include <string.h>
#include <memory>
#include <string>
#include <vector>

#include <afxwin.h>
#include <winapi_linux.h>

#include "../common/file_size_limit.h"
#include "DonePage.h"
#include "SetupSheet.h"
#include "WizardScript.h"
#include "resource.h"

namespace {

const int WELCOME = 0, LICENSE = 1, DIRECTORY = 2, ICONS = 3, EMAIL = 4, READY = 5;

class PagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/fvp-pages.XXXXXX";
        m_prefix = mkdtemp(pattern);
        setenv("WINEPREFIX", m_prefix.c_str(), 1);
        SetCurrentDirectoryA("C:\\");
    }
    void TearDown() override
    {
        WinapiClearDiskFreeSpaceOverrides();
        std::string command = "rm -rf '" + m_prefix + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    std::string Host(const std::string& relative) const { return m_prefix + "/" + relative; }

    std::string m_prefix;
};

std::string ControlText(CSetupSheet& sheet, int id)
{
    HWND hwnd = GetDlgItem(CurrentPageWindow(sheet), id);
    std::string text(GetWindowTextLengthA(hwnd) + 1, '\0');
    text.resize(GetWindowTextA(hwnd, &text[0], (int)text.size()));
    return text;
}

// The agreement's fixed form: lines ended by CR CR LF, the last one empty.
void ExpectAgreementForm(const std::string& text)
{
    EXPECT_EQ(text.size(), 6937u);
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find("\r\r\n", start)) != std::string::npos)
    {
        lines.push_back(text.substr(start, end - start));
        start = end + 3;
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    ASSERT_EQ(lines.size(), 142u);
    EXPECT_EQ(lines.front(), std::string(64, '='));
    EXPECT_EQ(lines.back(), "");
    size_t longest = 0, linesWithTabs = 0;
    for (const std::string& line : lines)
    {
        longest = std::max(longest, line.size());
        size_t tabs = 0;
        for (char c : line)
        {
            EXPECT_TRUE(c == '\t' || (c >= 0x20 && c < 0x7F)) << "control character in: " << line;
            tabs += c == '\t';
        }
        if (tabs > 0)
        {
            linesWithTabs++;
            EXPECT_EQ(tabs, 3u);
        }
    }
    EXPECT_EQ(longest, 255u);
    EXPECT_EQ(linesWithTabs, 1u);
}

TEST_F(PagesTest, LicenceBoxHoldsTheWholeAgreementAfterBackAndNext)
{
    std::string first, again;
    LONG style = 0;
    WizardRun run = RunWizardScript({
        Press(PSBTN_NEXT), WaitForPage(LICENSE),
        Do([&](CSetupSheet& sheet) {
            first = ControlText(sheet, IDC_LICENSE);
            style = GetWindowLongA(GetDlgItem(CurrentPageWindow(sheet), IDC_LICENSE), GWL_STYLE);
        }),
        Press(PSBTN_BACK), WaitForPage(WELCOME), Press(PSBTN_NEXT), WaitForPage(LICENSE),
        Do([&](CSetupSheet& sheet) { again = ControlText(sheet, IDC_LICENSE); }),
        Press(PSBTN_CANCEL),
    });
    ASSERT_TRUE(run.finished) << run.stuckAt;
    ExpectAgreementForm(first);
    EXPECT_EQ(again, first);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_MULTILINE);
}

// The free-space test on the root of the typed folder, with the drive's answer forced.
struct FreeSpaceCase
{
    ULONGLONG freeBytes;
    bool accepted;
};

TEST_F(PagesTest, FreeSpaceOfTheRootDecidesWithItsMessage)
{
    const ULONGLONG GiB = 1024ull * 1024 * 1024;
    const FreeSpaceCase cases[] = {{0, false}, {4 * GiB, true}, {8 * GiB, true}, {12 * GiB, true}};
    for (const FreeSpaceCase& c : cases)
    {
        ASSERT_TRUE(WinapiSetDiskFreeSpaceOverride('C', c.freeBytes, 64 * GiB));
        std::vector<std::string> messages;
        std::string stored;
        std::vector<WizardStep> steps = {Press(PSBTN_NEXT), WaitForPage(LICENSE), Press(PSBTN_NEXT),
                                         WaitForPage(DIRECTORY), Press(PSBTN_NEXT)};
        if (c.accepted)
            steps.push_back(WaitForPage(ICONS));
        else
            steps.push_back(AnswerMessage(&messages));
        steps.push_back(WaitForPage(c.accepted ? ICONS : DIRECTORY));
        steps.push_back(Do([&](CSetupSheet& sheet) { stored = sheet.m_szInstallDir; }));
        steps.push_back(Press(PSBTN_CANCEL));
        WizardRun run = RunWizardScript(steps);

        ASSERT_TRUE(run.finished) << run.stuckAt << " with " << c.freeBytes << " bytes free";
        if (c.accepted)
        {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(stored, "C:\\Fernvale Patience\\");
        }
        else
        {
            EXPECT_EQ(messages, std::vector<std::string>{
                "Drive C:\\ does not have enough free space. \n Clear off some files or choose "
                "another drive."});
            EXPECT_EQ(stored, "");
        }
    }
}

TEST_F(PagesTest, FailedFreeSpaceQueryRefusesTheFolder)
{
    ASSERT_TRUE(WinapiFailDiskFreeSpace('C', ERROR_ACCESS_DENIED));
    std::vector<std::string> messages;
    WizardRun run = RunWizardScript({
        Press(PSBTN_NEXT), WaitForPage(LICENSE), Press(PSBTN_NEXT), WaitForPage(DIRECTORY),
        Press(PSBTN_NEXT), AnswerMessage(&messages), WaitForPage(DIRECTORY), Press(PSBTN_CANCEL),
    });
    ASSERT_TRUE(run.finished) << run.stuckAt;
    EXPECT_EQ(messages, std::vector<std::string>{"Can't create directory."});
    EXPECT_FALSE(GetFileAttributesA("C:\\Fernvale Patience") != INVALID_FILE_ATTRIBUTES);
}

// The page's rewrite stops half-way, as on a full disk: the earlier settings stay whole and
// the wizard goes on.
TEST_F(PagesTest, MailingListRewriteThatCannotFinishLeavesTheEarlierSettings)
{
    std::string earlier = "[Window]\r\nx=12\r\n[Net News]\r\nName=Ann Example\r\nEMail=ann@example.org\r\n"
                          "UserID=u-77\r\n";
    ASSERT_TRUE(CreateDirectoryA("C:\\windows", NULL) || GetLastError() == ERROR_ALREADY_EXISTS);
    FILE* f = fopen(Host("drive_c/windows/fvpat.ini").c_str(), "wb");
    ASSERT_NE(f, (FILE*)NULL);
    fputs(earlier.c_str(), f);
    fclose(f);

    std::unique_ptr<FileSizeLimit> limit;
    WizardRun run = RunWizardScript({
        Press(PSBTN_NEXT), WaitForPage(LICENSE), Press(PSBTN_NEXT), WaitForPage(DIRECTORY),
        Press(PSBTN_NEXT), WaitForPage(ICONS), Press(PSBTN_NEXT), WaitForPage(EMAIL),
        Do([&](CSetupSheet&) { limit.reset(new FileSizeLimit(40)); }), Press(PSBTN_NEXT), WaitForPage(READY),
        Do([&](CSetupSheet&) { limit.reset(); }), Press(PSBTN_CANCEL),
    });
    ASSERT_TRUE(run.finished) << run.stuckAt;
    f = fopen(Host("drive_c/windows/fvpat.ini").c_str(), "rb");
    ASSERT_NE(f, (FILE*)NULL);
    char buffer[400];
    size_t length = fread(buffer, 1, sizeof buffer, f);
    fclose(f);
    EXPECT_EQ(std::string(buffer, length), earlier);
    EXPECT_EQ(GetFileAttributesA("C:\\windows\\fvpat.ini.new"), INVALID_FILE_ATTRIBUTES);
}

// A box with the focus reports the focus bit in its state; only the check state is a choice.
TEST_F(PagesTest, ShortcutChoicesAreZeroOrOneEvenWithTheFocus)
{
    LRESULT focusedState = 0;
    BOOL desktop = -1, group = -1, startMenu = -1;
    WizardRun run = RunWizardScript({
        Press(PSBTN_NEXT), WaitForPage(LICENSE), Press(PSBTN_NEXT), WaitForPage(DIRECTORY),
        Press(PSBTN_NEXT), WaitForPage(ICONS),
        Do([&](CSetupSheet& sheet) {
            HWND page = CurrentPageWindow(sheet);
            SendMessageA(GetDlgItem(page, IDC_STARTMENU_SHORTCUT), BM_SETCHECK, BST_UNCHECKED, 0);
            SetFocus(GetDlgItem(page, IDC_DESKTOP_SHORTCUT));
            focusedState = SendMessageA(GetDlgItem(page, IDC_DESKTOP_SHORTCUT), BM_GETSTATE, 0, 0);
        }),
        Press(PSBTN_NEXT), WaitForPage(ICONS + 1),
        Do([&](CSetupSheet& sheet) {
            desktop = sheet.m_bDesktopShortcut;
            group = sheet.m_bProgramGroup;
            startMenu = sheet.m_bStartMenuShortcut;
        }),
        Press(PSBTN_CANCEL),
    });
    ASSERT_TRUE(run.finished) << run.stuckAt;
    EXPECT_EQ(focusedState & (BST_CHECKED | BST_FOCUS), BST_CHECKED | BST_FOCUS);
    EXPECT_EQ(desktop, 1);
    EXPECT_EQ(group, 1);
    EXPECT_EQ(startMenu, 0);
}

// The shell's folder browser, open over the destination page.
BOOL CALLBACK FindBrowser(HWND hwnd, LPARAM lParam)
{
    char className[16], caption[32];
    GetClassNameA(hwnd, className, sizeof(className));
    GetWindowTextA(hwnd, caption, sizeof(caption));
    if (strcmp(className, "#32770") == 0 && strcmp(caption, "Browse for Folder") == 0 &&
        IsWindowVisible(hwnd))
    {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::string& name)
{
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
    for (HTREEITEM item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent);
         item != NULL; item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item))
    {
        char text[MAX_PATH];
        TVITEMA tvi = {};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = text;
        tvi.cchTextMax = sizeof(text);
        SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tvi);
        if (name == text)
            return item;
    }
    return NULL;
}

// Chooses the item at the end of a path of names from the Desktop, then OK.
WizardStep ChooseInBrowser(std::vector<std::string> names)
{
    return [names](CSetupSheet&) {
        HWND browser = NULL;
        EnumWindows(FindBrowser, reinterpret_cast<LPARAM>(&browser));
        if (browser == NULL)
            return false;
        HWND tree = GetDlgItem(browser, 14145);
        HTREEITEM item = (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        for (const std::string& name : names)
            item = item != NULL ? ChildNamed(tree, item, name) : NULL;
        if (item == NULL)
            return false;
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
        PostMessageA(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
        return true;
    };
}

// Browsing gives the chosen folder with the suffix appended as it stands; Next stores it.
TEST_F(PagesTest, BrowsedFolderGetsTheSuffixAndIsStoredOnNext)
{
    ASSERT_NE(GetFileAttributesA("C:\\"), INVALID_FILE_ATTRIBUTES);  // lays out the prefix
    ASSERT_EQ(system(("mkdir -p '" + Host("drive_d/Games") + "' && ln -s ../drive_d '" +
                      Host("dosdevices/d:") + "'").c_str()),
              0);
    struct Case
    {
        std::vector<std::string> names;
        std::string shown;
        std::string stored;
    } cases[] = {
        {{"My Computer", " (D:)", "Games"}, "D:\\Games\\Fernvale Patience",
         "D:\\Games\\Fernvale Patience\\"},
        {{"My Computer", " (D:)"}, "D:\\\\Fernvale Patience", "D:\\\\Fernvale Patience\\"},
    };
    for (const Case& c : cases)
    {
        std::string shown, stored;
        WizardRun run = RunWizardScript({
            Press(PSBTN_NEXT), WaitForPage(LICENSE), Press(PSBTN_NEXT), WaitForPage(DIRECTORY),
            Do([](CSetupSheet& sheet) {
                PostMessageA(GetDlgItem(CurrentPageWindow(sheet), IDC_BROWSE), BM_CLICK, 0, 0);
            }),
            ChooseInBrowser(c.names),
            [&](CSetupSheet& sheet) {
                shown = ControlText(sheet, IDC_DIR);
                return shown != "C:\\Fernvale Patience\\";
            },
            Press(PSBTN_NEXT), WaitForPage(ICONS),
            Do([&](CSetupSheet& sheet) { stored = sheet.m_szInstallDir; }),
            Press(PSBTN_CANCEL),
        });
        ASSERT_TRUE(run.finished) << run.stuckAt;
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(stored, c.stored);
    }
}

} // namespace

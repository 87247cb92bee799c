// The shortcut functions over the shell: where the links go and what they hold, links
// replaced beside other files, link paths at and past MAX_PATH, and special folders that
// cannot be found.
#include <set>
#include <string>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <winapi_linux.h>

#include "Shortcuts.h"
#include "link_text.h"
#include "test_prefix.h"

namespace {

class ShortcutsTest : public TestPrefix
{
protected:
    void SetUp() override
    {
        TestPrefix::SetUp();
        m_strDesktop = SpecialFolder(CSIDL_DESKTOP);
        m_strPrograms = SpecialFolder(CSIDL_PROGRAMS);
        ASSERT_FALSE(m_strDesktop.empty());
        ASSERT_FALSE(m_strPrograms.empty());
    }
    void TearDown() override
    {
        WinapiRestoreSpecialFolders();
        TestPrefix::TearDown();
    }

    static std::string SpecialFolder(int nFolder)
    {
        LPITEMIDLIST pidl = NULL;
        char szPath[MAX_PATH] = "";
        if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, nFolder, &pidl))) {
            SHGetPathFromIDListA(pidl, szPath);
            ILFree(pidl);
        }
        return szPath;
    }

    // A path on drive C: as the fixture names host files: below C:\, with forward slashes.
    static std::string Relative(const std::string &path)
    {
        std::string relative = path.substr(3);
        for (char &c : relative)
            c = c == '\\' ? '/' : c;
        return relative;
    }

    // The names in a folder (a Windows path); none for a folder that does not exist.
    static std::set<std::string> Names(const std::string &folder)
    {
        std::set<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string name = data.cFileName;
            if (name != "." && name != "..")
                names.insert(name);
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
        return names;
    }

    // What the shell reads back from a link file; FALSE when it cannot load it.
    static bool LoadLink(const std::string &path, LinkText &text)
    {
        CoInitialize(NULL);
        bool bLoaded = SUCCEEDED(ReadLinkText(path.c_str(), 0, text));
        CoUninitialize();
        return bLoaded;
    }

    std::string m_strDesktop, m_strPrograms;
};

const char kDir[] = "C:\\Games\\Fern Patience\\";
const char kGame[] = "C:\\Games\\Fern Patience\\fvpat.exe";

TEST_F(ShortcutsTest, LinksOnTheDesktopInTheProgramsFolderAndInAGroup)
{
    CreateDesktopShortcut("Fernvale Patience Deluxe", kGame, kDir, NULL);
    CreateProgramsShortcut("Fernvale Games", "Uninstall FV Patience Deluxe", kGame, kDir, "/uninstall");
    CreateProgramsShortcut(NULL, "Fernvale Patience Deluxe", kGame, kDir, NULL);

    EXPECT_EQ(Names(m_strDesktop), std::set<std::string>({"Fernvale Patience Deluxe.lnk"}));
    EXPECT_EQ(Names(m_strPrograms), std::set<std::string>({"Fernvale Games", "Fernvale Patience Deluxe.lnk"}));
    const struct {
        std::string link, title, arguments;
    } links[] = {
        {m_strDesktop + "\\Fernvale Patience Deluxe.lnk", "Fernvale Patience Deluxe", ""},
        {m_strPrograms + "\\Fernvale Games\\Uninstall FV Patience Deluxe.lnk", "Uninstall FV Patience Deluxe",
         "/uninstall"},
        {m_strPrograms + "\\Fernvale Patience Deluxe.lnk", "Fernvale Patience Deluxe", ""},
    };
    for (const auto &expected : links) {
        SCOPED_TRACE(expected.link);
        LinkText text;
        ASSERT_TRUE(LoadLink(expected.link, text));
        EXPECT_EQ(text.target, kGame);
        EXPECT_EQ(text.arguments, expected.arguments);
        EXPECT_EQ(text.workdir, kDir);
        EXPECT_EQ(text.description, expected.title);
    }
}

TEST_F(ShortcutsTest, AnEarlierLinkIsReplacedAndOtherFilesStay)
{
    const std::string group = m_strPrograms + "\\Fernvale Games";
    ASSERT_TRUE(CreateDirectoryA(group.c_str(), NULL));
    WriteHostFile(Relative(group + "\\FV Patience Deluxe.lnk"), "an old link");
    WriteHostFile(Relative(group + "\\Other.lnk"), "someone else's link");
    WriteHostFile(Relative(group + "\\notes.txt"), "kept");

    CreateProgramsShortcut("Fernvale Games", "FV Patience Deluxe", kGame, kDir, NULL);

    LinkText text;
    ASSERT_TRUE(LoadLink(group + "\\FV Patience Deluxe.lnk", text));
    EXPECT_EQ(text.target, kGame);
    EXPECT_EQ(Names(group), std::set<std::string>({"FV Patience Deluxe.lnk", "Other.lnk", "notes.txt"}));
    EXPECT_EQ(ReadHostFile(Relative(group + "\\Other.lnk")), "someone else's link");
    EXPECT_EQ(ReadHostFile(Relative(group + "\\notes.txt")), "kept");
}

// A link path is made in MAX_PATH characters: 259 and its NUL fit, longer paths make no
// link at all (not one at a cut name).
TEST_F(ShortcutsTest, LinkPathsUpToMaxPathOnly)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\links", NULL));
    enum Way { Desktop, Group, Direct };
    const struct {
        Way way;
        size_t length;  // of the whole link path
    } cases[] = {{Desktop, 259}, {Desktop, 260}, {Desktop, 261}, {Group, 259},
                 {Group, 260},   {Group, 261},   {Direct, 259},  {Direct, 260}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.way) + " " + std::to_string(c.length));
        const std::string folder = c.way == Desktop ? m_strDesktop
                                 : c.way == Group   ? m_strPrograms + "\\Fernvale Games"
                                                    : std::string("C:\\links");
        const std::string title(c.length - folder.size() - 1 - 4, 'a' + (char)(c.length % 26));
        const std::string link = folder + "\\" + title + ".lnk";
        ASSERT_EQ(link.size(), c.length);
        const std::set<std::string> before = Names(folder);

        if (c.way == Desktop)
            CreateDesktopShortcut(title.c_str(), kGame, kDir, NULL);
        else if (c.way == Group)
            CreateProgramsShortcut("Fernvale Games", title.c_str(), kGame, kDir, NULL);
        else
            CreateShellLink(link.c_str(), title.c_str(), kGame, kDir, NULL);

        std::set<std::string> expected = before;
        if (c.length < MAX_PATH)
            expected.insert(title + ".lnk");
        EXPECT_EQ(Names(folder), expected);
        LinkText text;
        EXPECT_EQ(LoadLink(link, text), c.length < MAX_PATH);
    }
}

TEST_F(ShortcutsTest, NoLinkWhenASpecialFolderCannotBeFound)
{
    ASSERT_TRUE(WinapiHideSpecialFolder(CSIDL_DESKTOP));
    ASSERT_TRUE(WinapiHideSpecialFolder(CSIDL_PROGRAMS));
    const std::set<std::string> rootBefore = Names("C:");

    CreateDesktopShortcut("Fernvale Patience Deluxe", kGame, kDir, NULL);
    CreateProgramsShortcut("Fernvale Games", "FV Patience Deluxe", kGame, kDir, NULL);
    CreateProgramsShortcut(NULL, "Fernvale Patience Deluxe", kGame, kDir, NULL);

    EXPECT_TRUE(Names(m_strDesktop).empty());
    EXPECT_TRUE(Names(m_strPrograms).empty());
    // Nor a link or group folder at the root, where an empty folder path would lead.
    EXPECT_EQ(Names("C:"), rootBefore);
}

}  // namespace

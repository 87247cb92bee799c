// The shell link object: what SetPath answers, links saved and loaded back, the file replaced
// or not written, and the bytes against links saved by Wine 8.
#include <string.h>

#include <fstream>
#include <iterator>
#include <string>

#include <windows.h>
#include <shlobj.h>

#include "link_text.h"
#include "prefix_fixture.h"

namespace {

std::u16string Wide(const char *ansi)
{
    WCHAR buffer[MAX_PATH];
    int count = MultiByteToWideChar(CP_ACP, 0, ansi, -1, buffer, MAX_PATH);
    return count > 0 ? std::u16string(buffer, count - 1) : std::u16string();
}

std::string FileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class LinkTest : public PrefixTest {
protected:
    void SetUp() override
    {
        PrefixTest::SetUp();
        ASSERT_EQ(CoInitialize(NULL), S_OK);
        m_link = NewLink();
        ASSERT_NE(m_link, nullptr);
    }
    void TearDown() override
    {
        if (m_link)
            m_link->Release();
        CoUninitialize();
        PrefixTest::TearDown();
    }

    static IShellLinkA *NewLink()
    {
        IShellLinkA *link = NULL;
        CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (LPVOID *)&link);
        return link;
    }

    static HRESULT SaveLink(IShellLinkA *link, const char *path)
    {
        IPersistFile *file = NULL;
        HRESULT hr = link->QueryInterface(IID_IPersistFile, (LPVOID *)&file);
        if (SUCCEEDED(hr)) {
            hr = file->Save(Wide(path).c_str(), TRUE);
            file->Release();
        }
        return hr;
    }

    IShellLinkA *m_link = nullptr;
};

TEST_F(LinkTest, SetPathTellsWhetherTheTargetExists)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\Game", NULL));
    WriteHostFile(Host("drive_c/Game/play.exe"), "x");
    EXPECT_EQ(m_link->SetPath("C:\\Game\\play.exe"), S_OK);
    EXPECT_EQ(m_link->SetPath("c:\\GAME\\PLAY.EXE"), S_OK);
    EXPECT_EQ(m_link->SetPath("C:\\Game\\absent.exe"), S_FALSE);
    EXPECT_EQ(m_link->SetPath(NULL), E_INVALIDARG);

    // The target is kept as given, and its item list names the same path.
    char path[MAX_PATH];
    EXPECT_EQ(m_link->GetPath(path, MAX_PATH, NULL, 0), S_OK);
    EXPECT_STREQ(path, "C:\\Game\\absent.exe");
    LPITEMIDLIST pidl = NULL;
    ASSERT_EQ(m_link->GetIDList(&pidl), S_OK);
    ASSERT_TRUE(SHGetPathFromIDListA(pidl, path));
    EXPECT_STREQ(path, "C:\\Game\\absent.exe");
    ILFree(pidl);
}

TEST_F(LinkTest, SavedLinkLoadsBackWithAndWithoutArguments)
{
    const struct {
        const char *file, *target, *workdir, *description, *arguments;
    } cases[] = {
        {"C:\\plain.lnk", "C:\\Fern Games\\fvpat.exe", "C:\\Fern Games\\", "Fern Patience", NULL},
        {"C:\\with args.lnk", "C:\\Fern Games\\fvpat.exe", "C:\\Fern Games\\", "Uninstall", "/uninstall"},
        {"C:\\web.lnk", "C:\\Fern Games\\Studio Page.URL", "C:\\Fern Games\\", "Studio web page", NULL},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        IShellLinkA *link = NewLink();
        link->SetPath(c.target);
        link->SetDescription(c.description);
        link->SetWorkingDirectory(c.workdir);
        if (c.arguments)
            link->SetArguments(c.arguments);
        ASSERT_EQ(SaveLink(link, c.file), S_OK);
        link->Release();

        LinkText text;
        ASSERT_EQ(ReadLinkText(c.file, 0, text), S_OK);
        EXPECT_EQ(text.target, c.target);
        EXPECT_EQ(text.arguments, c.arguments ? c.arguments : "");
        EXPECT_EQ(text.workdir, c.workdir);
        EXPECT_EQ(text.description, c.description);
        // Wine's flags: item list, LinkInfo, name, working folder, Unicode, and arguments
        // only when they were set.
        std::string name = std::string(c.file + 3);
        EXPECT_EQ((unsigned char)FileBytes(Host("drive_c/" + name))[0x14], c.arguments ? 0xb7 : 0x97);
    }
}

TEST_F(LinkTest, SaveReplacesAnExistingFileAndFailsWithoutItsFolder)
{
    WriteHostFile(Host("drive_c/old.lnk"), std::string(5000, 'x'));
    m_link->SetPath("C:\\new.exe");
    m_link->SetDescription("new");
    ASSERT_EQ(SaveLink(m_link, "C:\\old.lnk"), S_OK);
    LinkText text;
    ASSERT_EQ(ReadLinkText("C:\\old.lnk", 0, text), S_OK);
    EXPECT_EQ(text.target, "C:\\new.exe");
    EXPECT_LT(FileBytes(Host("drive_c/old.lnk")).size(), 5000u);

    EXPECT_EQ(SaveLink(m_link, "C:\\No Folder\\x.lnk"), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(HostExists(Host("drive_c/No Folder")));
}

TEST_F(LinkTest, LoadRefusesWhatIsNoLink)
{
    WriteHostFile(Host("drive_c/text.lnk"), "not a shell link at all, although long enough for a header of one ...");
    LinkText text;
    EXPECT_EQ(ReadLinkText("C:\\text.lnk", 0, text), E_FAIL);
    EXPECT_EQ(ReadLinkText("C:\\absent.lnk", 0, text), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

TEST_F(LinkTest, LoadsALinkSavedByWine)
{
    WriteHostFile(Host("drive_c/wine.lnk"), FileBytes(WINE_FIXTURES "/wine8-uninstall.lnk"));
    LinkText text;
    ASSERT_EQ(ReadLinkText("C:\\wine.lnk", 0, text), S_OK);
    EXPECT_EQ(text.target, "C:\\X\\fvpat.exe");
    EXPECT_EQ(text.arguments, "/uninstall");
    EXPECT_EQ(text.workdir, "C:\\X\\");
    EXPECT_EQ(text.description, "Uninstall FV Patience Deluxe");
}

// A target whose folders do not exist carries no times from the disk, so the whole file is
// fixed: it must be the very bytes that Wine saved for the same calls.
TEST_F(LinkTest, SavesTheBytesWineSaves)
{
    m_link->SetPath("C:\\No Such Folder\\Deeper\\shop.exe");
    m_link->SetDescription("Not Yet There");
    m_link->SetWorkingDirectory("C:\\No Such Folder\\");
    m_link->SetArguments("-a \"b c\"");
    ASSERT_EQ(SaveLink(m_link, "C:\\ours.lnk"), S_OK);
    EXPECT_EQ(FileBytes(Host("drive_c/ours.lnk")), FileBytes(SHELL32_FIXTURES "/wine8-missing-target.lnk"));
}

}  // namespace

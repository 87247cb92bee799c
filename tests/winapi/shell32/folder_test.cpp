// The desktop and programs folders: where they are in the prefix, made when missing, and the
// seam that makes their lookup fail.
#include <pwd.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include <windows.h>
#include <shlobj.h>
#include <winapi_linux.h>

#include "prefix_fixture.h"

class FolderTest : public PrefixTest {
protected:
    void TearDown() override
    {
        WinapiRestoreSpecialFolders();
        PrefixTest::TearDown();
    }
    // The name of the user's folder: $USER, else the account's name.
    static std::string User()
    {
        if (const char *user = getenv("USER"))
            return user;
        const struct passwd *account = getpwuid(getuid());
        return account ? account->pw_name : "";
    }
};

TEST_F(FolderTest, DesktopAndProgramsAreMadeWhereWineHasThem)
{
    const struct {
        int csidl;
        std::string path;  // below C:\users\<user>
        bool emptyList;    // the desktop is the shell's root
    } folders[] = {
        {CSIDL_DESKTOP, "Desktop", true},
        {CSIDL_PROGRAMS, "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs", false},
    };
    for (const auto &folder : folders) {
        SCOPED_TRACE(folder.path);
        LPITEMIDLIST pidl = NULL;
        ASSERT_EQ(SHGetSpecialFolderLocation(NULL, folder.csidl, &pidl), S_OK);
        ASSERT_NE(pidl, nullptr);
        EXPECT_EQ(pidl->mkid.cb == 0, folder.emptyList);
        char path[MAX_PATH] = "unchanged";
        ASSERT_TRUE(SHGetPathFromIDListA(pidl, path));
        EXPECT_EQ(std::string(path), "C:\\users\\" + User() + "\\" + folder.path);
        ILFree(pidl);
        std::string relative = "drive_c/users/" + User() + "/" + folder.path;
        for (char &c : relative)
            c = c == '\\' ? '/' : c;
        EXPECT_TRUE(HostExists(Host(relative)));
    }
}

TEST_F(FolderTest, OtherFoldersAndHiddenFoldersFail)
{
    LPITEMIDLIST pidl = (LPITEMIDLIST)1;
    EXPECT_EQ(SHGetSpecialFolderLocation(NULL, 0x0005 /* CSIDL_PERSONAL */, &pidl), E_INVALIDARG);
    EXPECT_EQ(pidl, nullptr);

    ASSERT_TRUE(WinapiHideSpecialFolder(CSIDL_PROGRAMS));
    pidl = (LPITEMIDLIST)1;
    EXPECT_EQ(SHGetSpecialFolderLocation(NULL, CSIDL_PROGRAMS, &pidl), E_FAIL);
    EXPECT_EQ(pidl, nullptr);
    ASSERT_EQ(SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOP, &pidl), S_OK);
    ILFree(pidl);

    WinapiRestoreSpecialFolders();
    ASSERT_EQ(SHGetSpecialFolderLocation(NULL, CSIDL_PROGRAMS, &pidl), S_OK);
    ILFree(pidl);
    EXPECT_FALSE(WinapiHideSpecialFolder(0x0005));
}

TEST_F(FolderTest, PathFromListsThatNameNoFolder)
{
    char path[MAX_PATH] = "unchanged";
    EXPECT_FALSE(SHGetPathFromIDListA(NULL, path));
    EXPECT_STREQ(path, "");
    // "My Computer" alone is no file-system folder.
    const unsigned char myComputer[22] = {20, 0, 0x1f, 0, 0xe0, 0x4f, 0xd0, 0x20, 0xea, 0x3a, 0x69,
                                          0x10, 0xa2, 0xd8, 0x08, 0x00, 0x2b, 0x30, 0x30, 0x9d, 0, 0};
    strcpy(path, "unchanged");
    EXPECT_FALSE(SHGetPathFromIDListA((LPCITEMIDLIST)myComputer, path));
    EXPECT_STREQ(path, "");
}

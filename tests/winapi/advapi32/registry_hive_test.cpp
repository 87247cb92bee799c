// Hive files: saved, loaded below a root (changes then go to the hive file), unloaded,
// restored into a key and replaced.
#include <windows.h>

#include <string>

#include "registry_fixture.h"

class RegistryHiveTest : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        HKEY sub;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Saved\\Sub", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &sub,
                                  NULL), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(sub, "inner", 0, REG_SZ, (const BYTE *)"deep", 5), ERROR_SUCCESS);
        RegCloseKey(sub);
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Saved", 0, KEY_ALL_ACCESS, &saved), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(saved, "top", 0, REG_DWORD, (const BYTE *)"\7\0\0\0", 4), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(saved);
        RegistryTest::TearDown();
    }

    static std::string ReadString(HKEY root, const char *path, const char *name)
    {
        HKEY key;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key))
            return "<no key>";
        char text[64] = "";
        DWORD size = sizeof text;
        LONG res = RegQueryValueExA(key, name, NULL, NULL, (BYTE *)text, &size);
        RegCloseKey(key);
        return res ? "<no value>" : text;
    }

    HKEY saved = NULL;
};

TEST_F(RegistryHiveTest, SavedKeyLoadsBelowARootAndWritesToItsOwnFile)
{
    ASSERT_EQ(RegSaveKeyA(saved, Dos("saved.hiv").c_str(), NULL), ERROR_SUCCESS);
    EXPECT_EQ(RegSaveKeyA(saved, Dos("saved.hiv").c_str(), NULL), ERROR_ALREADY_EXISTS);
    std::string hive = ReadHostFile(Host("saved.hiv"));
    EXPECT_EQ(hive.rfind("WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\\\\Software\\\\Saved\n", 0),
              0u);
    EXPECT_NE(hive.find("\n[Sub] "), std::string::npos);

    ASSERT_EQ(RegLoadKeyA(HKEY_LOCAL_MACHINE, "Loaded", Dos("saved.hiv").c_str()), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Loaded\\Sub", "inner"), "deep");
    HKEY loaded;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Loaded\\Sub", 0, KEY_ALL_ACCESS, &loaded), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(loaded, "added", 0, REG_SZ, (const BYTE *)"here", 5), ERROR_SUCCESS);
    EXPECT_NE(ReadHostFile(Host("saved.hiv")).find("\"added\"=\"here\""), std::string::npos);
    EXPECT_EQ(ReadHostFile(Host("system.reg")).find("added"), std::string::npos);
    EXPECT_EQ(ReadHostFile(Host("system.reg")).find("Loaded"), std::string::npos);

    EXPECT_EQ(RegUnLoadKeyA(HKEY_LOCAL_MACHINE, "Loaded"), ERROR_ACCESS_DENIED);   // a handle is open
    RegCloseKey(loaded);
    EXPECT_EQ(RegUnLoadKeyA(HKEY_LOCAL_MACHINE, "loaded"), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "Loaded\\Sub", "inner"), "<no key>");
    EXPECT_EQ(RegUnLoadKeyA(HKEY_LOCAL_MACHINE, "Loaded"), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryHiveTest, LoadRefusesWhatItCannotLoad)
{
    ReplaceHostFile(Host("bad.hiv"), "REGEDIT4\n");
    ASSERT_EQ(RegSaveKeyA(saved, Dos("good.hiv").c_str(), NULL), ERROR_SUCCESS);
    struct {
        HKEY root;
        const char *name;
        std::string file;
        LONG expected;
    } cases[] = {
        {HKEY_LOCAL_MACHINE, "X", Dos("bad.hiv"), ERROR_NOT_REGISTRY_FILE},
        {HKEY_LOCAL_MACHINE, "X", Dos("missing.hiv"), ERROR_FILE_NOT_FOUND},
        {HKEY_CURRENT_USER, "X", Dos("good.hiv"), ERROR_INVALID_PARAMETER},
        {HKEY_LOCAL_MACHINE, "A\\B", Dos("good.hiv"), ERROR_INVALID_PARAMETER},
        {HKEY_LOCAL_MACHINE, "Software", Dos("good.hiv"), ERROR_ALREADY_EXISTS},
        {HKEY_USERS, "Extra", Dos("good.hiv"), ERROR_SUCCESS},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RegLoadKeyA(c.root, c.name, c.file.c_str()), c.expected) << c.name << " " << c.file;
    EXPECT_EQ(ReadString(HKEY_USERS, "Extra\\Sub", "inner"), "deep");
}

TEST_F(RegistryHiveTest, RestoreReplacesTheKeysContents)
{
    ASSERT_EQ(RegSaveKeyA(saved, Dos("saved.hiv").c_str(), NULL), ERROR_SUCCESS);
    HKEY target;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Target\\Old", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &target,
                              NULL), ERROR_SUCCESS);
    RegCloseKey(target);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Target", 0, KEY_ALL_ACCESS, &target), ERROR_SUCCESS);
    ASSERT_EQ(RegRestoreKeyA(target, Dos("saved.hiv").c_str(), 0), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Target\\Sub", "inner"), "deep");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Target\\Old", "x"), "<no key>");
    EXPECT_NE(ReadHostFile(Host("user.reg")).find("[Software\\\\Target\\\\Sub] "), std::string::npos);
    RegCloseKey(target);
}

TEST_F(RegistryHiveTest, ReplaceSwapsTheFileOfALoadedHive)
{
    ASSERT_EQ(RegSaveKeyA(saved, Dos("first.hiv").c_str(), NULL), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(saved, "top", 0, REG_DWORD, (const BYTE *)"\x9\0\0\0", 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSaveKeyA(saved, Dos("second.hiv").c_str(), NULL), ERROR_SUCCESS);
    std::string second = ReadHostFile(Host("second.hiv"));

    ASSERT_EQ(RegLoadKeyA(HKEY_LOCAL_MACHINE, "Hive", Dos("first.hiv").c_str()), ERROR_SUCCESS);
    EXPECT_EQ(RegReplaceKeyA(HKEY_LOCAL_MACHINE, "Software", Dos("second.hiv").c_str(), Dos("old.hiv").c_str()),
              ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegReplaceKeyA(HKEY_LOCAL_MACHINE, "Hive", Dos("second.hiv").c_str(), Dos("old.hiv").c_str()),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFile(Host("first.hiv")), second);

    // The loaded hive goes on in the old file until it is unloaded.
    HKEY hive;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Hive", 0, KEY_ALL_ACCESS, &hive), ERROR_SUCCESS);
    DWORD top = 0, size = 4;
    EXPECT_EQ(RegQueryValueExA(hive, "top", NULL, NULL, (BYTE *)&top, &size), ERROR_SUCCESS);
    EXPECT_EQ(top, 7u);
    ASSERT_EQ(RegSetValueExA(hive, "later", 0, REG_SZ, (const BYTE *)"x", 2), ERROR_SUCCESS);
    RegCloseKey(hive);
    EXPECT_NE(ReadHostFile(Host("old.hiv")).find("\"later\""), std::string::npos);
    EXPECT_EQ(ReadHostFile(Host("first.hiv")), second);

    ASSERT_EQ(RegUnLoadKeyA(HKEY_LOCAL_MACHINE, "Hive"), ERROR_SUCCESS);
    ASSERT_EQ(RegLoadKeyA(HKEY_LOCAL_MACHINE, "Hive", Dos("first.hiv").c_str()), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Hive", 0, KEY_READ, &hive), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(hive, "top", NULL, NULL, (BYTE *)&top, &size), ERROR_SUCCESS);
    EXPECT_EQ(top, 9u);
    RegCloseKey(hive);
}

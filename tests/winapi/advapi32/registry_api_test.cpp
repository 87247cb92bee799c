// Keys and values through the API: names without regard to case, statistics, order, the
// predefined roots that live in the machine's file, security descriptors, notification.
#include <windows.h>

#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "registry_fixture.h"

class RegistryApiTest : public RegistryTest {
protected:
    HKEY MakeKey(HKEY root, const char *path, const char *cls = NULL)
    {
        HKEY key = NULL;
        EXPECT_EQ(RegCreateKeyExA(root, path, 0, (LPSTR)cls, 0, KEY_ALL_ACCESS, NULL, &key, NULL), ERROR_SUCCESS);
        return key;
    }
};

TEST_F(RegistryApiTest, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    HKEY key = MakeKey(HKEY_CURRENT_USER, "Software\\MiXed\\Caf\xc9");
    HKEY same;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\mixed\\caf\xe9", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &same,
                              &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, (DWORD)REG_OPENED_EXISTING_KEY);
    ASSERT_EQ(RegSetValueExA(key, "Name", 0, REG_SZ, (const BYTE *)"one", 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(same, "NAME", 0, REG_SZ, (const BYTE *)"two", 4), ERROR_SUCCESS);

    char name[16];
    DWORD nameLen = sizeof name, valueCount = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &valueCount, NULL, NULL, NULL, NULL),
              ERROR_SUCCESS);
    EXPECT_EQ(valueCount, 1u);
    ASSERT_EQ(RegEnumValueA(key, 0, name, &nameLen, NULL, NULL, NULL, NULL), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Name");

    HKEY parent;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\MIXED", 0, KEY_READ, &parent), ERROR_SUCCESS);
    nameLen = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(parent, 0, name, &nameLen, NULL, NULL, NULL, NULL), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Caf\xc9");
    RegCloseKey(parent);
    RegCloseKey(same);
    RegCloseKey(key);
}

TEST_F(RegistryApiTest, EnumerationIsSortedAsWineSortsIt)
{
    HKEY key = MakeKey(HKEY_CURRENT_USER, "Software\\Order");
    for (const char *name : {"b", "A", "_x", "Z", "a1"}) {
        HKEY sub = MakeKey(key, name);
        RegCloseKey(sub);
        RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)"", 1);
    }
    std::vector<std::string> keys, values;
    char name[16];
    for (DWORD i = 0;; i++) {
        DWORD len = sizeof name;
        if (RegEnumKeyExA(key, i, name, &len, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        keys.push_back(name);
    }
    for (DWORD i = 0;; i++) {
        DWORD len = sizeof name;
        if (RegEnumValueA(key, i, name, &len, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        values.push_back(name);
    }
    std::vector<std::string> expected = {"_x", "A", "a1", "b", "Z"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(values, expected);
    RegCloseKey(key);
}

TEST_F(RegistryApiTest, QueryInfoKeyReportsTheKeysStatistics)
{
    time_t before = time(NULL);
    HKEY key = MakeKey(HKEY_LOCAL_MACHINE, "Software\\Stats");
    HKEY a = MakeKey(key, "Short", "cls");
    HKEY b = MakeKey(key, "LongerName", "a longer class");
    RegSetValueExA(key, "v", 0, REG_SZ, (const BYTE *)"hello", 6);
    RegSetValueExA(key, "longest name", 0, REG_BINARY, (const BYTE *)"12345678", 8);

    DWORD subkeys, maxSub, maxClass, values, maxName, maxData, security;
    FILETIME written;
    ASSERT_EQ(RegQueryInfoKeyA(key, NULL, NULL, NULL, &subkeys, &maxSub, &maxClass, &values, &maxName, &maxData,
                               &security, &written), ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 2u);
    EXPECT_EQ(maxSub, 10u);
    EXPECT_EQ(maxClass, 14u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(maxName, 12u);
    EXPECT_EQ(maxData, 12u);   // "hello" as the registry keeps it: six UTF-16 characters
    EXPECT_EQ(security, 108u);
    ULONGLONG ticks = ((ULONGLONG)written.dwHighDateTime << 32) | written.dwLowDateTime;
    time_t seconds = (time_t)((ticks - 116444736000000000ULL) / 10000000ULL);
    EXPECT_GE(seconds, before);
    EXPECT_LE(seconds, time(NULL));
    RegCloseKey(a);
    RegCloseKey(b);
    RegCloseKey(key);
}

TEST_F(RegistryApiTest, ClassesRootAndCurrentConfigAreKeysOfTheMachine)
{
    HKEY key = MakeKey(HKEY_CLASSES_ROOT, ".fvp");
    RegSetValueExA(key, NULL, 0, REG_SZ, (const BYTE *)"fvpfile", 8);
    RegCloseKey(key);
    HKEY config = MakeKey(HKEY_CURRENT_CONFIG, "Fvp");
    RegCloseKey(config);
    std::string file = ReadHostFile(Host("system.reg"));
    EXPECT_NE(file.find("[Software\\\\Classes\\\\.fvp] "), std::string::npos);
    EXPECT_NE(file.find("\n@=\"fvpfile\"\n"), std::string::npos);
    EXPECT_NE(file.find("[System\\\\CurrentControlSet\\\\Hardware Profiles\\\\Current\\\\Fvp] "), std::string::npos);
}

TEST_F(RegistryApiTest, SecurityDescriptorIsKeptPerKey)
{
    HKEY key = MakeKey(HKEY_LOCAL_MACHINE, "Software\\Secured");
    HKEY other = MakeKey(HKEY_LOCAL_MACHINE, "Software\\Other");
    BYTE sd[256];
    DWORD size = sizeof sd;
    const SECURITY_INFORMATION all = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    ASSERT_EQ(RegGetKeySecurity(key, all, sd, &size), ERROR_SUCCESS);
    ASSERT_EQ(size, 108u);

    // A descriptor whose DACL is present but empty, given for the DACL only.
    BYTE given[28] = {1, 0, 0x04, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 2, 0, 8, 0, 0, 0, 0, 0};
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, given), ERROR_SUCCESS);
    BYTE now[256];
    size = sizeof now;
    ASSERT_EQ(RegGetKeySecurity(key, all, now, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 20u + 16 + 16 + 8);
    EXPECT_EQ(0, memcmp(now + 20, sd + 20, 32));   // owner and group as they were
    EXPECT_EQ(0, memcmp(now + 52, given + 20, 8));
    DWORD otherSize = sizeof now;
    ASSERT_EQ(RegGetKeySecurity(other, all, now, &otherSize), ERROR_SUCCESS);
    EXPECT_EQ(otherSize, 108u);
    size = 0;
    EXPECT_EQ(RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &size, NULL), ERROR_SUCCESS);
    EXPECT_EQ(size, 60u);
    RegCloseKey(other);
    RegCloseKey(key);
}

// Wine leaves this out; Windows reports changes of values below a key watched with its
// subtree.
TEST_F(RegistryApiTest, SubtreeWatchSeesValuesOfSubkeys)
{
    HKEY watched = MakeKey(HKEY_CURRENT_USER, "Software\\Watched");
    HKEY inner = MakeKey(watched, "Inner");
    HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
    ASSERT_EQ(RegNotifyChangeKeyValue(watched, TRUE, REG_NOTIFY_CHANGE_LAST_SET, event, TRUE), ERROR_SUCCESS);
    EXPECT_EQ(WaitForSingleObject(event, 0), (DWORD)WAIT_TIMEOUT);
    RegSetValueExA(inner, "v", 0, REG_SZ, (const BYTE *)"1", 2);
    EXPECT_EQ(WaitForSingleObject(event, 0), (DWORD)WAIT_OBJECT_0);
    CloseHandle(event);
    RegCloseKey(inner);
    RegCloseKey(watched);
}

// A synchronous wait returns once another process has changed the key.
TEST_F(RegistryApiTest, SynchronousWaitEndsWithAnotherProcessesChange)
{
    HKEY key = MakeKey(HKEY_CURRENT_USER, "Software\\Waited");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        usleep(300000);
        HKEY own;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Waited", 0, KEY_ALL_ACCESS, &own) ||
            RegSetValueExA(own, "v", 0, REG_SZ, (const BYTE *)"1", 2))
            _exit(1);
        _exit(0);
    }
    EXPECT_EQ(RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, NULL, FALSE), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "v", NULL, NULL, NULL, NULL), ERROR_SUCCESS);
    int status;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    RegCloseKey(key);
}

TEST_F(RegistryApiTest, VolatileKeysStayOutOfTheFile)
{
    HKEY parent = MakeKey(HKEY_LOCAL_MACHINE, "Software\\Lasting");
    HKEY vol, child;
    ASSERT_EQ(RegCreateKeyExA(parent, "Passing", 0, NULL, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL, &vol, NULL),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(vol, "v", 0, REG_SZ, (const BYTE *)"1", 2), ERROR_SUCCESS);
    EXPECT_EQ(RegCreateKeyExA(vol, "Child", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &child, NULL),
              ERROR_CHILD_MUST_BE_VOLATILE);
    ASSERT_EQ(RegSetValueExA(parent, "w", 0, REG_SZ, (const BYTE *)"2", 2), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(vol, "v", NULL, NULL, NULL, NULL), ERROR_SUCCESS);
    std::string file = ReadHostFile(Host("system.reg"));
    EXPECT_NE(file.find("[Software\\\\Lasting] "), std::string::npos);
    EXPECT_EQ(file.find("Passing"), std::string::npos);
    RegCloseKey(vol);
    RegCloseKey(parent);
}

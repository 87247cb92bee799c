// The registry files: what Wine wrote is read and written back unchanged, and what we write
// reads back, value for value, after the process's cache is gone.
#include <windows.h>

#include <string.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "../../../winapi/advapi32/regfile.h"
#include "registry_fixture.h"

#ifndef FVP_WINE_SYSTEM_REG
#error FVP_WINE_SYSTEM_REG must name the system.reg fixture
#endif

static std::string Fixture()
{
    std::ifstream in(FVP_WINE_SYSTEM_REG, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(RegistryText, WineFileIsWrittenBackByteForByte)
{
    std::string text = Fixture();
    ASSERT_FALSE(text.empty());
    RegKey root;
    RegFileHeader header;
    ASSERT_TRUE(ParseRegistryText(text, root, header));
    EXPECT_EQ(header.relativeTo, "REGISTRY\\\\Machine");
    EXPECT_EQ(header.arch, "win64");
    EXPECT_EQ(FormatRegistryText(root, header), text);
}

TEST(RegistryText, RefusesWhatIsNoRegistryFile)
{
    RegKey root;
    RegFileHeader header;
    EXPECT_FALSE(ParseRegistryText("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\x]\n", root, header));
}

class WineFileTest : public RegistryTest {};

TEST_F(WineFileTest, ValuesOfAWineFileReadThroughTheApi)
{
    ReplaceHostFile(Host("system.reg"), Fixture());
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\BORLAND\\Database Engine\\Settings\\SYSTEM\\INIT", 0,
                            KEY_READ, &key), ERROR_SUCCESS);
    char text[16];
    DWORD size = sizeof text, type;
    EXPECT_EQ(RegQueryValueExA(key, "SharedMemLocation", NULL, &type, (BYTE *)text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "9000");
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    size = sizeof text;
    EXPECT_EQ(RegQueryValueExA(key, "ProgramFilesPath", NULL, &type, (BYTE *)text, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_EXPAND_SZ);
    EXPECT_STREQ(text, "%ProgramFiles%");
    BYTE stamp[4];
    size = sizeof stamp;
    EXPECT_EQ(RegQueryValueExA(key, "FirstInstallDateTime", NULL, &type, stamp, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_BINARY);
    EXPECT_EQ(0, memcmp(stamp, "\x21\x81\x7c\x23", 4));
    RegCloseKey(key);

    // A link key leads to its target: the AppId link names Software\Classes\AppId.
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\Wow6432Node\\AppId", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    HKEY target;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\AppId", 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                              &target, NULL), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(target, "seen", 0, REG_DWORD, (const BYTE *)"\1\0\0\0", 4), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\Wow6432Node\\AppId", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "seen", NULL, NULL, NULL, NULL), ERROR_SUCCESS);
    RegCloseKey(key);
    RegCloseKey(target);

    // Writing keeps every section Wine wrote as it was.
    std::string after = ReadHostFile(Host("system.reg"));
    std::string before = Fixture();
    for (size_t start = 0, end; start < before.size(); start = end + 2) {
        end = before.find("\n\n", start);
        if (end == std::string::npos)
            end = before.size();
        std::string section = before.substr(start, end - start);
        EXPECT_NE(after.find(section), std::string::npos) << section;
    }
}

class ValueFileTest : public RegistryTest {};

// Each type written through the API is in the file as Wine writes it, and reads back the
// same after the process forgets what it cached (a new prefix is looked at in between).
TEST_F(ValueFileTest, EveryTypeRoundTripsThroughTheFile)
{
    std::vector<BYTE> longBinary(100);
    for (size_t i = 0; i < longBinary.size(); i++)
        longBinary[i] = (BYTE)i;
    struct Case {
        const char *name;
        DWORD type;
        std::string data;
        const char *line;   // what the file holds for it
    } cases[] = {
        {"sz", REG_SZ, std::string("hello", 6), "\"sz\"=\"hello\"\n"},
        {"expand", REG_EXPAND_SZ, std::string("%TEMP%\\x", 9), "\"expand\"=str(2):\"%TEMP%\\\\x\"\n"},
        {"multi", REG_MULTI_SZ, std::string("a\0bc\0", 6), "\"multi\"=str(7):\"a\\0bc\\0\"\n"},
        {"dword", REG_DWORD, std::string("\x2a\0\0\0", 4), "\"dword\"=dword:0000002a\n"},
        {"binary", REG_BINARY, std::string("\x01\x02\xff", 3), "\"binary\"=hex:01,02,ff\n"},
        {"qword", REG_QWORD, std::string("\x01\0\0\0\0\0\0\x80", 8), "\"qword\"=hex(b):01,00,00,00,00,00,00,80\n"},
        {"none", REG_NONE, std::string(), "\"none\"=hex(0):\n"},
        {"short dword", REG_DWORD, std::string("\x07\x00", 2), "\"short dword\"=hex(4):07,00\n"},
        {"q\"uote\\d", REG_SZ, std::string("tab\tline\n\xe9t\xe9\x01" "7", 15),
         "\"q\\\"uote\\\\d\"=\"tab\\tline\\n\\xe9t\\xe9\\0017\"\n"},
        {"", REG_SZ, std::string("default", 8), "@=\"default\"\n"},
        {"long", REG_BINARY, std::string(longBinary.begin(), longBinary.end()),
         // as Wine wrote the same value
         "\"long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
         "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\n"
         "  2f,30,31,32,33,34,35,36,37,38,39,3a,3b,3c,3d,3e,3f,40,41,42,43,44,45,46,47,\\\n"
         "  48,49,4a,4b,4c,4d,4e,4f,50,51,52,53,54,55,56,57,58,59,5a,5b,5c,5d,5e,5f,60,\\\n"
         "  61,62,63\n"},
    };

    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Fvp\\Types", 0, (LPSTR) "Kind", 0, KEY_ALL_ACCESS, NULL,
                              &key, NULL), ERROR_SUCCESS);
    for (const Case &c : cases)
        ASSERT_EQ(RegSetValueExA(key, c.name, 0, c.type, (const BYTE *)c.data.data(), (DWORD)c.data.size()),
                  ERROR_SUCCESS) << c.name;
    RegCloseKey(key);

    std::string file = ReadHostFile(Host("user.reg"));
    EXPECT_EQ(file.rfind("WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
                         "#arch=win64\n", 0), 0u);
    EXPECT_NE(file.find("\n[Software\\\\Fvp\\\\Types] "), std::string::npos);
    EXPECT_NE(file.find("\n#class=\"Kind\"\n"), std::string::npos);
    for (const Case &c : cases)
        EXPECT_NE(file.find(c.line), std::string::npos) << c.line;

    // Another prefix in between makes the next look read the files again.
    std::string prefix = getenv("WINEPREFIX");
    setenv("WINEPREFIX", (prefix + "-elsewhere").c_str(), 1);
    HKEY elsewhere;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Fvp\\Types", 0, KEY_READ, &elsewhere), ERROR_FILE_NOT_FOUND);
    setenv("WINEPREFIX", prefix.c_str(), 1);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Fvp\\Types", 0, KEY_READ, &key), ERROR_SUCCESS);
    for (const Case &c : cases) {
        BYTE data[128];
        DWORD size = sizeof data, type = 99;
        ASSERT_EQ(RegQueryValueExA(key, c.name, NULL, &type, data, &size), ERROR_SUCCESS) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(std::string((const char *)data, size), c.data) << c.name;
    }
    char cls[8];
    DWORD clsLen = sizeof cls;
    EXPECT_EQ(RegQueryInfoKeyA(key, cls, &clsLen, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL), ERROR_SUCCESS);
    EXPECT_STREQ(cls, "Kind");
    RegCloseKey(key);
}

TEST_F(ValueFileTest, AChangeAnotherProcessWroteIsSeenAtTheNextCall)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Fvp", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "v", 0, REG_SZ, (const BYTE *)"old", 4), ERROR_SUCCESS);

    std::string file = ReadHostFile(Host("system.reg"));
    size_t at = file.find("\"v\"=\"old\"");
    ASSERT_NE(at, std::string::npos);
    file.replace(at, 9, "\"v\"=\"newer\"\n\"w\"=dword:00000001");
    ReplaceHostFile(Host("system.reg"), file);

    char text[16];
    DWORD size = sizeof text;
    EXPECT_EQ(RegQueryValueExA(key, "v", NULL, NULL, (BYTE *)text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "newer");
    // Our next write keeps what the other process added.
    ASSERT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, (const BYTE *)"x", 2), ERROR_SUCCESS);
    EXPECT_NE(ReadHostFile(Host("system.reg")).find("\"w\"=dword:00000001"), std::string::npos);
    RegCloseKey(key);
}

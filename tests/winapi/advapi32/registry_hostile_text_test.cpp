// Registry files we did not write: a hand-edited or damaged file is read as Wine reads it,
// and what was read survives a rewrite.
#include <windows.h>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "../../../winapi/advapi32/regfile.h"
#include "registry_fixture.h"

static const char kHead[] = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n";

static std::u16string ValueText(const RegValue &value)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < value.data.size(); i += 2)
        text.push_back((char16_t)((unsigned char)value.data[i] | ((unsigned char)value.data[i + 1] << 8)));
    if (!text.empty() && text.back() == 0)
        text.pop_back();
    return text;
}

TEST(RegistryHostileText, AKeyNestedAHundredThousandLevelsReadsAndWritesBack)
{
    const int kDepth = 100000;
    std::string path;
    for (int i = 0; i < kDepth; i++)
        path += i ? "\\\\k" : "k";
    std::string text = std::string(kHead) + "\n[" + path + "] 1700000000\n#time=1da1747c66d0000\n\"v\"=\"deep\"\n";

    RegKey root;
    RegFileHeader header;
    ASSERT_TRUE(ParseRegistryText(text, root, header));
    const RegKey *key = &root;
    for (int i = 0; i < kDepth; i++) {
        ASSERT_EQ(key->subkeys.size(), 1u) << "level " << i;
        key = key->subkeys[0].get();
        ASSERT_EQ(key->name, u"k");
    }
    EXPECT_TRUE(key->subkeys.empty());
    ASSERT_EQ(key->values.size(), 1u);
    EXPECT_EQ(ValueText(key->values[0]), u"deep");
    EXPECT_EQ(FormatRegistryText(root, header), text);
}

TEST(RegistryHostileText, BytesThatAreNoUtf8AreDroppedAsWineDropsThem)
{
    struct Case {
        const char *written;
        std::u16string read;
    } cases[] = {
        {"caf\xe9", u"caf"},                     // a Latin-1 byte: a lead byte without its tail
        {"caf\xe9 au lait", u"caf au lait"},
        {"caf\xc3\xa9", u"caf\u00e9"},          // the same word in UTF-8
        {"\xe2\x82\xac", u"\u20ac"},
        {"\xf0\x9f\x83\x8f", u"\U0001F0CF"},     // past the BMP: a surrogate pair
        {"a\xc0\xaf" "b", u"ab"},                // an overlong slash
        {"a\xed\xa0\x80" "b", u"ab"},            // an encoded surrogate
        {"a\x80" "b", u"ab"},                    // a tail byte without a lead
        {"\xe2\x82", u""},                       // cut before the quote
    };
    for (const Case &c : cases) {
        std::string text = std::string(kHead) + "\n[Key] 0\n\"" + c.written + "\"=\"" + c.written + "\"\n";
        RegKey root;
        RegFileHeader header;
        ASSERT_TRUE(ParseRegistryText(text, root, header));
        ASSERT_EQ(root.subkeys.size(), 1u) << c.written;
        const RegKey &key = *root.subkeys[0];
        ASSERT_EQ(key.values.size(), 1u) << c.written;
        EXPECT_EQ(key.values[0].name, c.read) << c.written;
        EXPECT_EQ(ValueText(key.values[0]), c.read) << c.written;
    }
}

TEST(RegistryHostileText, NamesEndingInNulStayApartFromTheirSiblings)
{
    std::string text = std::string(kHead) + "\n[Key] 0\n\"a\"=\"plain\"\n\"a\\0\"=\"nul\"\n" + "\n[Key\\0] 0\n";
    RegKey root;
    RegFileHeader header;
    ASSERT_TRUE(ParseRegistryText(text, root, header));
    ASSERT_EQ(root.subkeys.size(), 2u);

    RegKey reread;
    ASSERT_TRUE(ParseRegistryText(FormatRegistryText(root, header), reread, header));
    ASSERT_EQ(reread.subkeys.size(), 2u);
    EXPECT_EQ(reread.subkeys[0]->name, u"Key");
    EXPECT_EQ(reread.subkeys[1]->name, std::u16string(u"Key\0", 4));
    const RegKey &key = *reread.subkeys[0];
    ASSERT_EQ(key.values.size(), 2u);
    EXPECT_EQ(key.values[0].name, u"a");
    EXPECT_EQ(ValueText(key.values[0]), u"plain");
    EXPECT_EQ(key.values[1].name, std::u16string(u"a\0", 2));
    EXPECT_EQ(ValueText(key.values[1]), u"nul");
}

TEST(RegistryHostileText, LinesItCannotReadAreWrittenBackWhereTheyStood)
{
    const std::string head = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
                             "stray text\n";
    const std::string good = "\n[Good] 1700000000\n#time=1da1747c66d0000\n";
    const std::string orphans = "[Broken 1700000000\n\"c\"=\"belongs to no key\"\n";
    const std::string next = "\n[Next] 1700000000\n#time=1da1747c66d0000\n\"d\"=dword:00000001\n";
    std::string text = head + good + "\"a\"=garbage\n\"b\"=\"kept\"\n" + orphans + next;

    RegKey root;
    RegFileHeader header;
    ASSERT_TRUE(ParseRegistryText(text, root, header));
    ASSERT_EQ(root.subkeys.size(), 2u);
    // As in Wine: a value whose data cannot be read is empty, and what follows a key header
    // that cannot be read belongs to no key.
    const RegKey &first = *root.subkeys[0];
    ASSERT_EQ(first.values.size(), 2u);
    EXPECT_EQ(first.values[0].name, u"a");
    EXPECT_EQ(first.values[0].type, (DWORD)REG_NONE);
    EXPECT_TRUE(first.values[0].data.empty());
    EXPECT_EQ(ValueText(first.values[1]), u"kept");
    EXPECT_EQ(root.subkeys[1]->values.size(), 1u);

    // The broken value goes before the values, so that a value set later wins when the file
    // is read again; the orphans stay after the key they followed.
    EXPECT_EQ(FormatRegistryText(root, header),
              head + good + "\"a\"=garbage\n\"a\"=hex(0):\n\"b\"=\"kept\"\n" + orphans + next);
}

class HostileFileTest : public RegistryTest {};

TEST_F(HostileFileTest, AWriteThroughTheApiKeepsTheLinesItCouldNotRead)
{
    ReplaceHostFile(Host("system.reg"), std::string("WINE REGISTRY Version 2\n;; All keys relative to "
                                                    "\\\\Machine\n#arch=win64\nstray text\n\n"
                                                    "[Software\\\\Game] 1700000000\n\"a\"=garbage\n"));
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Game", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "b", 0, REG_SZ, (const BYTE *)"new", 4), ERROR_SUCCESS);
    RegCloseKey(key);
    std::string text = ReadHostFile(Host("system.reg"));
    EXPECT_NE(text.find("\nstray text\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n\"a\"=garbage\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n\"b\"=\"new\"\n"), std::string::npos) << text;
}

TEST_F(HostileFileTest, AWaitOnAKeyWithAHundredThousandLevelsBelowItEnds)
{
    std::string path = "Software\\\\Deep";
    for (int i = 0; i < 100000; i++)
        path += "\\\\k";
    ReplaceHostFile(Host("user.reg"), std::string(kHead) + "\n[" + path + "] 1700000000\n\"v\"=\"deep\"\n");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        usleep(300000);
        HKEY own;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &own) ||
            RegSetValueExA(own, "changed", 0, REG_SZ, (const BYTE *)"1", 2))
            _exit(1);
        _exit(0);
    }
    // The wait compares the whole tree below the key before and after.
    EXPECT_EQ(RegNotifyChangeKeyValue(key, TRUE, REG_NOTIFY_CHANGE_LAST_SET, NULL, FALSE), ERROR_SUCCESS);
    int status;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    RegCloseKey(key);
}

// The .reg text of Wine's reg.exe: an export read into keys, and the import that carries
// exactly the difference between two trees.
#include <gtest/gtest.h>

#include <string>

#include "../../../winapi/advapi32/regexport.h"
#include "winreg.h"

namespace {

const std::u16string kRoot = u"HKEY_LOCAL_MACHINE";
const std::u16string kHeader = u"Windows Registry Editor Version 5.00\r\n";

std::string Wide(const std::u16string &text)
{
    std::string data;
    for (char16_t c : text) {
        data.push_back((char)(c & 0xFF));
        data.push_back((char)(c >> 8));
    }
    return data + std::string(2, '\0');
}

RegKey *Path(RegKey &root, std::initializer_list<std::u16string> names)
{
    RegKey *key = &root;
    for (const std::u16string &name : names)
        key = key->AddSubkey(name, 0);
    return key;
}

void Set(RegKey &key, const std::u16string &name, DWORD type, const std::string &data)
{
    size_t index;
    if (RegValue *value = key.FindValue(name, &index))
        *value = RegValue{name, type, data};
    else
        key.values.insert(key.values.begin() + index, RegValue{name, type, data});
}

} // namespace

// An export as reg.exe writes it: every form of data, escapes, a continued hex line, the
// default value, keys on the way to the exported one.
TEST(RegExport, ReadsEveryFormOfAnExport)
{
    std::u16string text = kHeader +
                          u"\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine]\r\n"
                          u"@=\"default\"\r\n"
                          u"\"quote\\\"back\\\\slash\"=\"line\\none\\rtwo\"\r\n"
                          u"\"number\"=dword:0000002a\r\n"
                          u"\"bytes\"=hex:01,02,\\\r\n  ff\r\n"
                          u"\"expand\"=hex(2):25,00,00,00\r\n"
                          u"\"empty\"=hex(0):\r\n"
                          u"\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Sub]\r\n";
    RegKey root;
    ASSERT_TRUE(ParseRegExport(text, kRoot, root));
    RegKey *wine = root.FindSubkey(u"software")->FindSubkey(u"wine");
    ASSERT_NE(wine, nullptr);
    EXPECT_NE(wine->FindSubkey(u"Sub"), nullptr);
    struct Case {
        std::u16string name;
        DWORD type;
        std::string data;
    } cases[] = {
        {u"", REG_SZ, Wide(u"default")},
        {u"quote\"back\\slash", REG_SZ, Wide(u"line\none\rtwo")},
        {u"number", REG_DWORD, std::string("\x2a\0\0\0", 4)},
        {u"bytes", REG_BINARY, "\x01\x02\xff"},
        {u"expand", REG_EXPAND_SZ, std::string("%\0\0\0", 4)},
        {u"empty", REG_NONE, ""},
    };
    EXPECT_EQ(wine->values.size(), sizeof cases / sizeof cases[0]);
    for (const Case &c : cases) {
        const RegValue *value = wine->FindValue(c.name);
        ASSERT_NE(value, nullptr) << (int)c.name.size();
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST(RegExport, RefusesWhatIsNoExportOfTheRoot)
{
    const std::u16string texts[] = {
        u"REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\x]\r\n",
        kHeader + u"\r\n[HKEY_CURRENT_USER\\x]\r\n",
        kHeader + u"\r\n[HKEY_LOCAL_MACHINE\\x]\r\n\"v\"=qword:1\r\n",
        kHeader + u"\"v\"=\"before any key\"\r\n",
    };
    for (const std::u16string &text : texts) {
        RegKey root;
        EXPECT_FALSE(ParseRegExport(text, kRoot, root));
    }
}

// Each change alone, as the import that carries it.
TEST(RegImport, CarriesExactlyTheChanges)
{
    RegKey before;
    RegKey *app = Path(before, {u"Software", u"App"});
    Set(*app, u"kept", REG_SZ, Wide(u"same"));
    Set(*app, u"changed", REG_DWORD, std::string("\1\0\0\0", 4));
    Set(*app, u"gone \"quoted\"", REG_SZ, Wide(u"x"));
    Path(before, {u"Software", u"App", u"Old", u"Below"});
    Path(before, {u"Software", u"Other"});

    RegKey after;
    RegKey *app2 = Path(after, {u"Software", u"App"});
    Set(*app2, u"kept", REG_SZ, Wide(u"same"));
    Set(*app2, u"changed", REG_DWORD, std::string("\2\0\0\0", 4));
    Set(*app2, u"", REG_SZ, Wide(u"C:\\a \"b\""));
    Set(*app2, u"odd", REG_SZ, std::string("a\0b\0", 4));   // no NUL at its end
    Set(*app2, u"list", REG_MULTI_SZ, std::string("a\0\0\0\0\0", 6));
    Set(*app2, u"short", REG_DWORD, "\1");
    Set(*app2, u"raw", REG_BINARY, "\xde\xad");
    Set(*Path(after, {u"Software", u"App", u"New"}), u"n", REG_SZ, Wide(u"1"));
    Path(after, {u"Software", u"Other"});

    EXPECT_EQ(FormatRegImport(before, after, kRoot),
              kHeader +
                  u"\r\n[HKEY_LOCAL_MACHINE\\Software\\App]\r\n"
                  u"@=\"C:\\\\a \\\"b\\\"\"\r\n"
                  u"\"changed\"=dword:00000002\r\n"
                  u"\"list\"=hex(7):61,00,00,00,00,00\r\n"
                  u"\"odd\"=hex(1):61,00,62,00\r\n"
                  u"\"raw\"=hex:de,ad\r\n"
                  u"\"short\"=hex(4):01\r\n"
                  u"\"gone \\\"quoted\\\"\"=-\r\n"
                  u"\r\n[-HKEY_LOCAL_MACHINE\\Software\\App\\Old]\r\n"
                  u"\r\n[HKEY_LOCAL_MACHINE\\Software\\App\\New]\r\n"
                  u"\"n\"=\"1\"\r\n");
    EXPECT_EQ(FormatRegImport(before, before, kRoot), u"");
}

// What the import writes, an export of it reads back the same.
TEST(RegImport, AnExportOfTheImportedKeysReadsBackTheSameValues)
{
    RegKey empty, after;
    RegKey *key = Path(after, {u"Software", u"Round"});
    Set(*key, u"text", REG_SZ, Wide(u"tab\there \\ \"q\" \r\n"));
    Set(*key, u"n", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
    Set(*key, u"b", REG_BINARY, std::string(100, '\x5a'));
    RegKey read;
    ASSERT_TRUE(ParseRegExport(FormatRegImport(empty, after, kRoot), kRoot, read));
    RegKey *round = read.FindSubkey(u"Software")->FindSubkey(u"Round");
    ASSERT_NE(round, nullptr);
    ASSERT_EQ(round->values.size(), key->values.size());
    for (size_t i = 0; i < key->values.size(); i++) {
        EXPECT_EQ(round->values[i].type, key->values[i].type);
        EXPECT_EQ(round->values[i].data, key->values[i].data);
    }
}

TEST(RegExportFile, Utf16BytesWithTheirMarkRoundTrip)
{
    std::u16string text = u"Windows \u00e9\r\n", back;
    std::string bytes = Utf16FileBytes(text);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFEW\0", 4));
    ASSERT_TRUE(TextOfUtf16File(bytes, back));
    EXPECT_EQ(back, text);
    EXPECT_FALSE(TextOfUtf16File("Wi", back));
    EXPECT_FALSE(TextOfUtf16File(bytes.substr(0, 5), back));
}

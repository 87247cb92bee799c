// CRegistry over the registry of a fresh prefix: connecting, keys, the deletion forms,
// typed values and their byte layouts, argument checks, and the virtual routing that the
// typed operations go through.
#include <afxcoll.h>

#include <string.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "Registry.h"
#include "registry_fixture.h"

// The class's working buffers come from new (std::nothrow): made to fail on demand here.
static bool g_bFailNothrowNew = false;

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (g_bFailNothrowNew)
        return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

// Shows what the base class keeps to itself.
class CInspectedRegistry : public CRegistry
{
public:
    HKEY OpenKey() const { return m_hKey; }
    HKEY RootKey() const { return m_hRootKey; }
};

class CRegistryTest : public RegistryTest {
protected:
    static std::string Text(const CString& s) { return std::string((LPCSTR)s, s.GetLength()); }

    // A key path below HKEY_CURRENT_USER with a value, made through the API itself.
    static void MakeKey(const char* path)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "v", 0, REG_SZ, (const BYTE*)"x", 2);
        RegCloseKey(key);
    }
    static bool KeyExists(const char* path)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    static std::string ComputerName()
    {
        char name[MAX_PATH];
        DWORD size = sizeof name;
        return GetComputerNameA(name, &size) ? name : "";
    }
};

TEST_F(CRegistryTest, ConnectCases)
{
    std::string computer = ComputerName();
    ASSERT_FALSE(computer.empty());
    std::string remote = "\\\\" + computer;
    struct {
        HKEY root;
        const char* machine;
        BOOL ok;
        LONG result;
        const char* rootName;
        std::string machineName;
    } cases[] = {
        {HKEY_CURRENT_USER, "anything", FALSE, ERROR_INVALID_HANDLE, "", ""},
        {HKEY_CLASSES_ROOT, "", FALSE, ERROR_INVALID_HANDLE, "", ""},
        {HKEY_CURRENT_USER, NULL, TRUE, ERROR_SUCCESS, "HKEY_CURRENT_USER", computer},
        {HKEY_CLASSES_ROOT, NULL, TRUE, ERROR_SUCCESS, "HKEY_CLASSES_ROOT", computer},
        {HKEY_LOCAL_MACHINE, NULL, TRUE, ERROR_SUCCESS, "HKEY_LOCAL_MACHINE", computer},
        {HKEY_USERS, NULL, TRUE, ERROR_SUCCESS, "HKEY_USERS", computer},
        {HKEY_CURRENT_CONFIG, NULL, TRUE, ERROR_SUCCESS, "HKEY_CURRENT_CONFIG", computer},
        {HKEY_LOCAL_MACHINE, remote.c_str(), TRUE, ERROR_SUCCESS, "HKEY_LOCAL_MACHINE", remote},
        {HKEY_LOCAL_MACHINE, "nosuchmachine-fvp", FALSE, ERROR_BAD_NETPATH, "", ""},
        {(HKEY)(ULONG_PTR)0x1234, NULL, TRUE, ERROR_SUCCESS, "Unknown", computer},
    };
    for (const auto& c : cases) {
        CInspectedRegistry reg;
        SCOPED_TRACE(c.rootName);
        EXPECT_EQ(reg.Connect(c.root, c.machine), c.ok);
        EXPECT_EQ(reg.GetLastResult(), c.result);
        CString root, machine;
        reg.GetRootName(root);
        reg.GetMachineName(machine);
        EXPECT_EQ(Text(root), c.rootName);
        EXPECT_EQ(Text(machine), c.machineName);
        EXPECT_EQ(reg.RootKey(), c.ok ? c.root : (HKEY)NULL);
    }
}

TEST_F(CRegistryTest, TheInstallersUseWritesTheUninstallEntry)
{
    {
        CRegistry reg;
        reg.Connect(HKEY_LOCAL_MACHINE);
        reg.Create("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Fernvale Patience Deluxe", NULL, 0,
                   KEY_ALL_ACCESS, NULL, NULL);
        reg.SetValue("DisplayName", CString("Fernvale Patience Deluxe"));
        EXPECT_TRUE(reg.SetValue("UninstallString", CString("\"C:\\Games\\Patience\\\\fvpat.exe\" /uninstall")));
    }
    std::string file = ReadHostFile(Host("system.reg"));
    EXPECT_NE(file.find("\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Fernvale Patience "
                        "Deluxe] "),
              std::string::npos);
    EXPECT_NE(file.find("\n\"DisplayName\"=\"Fernvale Patience Deluxe\"\n"), std::string::npos);
    EXPECT_NE(file.find("\n\"UninstallString\"=\"\\\"C:\\\\Games\\\\Patience\\\\\\\\fvpat.exe\\\" /uninstall\"\n"),
              std::string::npos);

    // Without a connection the writes fail with the code for a missing handle.
    CRegistry unconnected;
    EXPECT_FALSE(unconnected.Create("Software\\X"));
    EXPECT_FALSE(unconnected.SetValue("DisplayName", CString("x")));
    EXPECT_EQ(unconnected.GetLastResult(), ERROR_INVALID_HANDLE);
}

TEST_F(CRegistryTest, OpenKeepsTheKeyWhenTheStatisticsAreRefused)
{
    MakeKey("Software\\Fvp\\WriteOnly");
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    EXPECT_TRUE(reg.Open("Software\\Fvp\\WriteOnly", KEY_SET_VALUE));
    EXPECT_EQ(reg.GetLastResult(), ERROR_ACCESS_DENIED);
    CString name;
    reg.GetKeyName(name);
    EXPECT_EQ(Text(name), "Software\\Fvp\\WriteOnly");
    EXPECT_TRUE(reg.SetValue("w", CString("written")));

    EXPECT_TRUE(reg.Open("Software\\Fvp\\WriteOnly"));
    EXPECT_EQ(reg.GetLastResult(), ERROR_SUCCESS);
    EXPECT_EQ(reg.GetValueCount(), 2u);
    EXPECT_FALSE(reg.Open("Software\\Fvp\\Missing"));
    EXPECT_EQ(reg.GetLastResult(), ERROR_FILE_NOT_FOUND);
    reg.GetKeyName(name);
    EXPECT_EQ(Text(name), "Software\\Fvp\\WriteOnly");
}

TEST_F(CRegistryTest, CreateClosesTheOpenKeyEvenWhenItFails)
{
    MakeKey("Software\\Fvp\\First");
    CInspectedRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open("Software\\Fvp\\First"));
    HKEY first = reg.OpenKey();
    EXPECT_FALSE(reg.Create("\\Leading\\Backslash"));
    EXPECT_EQ(reg.GetLastResult(), ERROR_BAD_PATHNAME);
    EXPECT_EQ(reg.OpenKey(), (HKEY)NULL);
    EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);   // closed already
    CString value;
    EXPECT_FALSE(reg.GetStringValue("v", value));
    EXPECT_EQ(reg.GetLastResult(), ERROR_INVALID_HANDLE);

    DWORD disposition = 0;
    char cls[] = "Kind";
    ASSERT_TRUE(reg.Create("Software\\Fvp\\Second", cls, 0, KEY_ALL_ACCESS, NULL, &disposition));
    EXPECT_EQ(disposition, (DWORD)REG_CREATED_NEW_KEY);
    EXPECT_EQ(reg.GetSubKeyCount(), 0u);
    EXPECT_TRUE(reg.QueryInfoKey());
    CString keyClass;
    reg.GetKeyClass(keyClass);
    EXPECT_EQ(Text(keyClass), "Kind");
}

TEST_F(CRegistryTest, DeleteKeyForms)
{
    for (const char* path : {"Alpha\\Beta\\One", "Alpha\\Beta\\Two\\Three", "Alpha\\Keep", "Open\\Gamma\\Sub",
                             "Delta\\Sub\\Sub"})
        MakeKey(path);

    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open("Open"));

    // A path: its parent, below the root, becomes the open key.
    EXPECT_TRUE(reg.DeleteKey("Alpha\\Beta"));
    EXPECT_FALSE(KeyExists("Alpha\\Beta"));
    EXPECT_TRUE(KeyExists("Alpha\\Keep"));
    CString name;
    reg.GetKeyName(name);
    EXPECT_EQ(Text(name), "Alpha");

    // A plain name: a subkey of the open key.
    ASSERT_TRUE(reg.Open("Open"));
    EXPECT_TRUE(reg.DeleteKey("Gamma"));
    EXPECT_FALSE(KeyExists("Open\\Gamma"));

    // A leading backslash: the root itself is opened.
    EXPECT_TRUE(reg.DeleteKey("\\Delta"));
    EXPECT_FALSE(KeyExists("Delta"));
    EXPECT_TRUE(KeyExists("Open"));
    reg.GetKeyName(name);
    EXPECT_EQ(Text(name), "");

    // A parent that cannot be opened: the earlier key name comes back, no key is open.
    ASSERT_TRUE(reg.Open("Open"));
    EXPECT_FALSE(reg.DeleteKey("Missing\\Leaf"));
    EXPECT_EQ(reg.GetLastResult(), ERROR_FILE_NOT_FOUND);
    reg.GetKeyName(name);
    EXPECT_EQ(Text(name), "Open");
    EXPECT_FALSE(reg.Flush());
    EXPECT_EQ(reg.GetLastResult(), ERROR_INVALID_HANDLE);
}

// A name whose last part is empty names the parent itself: refused before anything goes.
TEST_F(CRegistryTest, DeleteKeyRefusesAnEmptyLastPart)
{
    for (const char* path : {"Software\\Victim1\\Sub", "Software\\Victim2\\Sub"})
        MakeKey(path);
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    for (const char* name : {"", "Software\\Victim2\\", "\\", "Software\\"}) {
        ASSERT_TRUE(reg.Open("Software\\Victim1"));
        EXPECT_FALSE(reg.DeleteKey(name)) << name;
        EXPECT_EQ(reg.GetLastResult(), ERROR_INVALID_PARAMETER) << name;
        CString keyName;
        reg.GetKeyName(keyName);
        EXPECT_EQ(Text(keyName), "Software\\Victim1") << name << ": the open key changed";
    }
    EXPECT_TRUE(KeyExists("Software\\Victim1\\Sub"));
    EXPECT_TRUE(KeyExists("Software\\Victim2\\Sub"));
}

// Below HKEY_USERS the user hives cannot be deleted: the deletion empties what it can and
// ends with the hive's failure.
TEST_F(CRegistryTest, DeleteKeyTreeEndsAtAKeyThatCannotBeDeleted)
{
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_USERS));
    EXPECT_FALSE(reg.DeleteKey("\\.Default"));
    EXPECT_EQ(reg.GetLastResult(), ERROR_ACCESS_DENIED);
}

TEST_F(CRegistryTest, StringValues)
{
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Create("Software\\Fvp\\Strings"));

    std::string big(2999, 's');
    ASSERT_TRUE(reg.SetValue("big", REG_SZ, (const BYTE*)big.c_str(), 3000));
    CString value("before");
    EXPECT_FALSE(reg.GetStringValue("big", value));
    EXPECT_EQ(reg.GetLastResult(), ERROR_MORE_DATA);
    EXPECT_TRUE(value.IsEmpty());

    std::string fits(2047, 'f');
    ASSERT_TRUE(reg.SetValue("fits", REG_SZ, (const BYTE*)fits.c_str(), 2048));
    EXPECT_TRUE(reg.GetStringValue("fits", value));
    EXPECT_EQ(Text(value), fits);

    ASSERT_TRUE(reg.SetDWordValue("number", 0x00434241));
    EXPECT_TRUE(reg.GetStringValue("number", value));
    EXPECT_EQ(Text(value), "ABC");
    DWORD number = 0;
    EXPECT_TRUE(reg.GetValue("number", number));
    EXPECT_EQ(number, 0x00434241u);

    ASSERT_TRUE(reg.SetStringValue("empty", CString()));
    BYTE data[8];
    DWORD type = REG_NONE, size = sizeof data;
    ASSERT_TRUE(reg.QueryValue("empty", type, data, size));
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(size, 1u);
    EXPECT_EQ(data[0], 0);

    EXPECT_FALSE(reg.GetStringValue("missing", value));
    EXPECT_EQ(reg.GetLastResult(), ERROR_FILE_NOT_FOUND);
}

TEST_F(CRegistryTest, ListAndByteValues)
{
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Create("Software\\Fvp\\Lists"));

    CStringArray strings;
    strings.Add("a");
    strings.Add("bc");
    ASSERT_TRUE(reg.SetValue("list", strings));
    BYTE data[16];
    DWORD type = REG_NONE, size = sizeof data;
    ASSERT_TRUE(reg.QueryValue("list", type, data, size));
    EXPECT_EQ(type, (DWORD)REG_MULTI_SZ);
    EXPECT_EQ(std::string((const char*)data, size), std::string("a\0bc\0\0", 6));

    CStringArray back;
    back.Add("stale");
    ASSERT_TRUE(reg.GetValue("list", back));
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(Text(back[0]), "a");
    EXPECT_EQ(Text(back[1]), "bc");

    ASSERT_TRUE(reg.SetMultiStringValue("none", CStringArray()));
    size = sizeof data;
    ASSERT_TRUE(reg.QueryValue("none", type, data, size));
    EXPECT_EQ(size, 1u);

    CByteArray bytes, read;
    for (BYTE b : {0, 1, 254, 255})
        bytes.Add(b);
    ASSERT_TRUE(reg.SetValue("bytes", bytes));
    read.Add(9);
    ASSERT_TRUE(reg.GetValue("bytes", read));
    ASSERT_EQ(read.GetSize(), 4);
    EXPECT_EQ(read[2], 254);
    EXPECT_FALSE(reg.GetBinaryValue("missing", read));
    EXPECT_EQ(read.GetSize(), 4);   // kept on failure
}

// A working buffer that cannot be had fails the call with a stored code, never with a throw
// and never with 0 (the allocation need not have set a last error). The data stays as it was.
TEST_F(CRegistryTest, BuffersThatCannotBeAllocatedFailWithAStoredCode)
{
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Create("Software\\Fvp\\NoMemory"));
    CByteArray bytes;
    bytes.Add(7);
    CStringArray list;
    list.Add("kept");
    ASSERT_TRUE(reg.SetBinaryValue("bytes", bytes));
    ASSERT_TRUE(reg.SetMultiStringValue("list", list));

    std::vector<std::pair<const char*, std::function<BOOL()>>> calls = {
        {"GetBinaryValue", [&] { return reg.GetBinaryValue("bytes", bytes); }},
        {"GetMultiStringValue", [&] { return reg.GetMultiStringValue("list", list); }},
        {"SetBinaryValue", [&] { return reg.SetBinaryValue("bytes", bytes); }},
        {"SetMultiStringValue", [&] { return reg.SetMultiStringValue("list", list); }},
    };
    for (DWORD lastError : {(DWORD)ERROR_SUCCESS, (DWORD)ERROR_OUTOFMEMORY}) {
        for (auto& call : calls) {
            SCOPED_TRACE(testing::Message() << call.first << ", last error " << lastError);
            SetLastError(lastError);
            g_bFailNothrowNew = true;
            BOOL bOk = TRUE;
            EXPECT_NO_THROW(bOk = call.second());
            g_bFailNothrowNew = false;
            EXPECT_FALSE(bOk);
            EXPECT_EQ(reg.GetLastResult(), lastError ? (LONG)lastError : ERROR_NOT_ENOUGH_MEMORY);
        }
    }
    ASSERT_EQ(bytes.GetSize(), 1);
    EXPECT_EQ(bytes[0], 7);
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(Text(list[0]), "kept");
}

TEST_F(CRegistryTest, NullNamesGiveInvalidParameterEverywhere)
{
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Create("Software\\Fvp\\Nulls"));
    CString s("x");
    CStringArray list;
    CByteArray bytes;
    DWORD dw = 0, type = 0, size = 0;
    BYTE data[4];
    SECURITY_INFORMATION si = DACL_SECURITY_INFORMATION;
    std::vector<std::pair<const char*, std::function<BOOL()>>> calls = {
        {"GetStringValue", [&] { return reg.GetStringValue(NULL, s); }},
        {"GetDWordValue", [&] { return reg.GetDWordValue(NULL, dw); }},
        {"GetBinaryValue", [&] { return reg.GetBinaryValue(NULL, bytes); }},
        {"GetMultiStringValue", [&] { return reg.GetMultiStringValue(NULL, list); }},
        {"GetValue list", [&] { return reg.GetValue(NULL, list); }},
        {"GetValue string", [&] { return reg.GetValue(NULL, s); }},
        {"GetValue number", [&] { return reg.GetValue(NULL, dw); }},
        {"GetValue bytes", [&] { return reg.GetValue(NULL, bytes); }},
        {"SetStringValue", [&] { return reg.SetStringValue(NULL, s); }},
        {"SetDWordValue", [&] { return reg.SetDWordValue(NULL, 1); }},
        {"SetBinaryValue", [&] { return reg.SetBinaryValue(NULL, bytes); }},
        {"SetMultiStringValue", [&] { return reg.SetMultiStringValue(NULL, list); }},
        {"SetValue string", [&] { return reg.SetValue(NULL, s); }},
        {"SetValue list", [&] { return reg.SetValue(NULL, list); }},
        {"SetValue number", [&] { return reg.SetValue(NULL, (DWORD)1); }},
        {"SetValue bytes", [&] { return reg.SetValue(NULL, bytes); }},
        {"SetValue raw", [&] { return reg.SetValue(NULL, REG_SZ, data, 1); }},
        {"SetValue raw, no data", [&] { return reg.SetValue("x", REG_SZ, NULL, 1); }},
        {"QueryValue", [&] { return reg.QueryValue(NULL, type, data, size); }},
        {"Create", [&] { return reg.Create(NULL); }},
        {"DeleteKey", [&] { return reg.DeleteKey(NULL); }},
        {"GetKeySecurity", [&] { return reg.GetKeySecurity(si, NULL, &size); }},
        {"SetKeySecurity", [&] { return reg.SetKeySecurity(si, NULL); }},
        {"LoadKey", [&] { return reg.LoadKey("x", NULL); }},
        {"UnLoadKey", [&] { return reg.UnLoadKey(NULL); }},
        {"ReplaceKey", [&] { return reg.ReplaceKey("x", "y", NULL); }},
        {"RestoreKey", [&] { return reg.RestoreKey(NULL, 0); }},
        {"SaveKey", [&] { return reg.SaveKey(NULL); }},
    };
    for (const auto& call : calls) {
        ASSERT_TRUE(reg.SetValue("ok", s)) << call.first;
        EXPECT_FALSE(call.second()) << call.first;
        EXPECT_EQ(reg.GetLastResult(), ERROR_INVALID_PARAMETER) << call.first;
    }
}

TEST_F(CRegistryTest, CloseAndTheDestructor)
{
    CInspectedRegistry never;
    CString s;
    never.GetStringValue(NULL, s);
    EXPECT_TRUE(never.Close());
    EXPECT_EQ(never.GetLastResult(), ERROR_INVALID_PARAMETER);

    MakeKey("Software\\Fvp\\Closing");
    CInspectedRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open("Software\\Fvp\\Closing"));
    HKEY open = reg.OpenKey();
    EXPECT_EQ(reg.GetValueCount(), 1u);
    EXPECT_TRUE(reg.Close());
    EXPECT_EQ(RegCloseKey(open), ERROR_INVALID_HANDLE);
    CString strings[4];
    reg.GetKeyClass(strings[0]);
    reg.GetMachineName(strings[1]);
    reg.GetKeyName(strings[2]);
    reg.GetRootName(strings[3]);
    for (const CString& one : strings)
        EXPECT_TRUE(one.IsEmpty());
    EXPECT_EQ(reg.GetValueCount(), 0u);
    EXPECT_EQ(reg.RootKey(), (HKEY)NULL);

    // A root that cannot be closed stays held.
    CInspectedRegistry bogus;
    ASSERT_TRUE(bogus.Connect((HKEY)(ULONG_PTR)0x1234));
    EXPECT_FALSE(bogus.Close());
    EXPECT_EQ(bogus.GetLastResult(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(bogus.RootKey(), (HKEY)(ULONG_PTR)0x1234);

    HKEY kept;
    {
        CInspectedRegistry scoped;
        ASSERT_TRUE(scoped.Connect(HKEY_CURRENT_USER));
        ASSERT_TRUE(scoped.Open("Software\\Fvp\\Closing"));
        kept = scoped.OpenKey();
    }
    EXPECT_EQ(RegCloseKey(kept), ERROR_INVALID_HANDLE);
}

TEST_F(CRegistryTest, EnumerationAndPassThroughs)
{
    MakeKey("Software\\Fvp\\Enum\\Sub");
    CRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open("Software\\Fvp\\Enum"));
    reg.SetValue("number", (DWORD)5);
    CString name("keep"), cls("keep");
    EXPECT_TRUE(reg.EnumKey(0, name, cls));
    EXPECT_EQ(Text(name), "Sub");
    EXPECT_FALSE(reg.EnumKey(1, name, cls));
    EXPECT_EQ(reg.GetLastResult(), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(Text(name), "Sub");
    DWORD type = 0;
    EXPECT_TRUE(reg.EnumValue(0, name, type));
    EXPECT_EQ(Text(name), "number");
    EXPECT_EQ(type, (DWORD)REG_DWORD);

    BYTE sd[256];
    DWORD size = sizeof sd;
    EXPECT_TRUE(reg.GetKeySecurity(OWNER_SECURITY_INFORMATION, sd, &size));
    EXPECT_EQ(size, 36u);

    HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
    EXPECT_TRUE(reg.NotifyChangeKeyValue(event, REG_NOTIFY_CHANGE_LAST_SET, FALSE, TRUE));
    reg.SetValue("number", (DWORD)6);
    EXPECT_EQ(WaitForSingleObject(event, 0), (DWORD)WAIT_OBJECT_0);
    CloseHandle(event);

    EXPECT_TRUE(reg.SaveKey(Dos("enum.hiv").c_str()));
    EXPECT_FALSE(reg.SaveKey(Dos("enum.hiv").c_str()));
    EXPECT_EQ(reg.GetLastResult(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(reg.DeleteKey("Sub"));
    EXPECT_TRUE(reg.RestoreKey(Dos("enum.hiv").c_str(), 0));
    EXPECT_TRUE(KeyExists("Software\\Fvp\\Enum\\Sub"));
}

// Typed operations reach the registry only through the virtual raw ones: a class that
// overrides those sees every byte, and a list without its final empty string ends with
// the data.
class CRecordingRegistry : public CRegistry
{
public:
    std::string written;
    DWORD writtenType = 0;
    std::string stored;

    BOOL SetValue(LPCSTR lpszValueName, DWORD dwType, const BYTE* lpData, DWORD dwSize) override
    {
        (void)lpszValueName;
        writtenType = dwType;
        written.assign((const char*)lpData, dwSize);
        return TRUE;
    }
    using CRegistry::SetValue;

    BOOL QueryValue(LPCSTR lpszValueName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize) override
    {
        (void)lpszValueName;
        if (stored.size() > dwSize)
            return FALSE;
        memset(lpData, 'Z', dwSize);
        memcpy(lpData, stored.data(), stored.size());
        dwSize = (DWORD)stored.size();
        dwType = REG_MULTI_SZ;
        return TRUE;
    }

    BOOL QueryInfoKey() override
    {
        m_dwMaxValueLen = 16;
        return TRUE;
    }
};

TEST(CRegistryRouting, TypedOperationsGoThroughTheVirtualRawOnes)
{
    CRecordingRegistry reg;
    EXPECT_TRUE(reg.IsKindOf(RUNTIME_CLASS(CRegistry)));
    EXPECT_STREQ(RUNTIME_CLASS(CRegistry)->m_lpszClassName, "CRegistry");
    EXPECT_EQ(RUNTIME_CLASS(CRegistry)->CreateObject(), (CObject*)NULL);

    EXPECT_TRUE(reg.SetStringValue("s", CString()));
    EXPECT_EQ(reg.writtenType, (DWORD)REG_SZ);
    EXPECT_EQ(reg.written, std::string("\0", 1));

    CStringArray strings;
    strings.Add("a");
    strings.Add("bc");
    EXPECT_TRUE(reg.SetValue("m", strings));
    EXPECT_EQ(reg.writtenType, (DWORD)REG_MULTI_SZ);
    EXPECT_EQ(reg.written, std::string("a\0bc\0\0", 6));

    EXPECT_TRUE(reg.SetValue("d", (DWORD)0x01020304));
    EXPECT_EQ(reg.written, std::string("\x04\x03\x02\x01", 4));

    reg.stored = std::string("a\0bc", 4);   // no empty string at the end
    CStringArray back;
    EXPECT_TRUE(reg.GetMultiStringValue("m", back));
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(std::string((LPCSTR)back[1]), "bc");

    CByteArray bytes;
    reg.stored = std::string("\x01\x02\x03", 3);
    EXPECT_TRUE(reg.GetValue("b", bytes));
    EXPECT_EQ(bytes.GetSize(), 3);
}

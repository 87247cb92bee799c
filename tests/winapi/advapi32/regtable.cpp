// A table of registry calls whose answers are printed one per line. The same source runs
// as a Windows program under Wine and as a Linux program over our advapi32; the two
// outputs must be equal. Every key it makes lives below HKCU\Software\FvpRegTable and is
// removed at the end.
//
// "regtable write" leaves values of every type in HKLM and HKCU\Software\FvpHandoff, and
// "regtable read" prints them and removes them: one side writes, the other reads, through
// the prefix's files.
#include <windows.h>

#include <stdio.h>
#include <string.h>

static const char *kBase = "Software\\FvpRegTable";

static void Line(const char *label, LONG res)
{
    printf("%-40s %ld\n", label, (long)res);
}

static void Bytes(const char *label, const BYTE *data, DWORD size)
{
    printf("%-40s", label);
    for (DWORD i = 0; i < size; i++)
        printf(" %02x", data[i]);
    printf("\n");
}

static HKEY Create(HKEY parent, const char *path, const char *label)
{
    HKEY key = NULL;
    DWORD disposition = 0;
    LONG res = RegCreateKeyExA(parent, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, &disposition);
    printf("%-40s %ld disposition %lu\n", label, (long)res, (unsigned long)disposition);
    return key;
}

static void Enumerate(HKEY key)
{
    char name[64];
    for (DWORD i = 0;; i++) {
        DWORD size = sizeof name;
        LONG res = RegEnumKeyExA(key, i, name, &size, NULL, NULL, NULL, NULL);
        if (res) {
            Line("enum keys end", res);
            break;
        }
        printf("%-40s %s (%lu)\n", "enum key", name, (unsigned long)size);
    }
    for (DWORD i = 0;; i++) {
        DWORD size = sizeof name, type = 0, dataSize = 0;
        LONG res = RegEnumValueA(key, i, name, &size, NULL, &type, NULL, &dataSize);
        if (res) {
            Line("enum values end", res);
            break;
        }
        printf("%-40s %s (%lu) type %lu size %lu\n", "enum value", name, (unsigned long)size, (unsigned long)type,
               (unsigned long)dataSize);
    }
}

static void Values(HKEY key)
{
    static const struct {
        const char *name;
        DWORD type;
        const char *data;
        DWORD size;
    } sets[] = {
        {"sz", REG_SZ, "hello", 6},
        {"expand", REG_EXPAND_SZ, "%TEMP%\\x", 9},
        {"multi", REG_MULTI_SZ, "a\0bc\0", 6},
        {"dword", REG_DWORD, "\x2a\0\0\0", 4},
        {"binary", REG_BINARY, "\x01\x02\xff", 3},
        {"qword", REG_QWORD, "\x01\0\0\0\0\0\0\x80", 8},
        {"none", REG_NONE, "", 0},
        {"unterminated", REG_SZ, "abc", 3},
        {"empty", REG_SZ, "", 1},
        {"zero length", REG_SZ, "", 0},
        {"short dword", REG_DWORD, "\x07\x00", 2},
        {"accent \xe9", REG_SZ, "caf\xe9", 5},
        {"", REG_SZ, "default", 8},
    };
    for (const auto &s : sets) {
        char label[64];
        snprintf(label, sizeof label, "set %s", s.name);
        Line(label, RegSetValueExA(key, s.name, 0, s.type, (const BYTE *)s.data, s.size));
    }
    for (const auto &s : sets) {
        BYTE data[64];
        DWORD type = 99, size = 0;
        char label[64];
        snprintf(label, sizeof label, "size of %s", s.name);
        LONG res = RegQueryValueExA(key, s.name, NULL, &type, NULL, &size);
        printf("%-40s %ld type %lu size %lu\n", label, (long)res, (unsigned long)type, (unsigned long)size);
        if (size > 1) {
            DWORD small = size - 1;
            memset(data, 0xcc, sizeof data);
            res = RegQueryValueExA(key, s.name, NULL, &type, data, &small);
            snprintf(label, sizeof label, "small buffer %s", s.name);
            printf("%-40s %ld size %lu\n", label, (long)res, (unsigned long)small);
        }
        memset(data, 0xcc, sizeof data);
        DWORD big = 32;
        res = RegQueryValueExA(key, s.name, NULL, &type, data, &big);
        snprintf(label, sizeof label, "read %s", s.name);
        printf("%-40s %ld size %lu\n", label, (long)res, (unsigned long)big);
        Bytes("  bytes", data, big + 2 < sizeof data ? big + 2 : big);
    }
    Line("query NULL size with data", RegQueryValueExA(key, "sz", NULL, NULL, (BYTE *)"", NULL));
    Line("query missing", RegQueryValueExA(key, "missing", NULL, NULL, NULL, NULL));
    Line("query case-insensitive", RegQueryValueExA(key, "SZ", NULL, NULL, NULL, NULL));
    Line("set same again", RegSetValueExA(key, "sz", 0, REG_SZ, (const BYTE *)"hello", 6));
    Line("delete value missing", RegDeleteValueA(key, "missing"));
    Line("delete value upper case", RegDeleteValueA(key, "NONE"));
}

static void Names(HKEY key)
{
    static const char *names[] = {"b", "A", "_x", "a1", "Z", "[", "a", "Ab"};
    for (const char *name : names) {
        HKEY sub = NULL;
        RegCreateKeyExA(key, name, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &sub, NULL);
        RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)"\1\0\0\0", 4);
        RegCloseKey(sub);
    }
    Enumerate(key);

    char name[8];
    DWORD size = 1;
    memset(name, 'x', sizeof name);
    LONG res = RegEnumKeyExA(key, 1, name, &size, NULL, NULL, NULL, NULL);
    printf("%-40s %ld size %lu first %02x\n", "enum key small buffer", (long)res, (unsigned long)size,
           (unsigned char)name[0]);
    size = 2;
    memset(name, 'x', sizeof name);
    res = RegEnumValueA(key, 1, name, &size, NULL, NULL, NULL, NULL);
    printf("%-40s %ld size %lu name %02x %02x\n", "enum value small buffer", (long)res, (unsigned long)size,
           (unsigned char)name[0], (unsigned char)name[1]);
    Line("enum key A past end", RegEnumKeyA(key, 7, name, sizeof name));

    DWORD subkeys, maxSub, maxClass, values, maxName, maxData;
    char cls[16];
    DWORD clsLen = sizeof cls;
    res = RegQueryInfoKeyA(key, cls, &clsLen, NULL, &subkeys, &maxSub, &maxClass, &values, &maxName, &maxData,
                           NULL, NULL);
    printf("%-40s %ld class %lu subkeys %lu max %lu class %lu values %lu name %lu data %lu\n", "info", (long)res,
           (unsigned long)clsLen, (unsigned long)subkeys, (unsigned long)maxSub, (unsigned long)maxClass,
           (unsigned long)values, (unsigned long)maxName, (unsigned long)maxData);
}

static void Keys(HKEY base)
{
    HKEY key = NULL;
    Line("open leading backslash", RegOpenKeyExA(HKEY_CURRENT_USER, "\\Software", 0, KEY_READ, &key));
    Line("open other case", RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\fvpregtable", 0, KEY_READ, &key));
    RegCloseKey(key);
    Line("open missing", RegOpenKeyExA(base, "missing\\deeper", 0, KEY_READ, &key));
    Line("open empty name", RegOpenKeyExA(base, "", 0, KEY_READ, &key));
    Line("  same key, new handle", key != base && key != NULL);
    RegCloseKey(key);
    Line("open NULL name", RegOpenKeyExA(base, NULL, 0, KEY_READ, &key));
    RegCloseKey(key);
    Line("open double backslash", RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\\\FvpRegTable\\", 0, KEY_READ, &key));
    RegCloseKey(key);

    HKEY deep = Create(base, "Alpha\\Beta\\Gamma", "create path");
    RegCloseKey(deep);
    HKEY again = Create(base, "alpha\\BETA", "create existing");
    RegCloseKey(again);
    HKEY classed = NULL;
    DWORD disposition = 0;
    LONG res = RegCreateKeyExA(base, "Classed", 0, (LPSTR) "MyClass", 0, KEY_ALL_ACCESS, NULL, &classed, &disposition);
    Line("create with class", res);
    char cls[16];
    DWORD clsLen = 3;
    Line("info class small", RegQueryInfoKeyA(classed, cls, &clsLen, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
    Line("  class length", (LONG)clsLen);
    clsLen = sizeof cls;
    Line("info class", RegQueryInfoKeyA(classed, cls, &clsLen, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
    printf("%-40s %s %lu\n", "  class", cls, (unsigned long)clsLen);
    Line("delete itself by empty name", RegDeleteKeyA(classed, ""));
    Line("set value in deleted key", RegSetValueExA(classed, "x", 0, REG_SZ, (const BYTE *)"", 1));
    RegCloseKey(classed);

    Line("delete key with subkeys", RegDeleteKeyA(base, "Alpha"));
    Line("delete missing key", RegDeleteKeyA(base, "Missing"));
    Line("delete NULL name", RegDeleteKeyA(base, NULL));
    Line("delete leaf path", RegDeleteKeyA(base, "Alpha\\Beta\\Gamma"));

    HKEY readOnly = NULL;
    RegOpenKeyExA(base, "", 0, KEY_READ, &readOnly);
    Line("set through read-only handle", RegSetValueExA(readOnly, "x", 0, REG_SZ, (const BYTE *)"", 1));
    Line("create below read-only handle", RegCreateKeyExA(readOnly, "ro", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
    RegCloseKey(key);
    Line("delete below read-only handle", RegDeleteKeyA(readOnly, "ro"));
    RegCloseKey(readOnly);

    HKEY vol = NULL;
    Line("create volatile", RegCreateKeyExA(base, "Vol", 0, NULL, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL, &vol, NULL));
    Line("non-volatile below volatile", RegCreateKeyExA(vol, "Child", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
    RegCloseKey(vol);
    RegDeleteKeyA(base, "Vol");

    Line("flush", RegFlushKey(base));
    Line("flush NULL", RegFlushKey(NULL));
}

static void DeleteTree(HKEY parent, const char *name);

// How long a key name and a subkey path may be: the server takes names of up to 256
// characters, and the A functions paths of up to 260.
static void LongNames(HKEY base)
{
    static const size_t lengths[] = {249, 250, 256, 257, 260, 261};
    for (size_t length : lengths) {
        char name[400], path[420], label[64];
        memset(name, 'k', length);
        name[length] = '\0';
        HKEY key = NULL;
        snprintf(label, sizeof label, "create name of %u", (unsigned)length);
        Line(label, RegCreateKeyExA(base, name, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
        RegCloseKey(key);
        snprintf(label, sizeof label, "  open it");
        Line(label, RegOpenKeyExA(base, name, 0, KEY_READ, &key));
        RegCloseKey(key);
        snprintf(label, sizeof label, "  delete it");
        Line(label, RegDeleteKeyA(base, name));
        snprintf(path, sizeof path, "Long\\%s\\Below", name);
        snprintf(label, sizeof label, "create path with name of %u", (unsigned)length);
        Line(label, RegCreateKeyExA(base, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
        RegCloseKey(key);
        Line("  parent made", RegOpenKeyExA(base, "Long", 0, KEY_READ, &key));
        RegCloseKey(key);
        DeleteTree(base, "Long");
    }
}

static void Handles(void)
{
    BYTE data[4];
    DWORD size = sizeof data;
    Line("query NULL handle", RegQueryValueExA(NULL, "x", NULL, NULL, data, &size));
    Line("set NULL handle", RegSetValueExA(NULL, "x", 0, REG_SZ, (const BYTE *)"", 1));
    Line("close NULL", RegCloseKey(NULL));
    Line("close HKLM", RegCloseKey(HKEY_LOCAL_MACHINE));
    Line("close bogus", RegCloseKey((HKEY)(ULONG_PTR)0x1234));

    char computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = 1;
    BOOL ok = GetComputerNameA(computer, &length);
    printf("%-40s %d error %lu size %lu\n", "computer name small", ok, (unsigned long)GetLastError(),
           (unsigned long)length);
    length = sizeof computer;
    ok = GetComputerNameA(computer, &length);
    printf("%-40s %d length ok %d\n", "computer name", ok, length == strlen(computer));

    HKEY root = NULL;
    Line("connect local", RegConnectRegistryA(NULL, HKEY_LOCAL_MACHINE, &root));
    Line("  same handle", root == HKEY_LOCAL_MACHINE);
    Line("connect empty name", RegConnectRegistryA("", HKEY_USERS, &root));
    Line("  same handle", root == HKEY_USERS);
    char self[64];
    snprintf(self, sizeof self, "\\\\%s", computer);
    Line("connect own name", RegConnectRegistryA(self, HKEY_LOCAL_MACHINE, &root));
    Line("connect remote", RegConnectRegistryA("nosuchmachine-fvp", HKEY_LOCAL_MACHINE, &root));
    Line("connect bogus root", RegConnectRegistryA(NULL, (HKEY)(ULONG_PTR)0x1234, &root));
    Line("  same handle", root == (HKEY)(ULONG_PTR)0x1234);
}

static void Security(HKEY key)
{
    BYTE sd[256];
    DWORD size = 8;
    const SECURITY_INFORMATION all = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    LONG res = RegGetKeySecurity(key, all, sd, &size);
    printf("%-40s %ld size %lu\n", "security small buffer", (long)res, (unsigned long)size);
    size = sizeof sd;
    res = RegGetKeySecurity(key, all, sd, &size);
    printf("%-40s %ld size %lu\n", "security", (long)res, (unsigned long)size);
    Bytes("  descriptor", sd, res ? 0 : size);
    size = sizeof sd;
    res = RegGetKeySecurity(key, OWNER_SECURITY_INFORMATION, sd, &size);
    printf("%-40s %ld size %lu\n", "security owner only", (long)res, (unsigned long)size);
    Line("set security NULL", RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, NULL));
    size = sizeof sd;
    RegGetKeySecurity(key, all, sd, &size);
    Line("set security same", RegSetKeySecurity(key, GROUP_SECURITY_INFORMATION, sd));
}

// One registration per handle, so that each case starts from none. Changes of values below
// a key watched with its subtree are left out: Windows reports them and Wine does not.
static void Watch(HKEY base, const char *label, BOOL subtree, DWORD filter, void (*change)(HKEY watched))
{
    HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
    HKEY watched = NULL;
    RegOpenKeyExA(base, "Watched", 0, KEY_ALL_ACCESS, &watched);
    LONG res = RegNotifyChangeKeyValue(watched, subtree, filter, event, TRUE);
    DWORD before = WaitForSingleObject(event, 0);
    change(watched);
    DWORD after = WaitForSingleObject(event, 0);
    change(watched);
    DWORD again = WaitForSingleObject(event, 0);
    printf("%-40s %ld before %lu after %lu again %lu\n", label, (long)res, (unsigned long)before,
           (unsigned long)after, (unsigned long)again);
    RegCloseKey(watched);
    CloseHandle(event);
}

static void SetOwnValue(HKEY watched)
{
    static char text[2] = "0";
    text[0]++;
    RegSetValueExA(watched, "v", 0, REG_SZ, (const BYTE *)text, 2);
}

static void SetInnerValue(HKEY watched)
{
    static char text[2] = "0";
    HKEY inner;
    RegOpenKeyExA(watched, "Inner", 0, KEY_ALL_ACCESS, &inner);
    text[0]++;
    RegSetValueExA(inner, "v", 0, REG_SZ, (const BYTE *)text, 2);
    RegCloseKey(inner);
}

static void CreateOwnSubkey(HKEY watched)
{
    static char name[2] = "0";
    HKEY made;
    name[0]++;
    RegCreateKeyExA(watched, name, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &made, NULL);
    RegCloseKey(made);
}

static void CreateInnerSubkey(HKEY watched)
{
    static char name[8] = "Inner\\0";
    HKEY made;
    name[6]++;
    RegCreateKeyExA(watched, name, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &made, NULL);
    RegCloseKey(made);
}

static void Notify(HKEY base)
{
    HKEY inner = Create(base, "Watched\\Inner", "create watched");
    RegCloseKey(inner);
    Watch(base, "notify own value", FALSE, REG_NOTIFY_CHANGE_LAST_SET, SetOwnValue);
    Watch(base, "notify subkey value, no subtree", FALSE, REG_NOTIFY_CHANGE_LAST_SET, SetInnerValue);
    Watch(base, "notify own value, name filter", FALSE, REG_NOTIFY_CHANGE_NAME, SetOwnValue);
    Watch(base, "notify new subkey", FALSE, REG_NOTIFY_CHANGE_NAME, CreateOwnSubkey);
    Watch(base, "notify new subkey, value filter", FALSE, REG_NOTIFY_CHANGE_LAST_SET, CreateOwnSubkey);
    Watch(base, "notify deeper subkey, no subtree", FALSE, REG_NOTIFY_CHANGE_NAME, CreateInnerSubkey);
    Watch(base, "notify deeper subkey, subtree", TRUE, REG_NOTIFY_CHANGE_NAME, CreateInnerSubkey);

    HANDLE event = CreateEventA(NULL, FALSE, FALSE, NULL);
    HKEY watched = NULL;
    RegOpenKeyExA(base, "Watched", 0, KEY_ALL_ACCESS, &watched);
    RegNotifyChangeKeyValue(watched, FALSE, REG_NOTIFY_CHANGE_NAME, event, TRUE);
    RegCloseKey(watched);
    Line("notify handle closed", WaitForSingleObject(event, 0));
    CloseHandle(event);
    RegOpenKeyExA(base, "Watched", 0, KEY_READ & ~KEY_NOTIFY, &watched);
    Line("notify without KEY_NOTIFY", RegNotifyChangeKeyValue(watched, FALSE, REG_NOTIFY_CHANGE_NAME, NULL, TRUE));
    RegCloseKey(watched);
    Line("notify async without event", RegNotifyChangeKeyValue(base, FALSE, REG_NOTIFY_CHANGE_NAME, NULL, TRUE));
}

static void DeleteTree(HKEY parent, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key))
        return;
    char sub[260];
    while (!RegEnumKeyA(key, 0, sub, sizeof sub))
        DeleteTree(key, sub);
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}

static const char *kHandoff = "Software\\FvpHandoff";

static void WriteHandoff(HKEY root)
{
    static const struct {
        const char *name;
        DWORD type;
        const char *data;
        DWORD size;
    } values[] = {
        {"sz", REG_SZ, "C:\\Games\\Patience\\\\fvpat.exe /uninstall", 40},
        {"accent \xe9", REG_SZ, "caf\xe9 \"quoted\"\ttab", 18},
        {"expand", REG_EXPAND_SZ, "%WINDIR%\\x", 11},
        {"multi", REG_MULTI_SZ, "a\0bc\0", 6},
        {"dword", REG_DWORD, "\x2a\0\0\x80", 4},
        {"binary", REG_BINARY, "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef", 64},
        {"qword", REG_QWORD, "\x01\0\0\0\0\0\0\x80", 8},
        {"", REG_SZ, "default", 8},
    };
    HKEY key = NULL;
    RegCreateKeyExA(root, kHandoff, 0, (LPSTR) "HandoffClass", 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    for (const auto &v : values)
        RegSetValueExA(key, v.name, 0, v.type, (const BYTE *)v.data, v.size);
    HKEY sub = NULL;
    RegCreateKeyExA(key, "Sub\\Deeper", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &sub, NULL);
    RegCloseKey(sub);
    RegCloseKey(key);
}

static void ReadHandoff(HKEY root, const char *label)
{
    HKEY key = NULL;
    LONG res = RegOpenKeyExA(root, kHandoff, 0, KEY_READ, &key);
    Line(label, res);
    if (res)
        return;
    char cls[32];
    DWORD clsLen = sizeof cls;
    RegQueryInfoKeyA(key, cls, &clsLen, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    printf("%-40s %s\n", "  class", cls);
    Enumerate(key);
    for (DWORD i = 0;; i++) {
        char name[64];
        BYTE data[128];
        DWORD nameLen = sizeof name, type = 0, size = sizeof data;
        if (RegEnumValueA(key, i, name, &nameLen, NULL, &type, data, &size))
            break;
        char title[96];
        snprintf(title, sizeof title, "  %s type %lu", name, (unsigned long)type);
        Bytes(title, data, size);
    }
    HKEY sub = NULL;
    Line("  deeper key", RegOpenKeyExA(key, "sub\\DEEPER", 0, KEY_READ, &sub));
    RegCloseKey(sub);
    RegCloseKey(key);
    DeleteTree(root, kHandoff);
}

int main(int argc, char **argv)
{
    if (argc > 1 && !strcmp(argv[1], "write")) {
        WriteHandoff(HKEY_LOCAL_MACHINE);
        WriteHandoff(HKEY_CURRENT_USER);
        return 0;
    }
    if (argc > 1 && !strcmp(argv[1], "read")) {
        ReadHandoff(HKEY_LOCAL_MACHINE, "machine handoff");
        ReadHandoff(HKEY_CURRENT_USER, "user handoff");
        return 0;
    }
    DeleteTree(HKEY_CURRENT_USER, kBase);
    HKEY base = Create(HKEY_CURRENT_USER, kBase, "create base");
    Keys(base);
    LongNames(base);
    Values(base);
    HKEY names = Create(base, "Names", "create names");
    Names(names);
    RegCloseKey(names);
    Handles();
    Security(base);
    Notify(base);
    RegCloseKey(base);
    DeleteTree(HKEY_CURRENT_USER, kBase);
    HKEY gone;
    Line("removed", RegOpenKeyExA(HKEY_CURRENT_USER, kBase, 0, KEY_READ, &gone));
    return 0;
}

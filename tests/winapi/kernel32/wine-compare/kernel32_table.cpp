// A table of profile (in every file encoding), file-move, free-space, WinExec and host-path calls whose answers are printed, built once for
// Windows (run under Wine) and once over our kernel32: the two outputs must be equal.
// Only the Win32 API is used, so the one source serves both.
#include <windows.h>

#include <stdio.h>
#include <string.h>

static char g_windows[MAX_PATH];

// Bytes as text: printable ASCII as is, everything else as \xHH.
static void PrintBytes(const char *data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        unsigned char c = (unsigned char)data[i];
        if (c >= 0x20 && c < 0x7f && c != '\\')
            putchar(c);
        else
            printf("\\x%02X", c);
    }
}

static const char *Show(const char *text)
{
    return text ? text : "(null)";
}

static void WriteFileBytes(const char *path, const char *data, size_t size)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, data, (DWORD)size, &written, NULL) || written != size)
        printf("cannot prepare %s\n", path);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

static void PrintFile(const char *path)
{
    char data[16384];
    DWORD got = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        printf("  file %s: absent (%lu)\n", path, (unsigned long)GetLastError());
        return;
    }
    ReadFile(file, data, sizeof data, &got, NULL);
    CloseHandle(file);
    printf("  file %s: ", path);
    PrintBytes(data, got);
    printf("\n");
}

static void InWindows(const char *name, char *path)
{
    snprintf(path, MAX_PATH, "%.200s\\%s", g_windows, name);
}

// Reads with the buffer filled with '#' first, so that what was written shows, up to the
// returned length and the zero after it.
static void Read(const char *section, const char *key, const char *def, DWORD size, const char *file)
{
    char buffer[6000];
    memset(buffer, '#', sizeof buffer);
    DWORD ret = GetPrivateProfileStringA(section, key, def, buffer, size, file);
    printf("string [%s] %s def=%s size=%lu file=%s -> %lu \"", Show(section), Show(key), Show(def),
           (unsigned long)size, Show(file), (unsigned long)ret);
    DWORD shown = ret + 1 < size ? ret + 1 : size;
    if (ret > 60 && ret + 1 <= size) {
        PrintBytes(buffer, 20);
        printf("...");
        PrintBytes(buffer + ret - 20, 21);
    } else {
        PrintBytes(buffer, shown);
    }
    printf("\"\n");
}

static void ReadInt(const char *section, const char *key, int def, const char *file)
{
    UINT ret = GetPrivateProfileIntA(section, key, def, file);
    printf("int [%s] %s def=%d file=%s -> %d (%u)\n", Show(section), Show(key), def, Show(file), (int)ret, ret);
}

static void Write(const char *section, const char *key, const char *value, const char *file, const char *show)
{
    SetLastError(0);
    BOOL ok = WritePrivateProfileStringA(section, key, value, file);
    printf("write [%s] %s = %s file=%s -> %d", Show(section), Show(key), Show(value), Show(file), ok ? 1 : 0);
    if (!ok)
        printf(" error %lu", (unsigned long)GetLastError());
    printf("\n");
    PrintFile(show);
}

static const char kSample[] =
    "; leading comment\r\n"
    "orphan=before any section\r\n"
    "[Install]\r\n"
    "PrevVer = 7 \r\n"
    "  spaced key  =   spaced value   \r\n"
    "quoted=\"in double quotes\"\r\n"
    "single='in single'\r\n"
    "half=\"open only\r\n"
    "mixed='a\"\r\n"
    "onequote=\"\r\n"
    "twoquotes=\"\"\r\n"
    "empty=\r\n"
    "noequals\r\n"
    ";comment=not a key\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    "\t\r\n"
    "\r\n"
    "[ Window ]\r\n"
    "x=-12\r\n"
    "hex=0x1A\r\n"
    "HEX2=0X1A\r\n"
    "oct=0o17\r\n"
    "bin=0b101\r\n"
    "plus=+42abc\r\n"
    "big=4294967297\r\n"
    "neg=-0x10\r\n"
    "word=abc\r\n"
    "spaceint=   7 8\r\n"
    "qint='5'\r\n"
    "long=123456789012345678901234567890123\r\n"
    "[install]\r\n"
    "later=in the second install section\r\n"
    "[Net News]\n"
    "Name=Ann\r"
    "EMail=ann@example.org\r\n"
    "[broken\r\n"
    "after=broken header\r\n"
    "[tail] trailing text\r\n"
    "k=v\r\n"
    "Caf\xe9=\xc9t\xe9\r\n"
    "[]\r\n"
    "nameless=section\r\n"
    "=no name\r\n"
    "=second no name\r\n"
    "[Last]\r\n"
    "end=no line end";

static void Reads(void)
{
    const char *f = "fvpcmp1.ini";
    char path[MAX_PATH];
    InWindows(f, path);
    WriteFileBytes(path, kSample, sizeof kSample - 1);

    Read("Install", "PrevVer", "d", 100, f);
    Read("INSTALL", "prevver", "d", 100, f);
    Read(" Install ", " PrevVer ", "d", 100, f);
    Read("Install", "spaced key", "d", 100, f);
    Read("Install", "quoted", "d", 100, f);
    Read("Install", "single", "d", 100, f);
    Read("Install", "half", "d", 100, f);
    Read("Install", "mixed", "d", 100, f);
    Read("Install", "onequote", "d", 100, f);
    Read("Install", "twoquotes", "d", 100, f);
    Read("Install", "empty", "d", 100, f);
    Read("Install", "noequals", "d", 100, f);
    Read("Install", ";comment", "d", 100, f);
    Read("Install", "dup", "d", 100, f);
    Read("Install", "later", "d", 100, f);
    Read("Window", "x", "d", 100, f);
    Read("Net News", "Name", "d", 100, f);
    Read("Net News", "EMail", "d", 100, f);
    Read("Net News", "[broken", "d", 100, f);
    Read("Net News", "after", "d", 100, f);
    Read("tail", "k", "d", 100, f);
    Read("TAIL", "CAF\xc9", "d", 100, f);
    Read("", "orphan", "d", 100, f);
    Read("", "nameless", "d", 100, f);
    Read("Last", "end", "d", 100, f);
    Read("Install", "missing", "  def  ", 100, f);
    Read("Install", "missing", "'quoted def'", 100, f);
    Read("Install", "missing", "   ", 100, f);
    Read("Install", "missing", NULL, 100, f);
    Read("Nowhere", "missing", "d", 100, f);
    Read("Install", "missing", "'q' ", 100, "fvpabsent.ini");
    Read("Install", "missing", "'q' ", 100, "C:\\fvpnodir\\x.ini");
    Read("Install", "missing", "'q' ", 100, ""); // the Windows folder itself

    // Cut to the buffer: a plain value, a quoted one around the size where its quote fits.
    Read("Install", "spaced key", "d", 5, f);
    Read("Install", "spaced key", "d", 1, f);
    Read("Install", "quoted", "d", 5, f);
    Read("Install", "quoted", "d", 16, f);
    Read("Install", "quoted", "d", 17, f);
    Read("Install", "quoted", "d", 18, f);
    Read("Install", "missing", "a long default", 6, f);

    // Lists of names.
    Read(NULL, NULL, "d", 400, f);
    Read(NULL, "x", "d", 400, f);
    Read(NULL, NULL, "d", 12, f);
    Read(NULL, NULL, "d", 9, f);
    Read(NULL, NULL, "d", 3, f);
    Read(NULL, NULL, "d", 2, f);
    Read(NULL, NULL, "d", 400, "fvpabsent.ini");
    Read("Install", NULL, "d", 400, f);
    Read("install", NULL, "d", 400, f);
    Read("Install", NULL, "d", 20, f);
    Read("Install", NULL, "d", 19, f);
    Read("Install", NULL, "d", 3, f);
    Read("Install", NULL, "d", 2, f);
    Read("Nowhere", NULL, "'d'", 400, f);
    Read("", NULL, "d", 400, f);

    const char *ints[] = {"x", "hex", "HEX2", "oct", "bin", "plus", "big", "neg", "word", "spaceint", "qint",
                          "long", "missing"};
    for (size_t i = 0; i < sizeof ints / sizeof ints[0]; ++i)
        ReadInt("Window", ints[i], -1000, f);
    ReadInt("Install", "empty", -1000, f);
    ReadInt("Install", "PrevVer", 0, f);
    ReadInt("Window", "x", -1000, "fvpabsent.ini");
    ReadInt("Window", "x", -1000, "C:\\fvpnodir\\x.ini");

    // A value longer than the buffer the settings class reads into.
    static char longText[5100];
    memset(longText, 'v', 5000);
    memcpy(longText, "[Long]\r\nlong=", 13);
    memcpy(longText + 13 + 4990, "END\r\n", 6);
    InWindows("fvpcmp4.ini", path);
    WriteFileBytes(path, longText, strlen(longText));
    Read("Long", "long", "d", 4000, "fvpcmp4.ini");
    Read("Long", "long", "d", 5100, "fvpcmp4.ini");
}

static void Writes(void)
{
    const char *f = "fvpcmp2.ini";
    char path[MAX_PATH], messy[MAX_PATH];
    InWindows(f, path);
    DeleteFileA(path);
    Write("install", "install_path", "C:\\Games\\Fern Patience\\", f, path);
    Write("Install", "INSTALL_PATH", "C:\\Other\\", f, path);
    Write("Net News", "Name", "  Ann  ", f, path);
    Write("Net News", "Name", "Ann  ", f, path);
    Write("Net News", "EMail", "", f, path);
    Write("Net News", "Name", NULL, f, path);
    Write("Net News", "Missing", NULL, f, path);
    Write(" Spaced ", " key ", "v", f, path);
    Read(" spaced", "KEY", "d", 100, f);
    Write("install", NULL, NULL, f, path);
    Write("install", NULL, "ignored", f, path);
    Write("Nowhere", NULL, NULL, f, path);
    Write(NULL, "k", "v", f, path);
    Write(NULL, NULL, NULL, f, path);
    Write("install", "k", "v", "", g_windows);

    // A file with comments, blank lines and odd spacing: an unchanged value leaves it alone,
    // a change writes it back whole.
    InWindows("fvpcmp3.ini", messy);
    static const char kMessy[] = "\r\n; top\r\n\r\n[Window]\r\n  x = 5  \r\n\r\n[Install]\n PrevVer=1\n;c\nnoequals\n";
    WriteFileBytes(messy, kMessy, sizeof kMessy - 1);
    Write("window", "X", "5", "fvpcmp3.ini", messy);
    Write("Install", "install_path", "C:\\G\\", "fvpcmp3.ini", messy);

    Write("install", "k", NULL, "fvpcmp5.ini", "C:\\windows\\fvpcmp5.ini");
    Write("install", "k", "v", "C:\\fvpnodir\\x.ini", "C:\\fvpnodir\\x.ini");
    Write("install", "k", "v", ".\\fvprel.ini", "C:\\fvprel.ini");
    Write("install", "k", "v", "C:fvprel2.ini", "C:\\fvprel2.ini");
    DeleteFileA("C:\\fvprel.ini");
    DeleteFileA("C:\\fvprel2.ini");
}

// Settings files of earlier versions in other encodings: read, then written, keeping theirs.
static void Encodings(void)
{
    static const char kUtf8[] = "\xEF\xBB\xBF[Net News]\r\nName=Zo\xC3\xAB \xE5\x90\x8D\r\nUserID=u-77\r\n"
                                "[Window]\r\nx=12\r\nbad=caf\xE9!\r\n";
    // "[S]", "k=" e-diaeresis and a character without an ANSI form, "[Window]", "x=5"; the
    // big-endian file ends with half a character.
    static const char kUtf16le[] = "\xFF\xFE[\x00S\x00]\x00\x0D\x00\x0A\x00k\x00=\x00\xEB\x00\x0DT\x0D\x00\x0A\x00[\x00W\x00i\x00n\x00" "d\x00o\x00w\x00]\x00\x0D\x00\x0A\x00x\x00=\x00" "5\x00\x0D\x00\x0A\x00";
    static const char kUtf16be[] = "\xFE\xFF\x00[\x00S\x00]\x00\x0D\x00\x0A\x00k\x00=\x00\xEBT\x0D\x00\x0D\x00\x0A\x00[\x00W\x00i\x00n\x00" "d\x00o\x00w\x00]\x00\x0D\x00\x0A\x00x\x00=\x00" "5\x00\x0D\x00\x0A!";
    static const char kNul[] = "[S]\r\nk=ab\0cd\r\nn\0ame=1\r\n[T\0U]\r\nt=2\r\n";
    struct {
        const char *name;
        const char *bytes;
        size_t size;
    } files[] = {
        {"fvpenc8.ini", kUtf8, sizeof kUtf8 - 1},
        {"fvpenc16le.ini", kUtf16le, sizeof kUtf16le - 1},
        {"fvpenc16be.ini", kUtf16be, sizeof kUtf16be - 1},
        {"fvpencnul.ini", kNul, sizeof kNul - 1},
    };
    for (size_t i = 0; i < sizeof files / sizeof files[0]; ++i) {
        char path[MAX_PATH];
        InWindows(files[i].name, path);
        WriteFileBytes(path, files[i].bytes, files[i].size);
        Read("Net News", "Name", "d", 100, files[i].name);
        Read("Net News", "UserID", "d", 100, files[i].name);
        ReadInt("Window", "x", -1000, files[i].name);
        Read("Window", "bad", "d", 100, files[i].name);
        Read("S", "k", "d", 100, files[i].name);
        Read("S", "n", "d", 100, files[i].name);
        Read("T", "t", "d", 100, files[i].name);
        Read(NULL, NULL, "d", 100, files[i].name);
        Write("install", "install_path", "C:\\Caf\xE9\\", files[i].name, path);
        DeleteFileA(path);
    }
}

static void Moves(void)
{
    CreateDirectoryA("C:\\fvpmove", NULL);
    CreateDirectoryA("C:\\fvpmove\\dir", NULL);
    WriteFileBytes("C:\\fvpmove\\new.ini", "new", 3);
    WriteFileBytes("C:\\fvpmove\\old.ini", "old", 3);
    struct {
        const char *from, *to;
        DWORD flags;
    } moves[] = {
        {"C:\\fvpmove\\new.ini", "C:\\fvpmove\\old.ini", 0},
        {"C:\\fvpmove\\new.ini", "C:\\fvpmove\\OLD.INI", MOVEFILE_WRITE_THROUGH},
        {"C:\\fvpmove\\nope", "C:\\fvpmove\\x", MOVEFILE_REPLACE_EXISTING},
        {"C:\\fvpmove\\new.ini", "C:\\fvpmove\\nodir\\x", MOVEFILE_REPLACE_EXISTING},
        {"C:\\fvpmove\\new.ini", "C:\\fvpmove\\dir", MOVEFILE_REPLACE_EXISTING},
        {"C:\\fvpmove\\new.ini", "C:\\fvpmove\\old.ini", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH},
        {"C:\\fvpmove\\old.ini", "C:\\fvpmove\\dir\\moved.ini", 0},
    };
    for (size_t i = 0; i < sizeof moves / sizeof moves[0]; ++i) {
        SetLastError(0);
        BOOL ok = MoveFileExA(moves[i].from, moves[i].to, moves[i].flags);
        printf("move %s %s %lu -> %d", moves[i].from, moves[i].to, (unsigned long)moves[i].flags, ok ? 1 : 0);
        if (!ok)
            printf(" error %lu", (unsigned long)GetLastError());
        printf("\n");
    }
    PrintFile("C:\\fvpmove\\old.ini");
    PrintFile("C:\\fvpmove\\dir\\moved.ini");
    DeleteFileA("C:\\fvpmove\\dir\\moved.ini");
    RemoveDirectoryA("C:\\fvpmove\\dir");
    RemoveDirectoryA("C:\\fvpmove");
}

static void DiskFreeSpace(void)
{
    const char *roots[] = {NULL, "", "C:\\", "c:\\", "C:", "C:/", "\\", "C:\\windows", "C:\\windows\\",
                           "windows", "C:\\fvpnothere\\", "gam", "\\\\s", "\\\\server\\share\\", "Q:\\", "Q:"};
    for (size_t i = 0; i < sizeof roots / sizeof roots[0]; ++i) {
        DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
        SetLastError(0);
        BOOL ok = GetDiskFreeSpaceA(roots[i], &spc, &bps, &freeClusters, &total);
        printf("disk %s -> %d", Show(roots[i]), ok ? 1 : 0);
        if (ok)
            printf(" %lu x %lu", (unsigned long)spc, (unsigned long)bps);
        // The prefix's file system is the same for both runs, so its size is too.
        if (ok && roots[i] && !strcmp(roots[i], "C:\\"))
            printf(", %lu clusters", (unsigned long)total);
        else
            printf(" error %lu", (unsigned long)GetLastError());
        printf("\n");
    }
}

static void ProgramStarts(void)
{
    CreateDirectoryA("C:\\fvpexec", NULL);
    WriteFileBytes("C:\\fvpexec\\text.exe", "hello", 5);
    WriteFileBytes("C:\\fvpexec\\empty.exe", "", 0);
    const char *lines[] = {"C:\\fvpnodir\\x.exe", "C:\\fvpexec\\missing.exe", "C:\\fvpexec\\missing",
                           "\"C:\\fvpexec\\missing.exe\"", "C:\\fvpexec\\text.exe", "C:\\fvpexec\\text",
                           "C:\\fvpexec\\text.exe arg", "\"C:\\fvpexec\\text.exe\" arg", "C:\\fvpexec\\empty.exe",
                           "", "   ", "C:\\fvpexec", "fvpnosuchprogram"};
    for (size_t i = 0; i < sizeof lines / sizeof lines[0]; ++i)
        printf("winexec %s -> %u\n", lines[i], WinExec(lines[i], 1));
    DeleteFileA("C:\\fvpexec\\text.exe");
    DeleteFileA("C:\\fvpexec\\empty.exe");
    RemoveDirectoryA("C:\\fvpexec");
}

// Host paths in the form Wine gives files that no drive reaches. Wine lets ".." climb above
// "\\?\unix\" in a full path and we do not, it marks the host's root a reparse point, and it
// reports a missing folder on the way as a missing file: no case here shows those.
static void HostPaths(void)
{
    const char *paths[] = {"\\\\?\\unix\\tmp", "//?/unix/tmp/./a/../b.", "\\\\?\\UNIX\\tmp\\",
                           "\\\\?\\unix\\TMP", "\\\\?\\unix/tmp"};
    for (size_t i = 0; i < sizeof paths / sizeof paths[0]; ++i) {
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(paths[i], sizeof full, full, NULL);
        SetLastError(0);
        DWORD attributes = GetFileAttributesA(paths[i]);
        printf("host path %s -> %lu %s, attributes %lx", paths[i], (unsigned long)length, length ? full : "",
               (unsigned long)attributes);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            printf(" error %lu", (unsigned long)GetLastError());
        printf("\n");
    }
}

int main(void)
{
    SetCurrentDirectoryA("C:\\");
    GetWindowsDirectoryA(g_windows, MAX_PATH);
    Reads();
    Writes();
    Encodings();
    Moves();
    DiskFreeSpace();
    ProgramStarts();
    HostPaths();
    return 0;
}

// The profile (INI file) functions: GetPrivateProfileStringA, GetPrivateProfileIntA,
// WritePrivateProfileStringA. The file is read on every call (nothing is cached, so another
// process's change is seen at once) and written back whole when a call changes it.
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <string>

#include "codepage.h"
#include "dospath.h"
#include "hostio.h"
#include "lasterror.h"
#include "profileencoding.h"
#include "profiletext.h"
#include "winbase.h"
#include "winerror.h"

namespace {

std::mutex g_profileLock;

// A name without a folder or drive means a file in the Windows folder; anything else is
// taken relative to the current folder. No name at all means "win.ini".
bool ProfileHostPath(LPCSTR fileName, std::string &host)
{
    std::string name = fileName ? fileName : "win.ini";
    bool hasDrive = name.size() >= 2 && name[1] == ':';
    bool bare = !hasDrive && name.find_first_of("\\/") == std::string::npos;
    std::string full;
    if (bare)
        full = DosWindowsDirectory() + "\\" + name;
    else if (!DosFullPath(name.c_str(), full))
        return false;
    return DosPathToHost(full.c_str(), host);
}

// The profile in the file, its text as UTF-8, and the file's encoding; a missing file is an
// empty ANSI profile. FALSE, with the last error, when the file cannot be opened (with write
// access for a change).
bool LoadProfile(const std::string &host, bool forWriting, Profile &profile, ProfileEncoding &encoding)
{
    encoding = ProfileEncoding::Ansi;
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            return FailWithErrno();
        profile = ParseProfile(std::string());
        return true;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || (forWriting && access(host.c_str(), W_OK) != 0)) {
        close(fd);
        return FailWith(ERROR_ACCESS_DENIED);
    }
    // A profile read only in part would be written back cut; a failed read fails the call.
    std::string text;
    int err = ReadWhole(fd, text);
    close(fd);
    if (err)
        return FailWith(Win32ErrorFromErrno(err));
    profile = ParseProfile(DecodeProfileFile(text, encoding));
    return true;
}

// Written beside the file and renamed over it: a full disk or a kill mid-write leaves the
// earlier settings as they were.
bool SaveProfile(const std::string &host, const Profile &profile, ProfileEncoding encoding)
{
    size_t slash = host.rfind('/');
    std::string name = slash == std::string::npos ? host : host.substr(slash + 1);
    if (int err = ReplaceWholeFile(host, EncodeProfileFile(FormatProfile(profile), encoding), "." + name + ".")) {
        errno = err;
        return FailWithErrno();
    }
    return true;
}

// Names are equal without regard to case, in ASCII only: Wine folds no other letters here.
char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

bool NamesEqual(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

// The caller's section or key name as looked up: blanks at both ends do not count.
bool SameName(const std::string &stored, const std::string &wanted)
{
    return NamesEqual(stored, TrimProfileSpaces(wanted));
}

// The first section of that name, and in it the key: later sections of the same name are
// not looked into, as on Windows.
ProfileSection *FindSection(Profile &profile, const std::string &section)
{
    for (ProfileSection &s : profile) {
        if (SameName(s.name, section))
            return &s;
    }
    return nullptr;
}

ProfileKey *FindKey(Profile &profile, const std::string &section, const std::string &key)
{
    ProfileSection *s = FindSection(profile, section);
    if (!s)
        return nullptr;
    for (ProfileKey &k : s->keys) {
        if (SameName(k.name, key))
            return &k;
    }
    return nullptr;
}

std::string SkipLeadingSpaces(const std::string &text)
{
    size_t start = 0;
    while (start < text.size() && IsProfileSpace(text[start]))
        ++start;
    return text.substr(start);
}

// Sets the key, creating key and section at the end as needed. Returns whether the profile
// changed: writing the value a key already has leaves the file untouched.
bool SetValue(Profile &profile, const std::string &section, const std::string &key, const std::string &value)
{
    std::string text = SkipLeadingSpaces(value);
    if (ProfileKey *existing = FindKey(profile, section, key)) {
        if (existing->hasValue && existing->value == text)
            return false;
        existing->hasValue = true;
        existing->value = text;
        return true;
    }
    ProfileKey added = {SkipLeadingSpaces(key), true, text};
    if (ProfileSection *s = FindSection(profile, section))
        s->keys.push_back(added);
    else
        profile.push_back({SkipLeadingSpaces(section), {added}});
    return true;
}

// Deletion compares the names exactly as given (no trimming), as Wine does.
bool DeleteKey(Profile &profile, const std::string &section, const std::string &key)
{
    for (ProfileSection &s : profile) {
        if (!NamesEqual(s.name, section))
            continue;
        for (size_t i = 0; i < s.keys.size(); ++i) {
            if (NamesEqual(s.keys[i].name, key)) {
                s.keys.erase(s.keys.begin() + (long)i);
                return true;
            }
        }
    }
    return false;
}

bool DeleteSection(Profile &profile, const std::string &section)
{
    for (size_t i = 0; i < profile.size(); ++i) {
        if (NamesEqual(profile[i].name, section)) {
            profile.erase(profile.begin() + (long)i);
            return true;
        }
    }
    return false;
}

// A value into the caller's buffer: a value wholly in matching single or double quotes loses
// them (when the closing one would fit), and a long value is cut to size - 1 characters.
INT CopyValue(const std::string &value, LPSTR buffer, UINT size)
{
    std::string text = value;
    bool quoted = text.size() >= 2 && (text[0] == '\'' || text[0] == '"') && text.back() == text[0];
    if (quoted)
        text.erase(0, 1);
    size_t length = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    if (quoted && size >= text.size() && length > 0)
        buffer[--length] = '\0';
    return (INT)length;
}

// A list of names, each with its zero, and a second zero at the end. When the buffer is too
// small (or just fits, as Windows counts it) the last name that fits is cut, both zeros still
// follow and the result is size - 2.
class NameList {
public:
    NameList(LPSTR buffer, UINT size) : m_buffer(buffer), m_size(size), m_used(0), m_full(false) {}

    // FALSE once the buffer is full.
    bool Add(const std::string &name)
    {
        if (m_full)
            return false;
        if (m_used + name.size() + 2 >= m_size) {
            size_t room = m_size - m_used - 2;
            memcpy(m_buffer + m_used, name.data(), room);
            m_buffer[m_size - 2] = '\0';
            m_buffer[m_size - 1] = '\0';
            m_full = true;
            return false;
        }
        memcpy(m_buffer + m_used, name.c_str(), name.size() + 1);
        m_used += name.size() + 1;
        return true;
    }

    INT Finish()
    {
        if (m_full)
            return (INT)m_size - 2;
        m_buffer[m_used] = '\0';
        return (INT)m_used;
    }

private:
    LPSTR m_buffer;
    size_t m_size;
    size_t m_used;
    bool m_full;
};

INT SectionNames(const Profile &profile, LPSTR buffer, UINT size)
{
    if (size < 3) {
        memset(buffer, 0, size);
        return 0;
    }
    NameList list(buffer, size);
    for (const ProfileSection &s : profile) {
        if (!s.name.empty() && !list.Add(Utf8ToAnsi(s.name)))
            break;
    }
    return list.Finish();
}

// The names of the keys that have values; comments (';') and lines without '=' are left out.
INT KeyNames(Profile &profile, const std::string &section, LPSTR buffer, UINT size)
{
    buffer[0] = '\0';
    ProfileSection *s = nullptr;
    for (ProfileSection &candidate : profile) {
        if (NamesEqual(candidate.name, section)) {
            s = &candidate;
            break;
        }
    }
    if (!s || size < 3)
        return 0;
    NameList list(buffer, size);
    for (const ProfileKey &k : s->keys) {
        if (!k.hasValue || (!k.name.empty() && k.name[0] == ';'))
            continue;
        if (!list.Add(Utf8ToAnsi(k.name)))
            break;
    }
    return list.Finish();
}

// The default as the key lookup uses it: closing blanks dropped, but never its first character.
std::string TrimDefault(LPCSTR text)
{
    std::string value = text;
    while (value.size() > 1 && value.back() == ' ')
        value.pop_back();
    return value;
}

} // namespace

/***********************************************************************
 *           GetPrivateProfileStringA
 *
 * The key's value, or the default when the file, section or key is missing. With no
 * section, the names of the sections; with no key, the names of the section's keys: each
 * with its zero and a second zero after the last.
 */
DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0)
        return 0;
    if (!lpDefault)
        lpDefault = "";
    std::lock_guard<std::mutex> lock(g_profileLock);
    std::string host;
    Profile profile;
    ProfileEncoding encoding;
    bool opened = ProfileHostPath(lpFileName, host) && LoadProfile(host, false, profile, encoding);

    if (!lpAppName) {
        if (!opened) {
            lpReturnedString[0] = '\0';
            return 0;
        }
        return (DWORD)SectionNames(profile, lpReturnedString, nSize);
    }
    if (!lpKeyName) {
        INT length = opened ? KeyNames(profile, AnsiToUtf8(lpAppName), lpReturnedString, nSize) : 0;
        if (lpReturnedString[0])
            return (DWORD)length;
        return (DWORD)CopyValue(lpDefault, lpReturnedString, nSize);
    }

    std::string fallback = TrimDefault(lpDefault);
    if (!opened) {
        // A file that cannot be opened gives the default as it is, quotes and all.
        size_t length = fallback.size() < nSize - 1 ? fallback.size() : nSize - 1;
        memcpy(lpReturnedString, fallback.data(), length);
        lpReturnedString[length] = '\0';
        return (DWORD)length;
    }
    ProfileKey *key = FindKey(profile, AnsiToUtf8(lpAppName), AnsiToUtf8(lpKeyName));
    return (DWORD)CopyValue(key && key->hasValue ? Utf8ToAnsi(key->value) : fallback, lpReturnedString, nSize);
}

/***********************************************************************
 *           GetPrivateProfileIntA
 *
 * The value read as the system reads numbers: blanks, a sign, then decimal digits, or
 * "0x", "0o" or "0b" and digits of that base, up to the first character that is no digit,
 * modulo 2^32. An absent or empty value gives the default.
 */
UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    // The value is read into 30 characters, as Windows does.
    char buffer[30];
    if (GetPrivateProfileStringA(lpAppName, lpKeyName, "", buffer, sizeof buffer, lpFileName) == 0 || !buffer[0])
        return (UINT)nDefault;

    const char *p = buffer;
    while (*p && (unsigned char)*p <= ' ')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    UINT base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
        p += 2;
    }
    UINT value = 0;
    for (;; ++p) {
        UINT digit;
        if (*p >= '0' && *p <= '9')
            digit = (UINT)(*p - '0');
        else if (*p >= 'a' && *p <= 'z')
            digit = (UINT)(*p - 'a' + 10);
        else if (*p >= 'A' && *p <= 'Z')
            digit = (UINT)(*p - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

/***********************************************************************
 *           WritePrivateProfileStringA
 *
 * Sets a key, creating the file and the section as needed; a NULL value deletes the key, a
 * NULL key the whole section. A change writes the whole file back, CR LF after each line.
 */
BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName)
{
    // All three NULL asks to flush a cached file; nothing is cached here.
    if (!lpAppName && !lpKeyName && !lpString)
        return FALSE;
    std::lock_guard<std::mutex> lock(g_profileLock);
    std::string host;
    Profile profile;
    ProfileEncoding encoding;
    if (!ProfileHostPath(lpFileName, host) || !LoadProfile(host, true, profile, encoding))
        return FALSE;
    if (!lpAppName)
        return FailWith(ERROR_FILE_NOT_FOUND);

    std::string section = AnsiToUtf8(lpAppName);
    bool changed;
    if (!lpKeyName)
        changed = DeleteSection(profile, section);
    else if (!lpString)
        changed = DeleteKey(profile, section, AnsiToUtf8(lpKeyName));
    else
        changed = SetValue(profile, section, AnsiToUtf8(lpKeyName), AnsiToUtf8(lpString));
    return !changed || SaveProfile(host, profile, encoding);
}

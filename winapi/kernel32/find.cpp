// File searches: FindFirstFileA, FindNextFileA, FindClose.
#include <dirent.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "codepage.h"
#include "dospath.h"
#include "fileinfo.h"
#include "handles.h"
#include "lasterror.h"
#include "winbase.h"
#include "winerror.h"

namespace {

class FindObject : public KernelObject {
public:
    explicit FindObject(std::vector<WIN32_FIND_DATAA> found) : m_found(std::move(found)) {}
    bool Next(WIN32_FIND_DATAA &data)
    {
        if (m_next >= m_found.size())
            return false;
        data = m_found[m_next++];
        return true;
    }

private:
    std::vector<WIN32_FIND_DATAA> m_found;
    size_t m_next = 0;
};

// Windows' wildcards: '*' any run of characters, '?' exactly one, without regard to case.
bool MatchesMask(const std::string &name, const std::string &mask)
{
    size_t n = 0, m = 0;
    size_t starMask = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == '?' || AnsiUpper((unsigned char)mask[m]) == AnsiUpper((unsigned char)name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool IsShortNameCharacter(unsigned char c)
{
    return c > 0x20 && !strchr("\"*+,./:;<=>?[\\]|", c);
}

// The 8.3 alias Windows gives a name that is not a short name itself (at most eight
// characters, a dot and three, none that a short name cannot hold); "" for a short name.
// Searches match it too, which is why "*.256" finds "c.2560". Its shape is Wine's: four
// characters of the name padded with '~', a '~' and three of a hash, then the first three
// characters of the extension.
std::string ShortAlias(const std::string &name)
{
    if (name == "." || name == "..")
        return "";
    size_t dot = name.rfind('.');
    if (dot == 0)
        dot = std::string::npos; // a leading dot starts no extension
    std::string base = name.substr(0, dot);
    std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    bool isShort = !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
                   std::all_of(base.begin(), base.end(), [](char c) { return IsShortNameCharacter((unsigned char)c); }) &&
                   std::all_of(extension.begin(), extension.end(), [](char c) { return IsShortNameCharacter((unsigned char)c); });
    if (isShort)
        return "";
    auto shortCharacter = [](char c) { return IsShortNameCharacter((unsigned char)c) ? (char)AnsiUpper((unsigned char)c) : '_'; };
    std::string alias;
    for (size_t i = 0; i < base.size() && alias.size() < 4; ++i)
        alias += shortCharacter(base[i]);
    alias.resize(4, '~');
    alias += '~';
    DWORD hash = 2166136261u;
    for (char c : name)
        hash = (hash ^ AnsiUpper((unsigned char)c)) * 16777619u;
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; i < 3; ++i, hash /= 36)
        alias += kDigits[hash % 36];
    if (!extension.empty()) {
        alias += '.';
        for (size_t i = 0; i < extension.size() && i < 3; ++i)
            alias += shortCharacter(extension[i]);
    }
    return alias;
}

// NTFS lists a folder in the order of the upper-cased names.
bool ListedBefore(const WIN32_FIND_DATAA &a, const WIN32_FIND_DATAA &b)
{
    const unsigned char *x = (const unsigned char *)a.cFileName;
    const unsigned char *y = (const unsigned char *)b.cFileName;
    for (; *x && AnsiUpper(*x) == AnsiUpper(*y); ++x, ++y) {
    }
    return AnsiUpper(*x) < AnsiUpper(*y);
}

bool Describe(const std::string &folder, const std::string &hostName, WIN32_FIND_DATAA &data)
{
    std::string name = Utf8ToAnsi(hostName);
    struct stat st;
    if (name.size() >= MAX_PATH || stat((folder + "/" + hostName).c_str(), &st) != 0)
        return false;
    memset(&data, 0, sizeof data);
    data.dwFileAttributes = FileAttributesFromStat(hostName, st);
    // A Unix file system keeps no creation time (st_ctim is the last status change); Wine
    // reports the last write time there, and links record it, so do the same.
    data.ftCreationTime = FileTimeFromTimespec(st.st_mtim);
    data.ftLastAccessTime = FileTimeFromTimespec(st.st_atim);
    data.ftLastWriteTime = FileTimeFromTimespec(st.st_mtim);
    ULONGLONG size = S_ISDIR(st.st_mode) ? 0 : (ULONGLONG)st.st_size;
    data.nFileSizeHigh = (DWORD)(size >> 32);
    data.nFileSizeLow = (DWORD)size;
    memcpy(data.cFileName, name.c_str(), name.size() + 1);
    std::string alias = ShortAlias(name);
    memcpy(data.cAlternateFileName, alias.c_str(), alias.size() + 1);
    return true;
}

} // namespace

/***********************************************************************
 *           FindFirstFileA
 *
 * The last name of the path is the mask ("*.*" means every name), matched against each
 * name and its 8.3 alias. A folder other than a drive's root also lists "." and "..".
 * Names come in the order NTFS gives them.
 */
HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    std::string full, host;
    if (!lpFileName || !*lpFileName) {
        FailWith(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (!lpFindFileData) {
        FailWith(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (!DosFullPath(lpFileName, full))
        return INVALID_HANDLE_VALUE;
    size_t slash = full.rfind('\\');
    std::string folder = full.substr(0, slash + 1);
    std::string mask = full.substr(slash + 1);
    if (mask == "*.*")
        mask = "*";
    struct stat st;
    if (!DosPathToHost(folder.c_str(), host))
        return INVALID_HANDLE_VALUE;
    if (stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        FailWith(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    DIR *dir = mask.empty() ? nullptr : opendir(host.c_str());
    if (!mask.empty() && !dir) {
        FailWithErrno();
        return INVALID_HANDLE_VALUE;
    }
    bool driveRoot = folder.size() == 3;
    std::vector<WIN32_FIND_DATAA> dots, found;
    while (dir) {
        struct dirent *entry = readdir(dir);
        if (!entry)
            break;
        std::string name = entry->d_name;
        bool dot = name == "." || name == "..";
        std::string ansi = Utf8ToAnsi(name);
        std::string alias = ShortAlias(ansi);
        bool matches = MatchesMask(ansi, mask) || (!alias.empty() && MatchesMask(alias, mask));
        WIN32_FIND_DATAA data;
        if ((dot && driveRoot) || !matches || !Describe(host, name, data))
            continue;
        (dot ? dots : found).push_back(data);
    }
    if (dir)
        closedir(dir);
    std::sort(dots.begin(), dots.end(), ListedBefore);
    std::sort(found.begin(), found.end(), ListedBefore);
    found.insert(found.begin(), dots.begin(), dots.end());
    if (found.empty()) {
        FailWith(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FindObject *search = new FindObject(std::move(found));
    search->Next(*lpFindFileData);
    return HandleFromObject(search);
}

/***********************************************************************
 *           FindNextFileA
 */
BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    FindObject *search = ObjectFromHandleAs<FindObject>(hFindFile);
    if (!search)
        return FailWith(ERROR_INVALID_HANDLE);
    if (!lpFindFileData)
        return FailWith(ERROR_INVALID_PARAMETER);
    if (!search->Next(*lpFindFileData))
        return FailWith(ERROR_NO_MORE_FILES);
    return TRUE;
}

/***********************************************************************
 *           FindClose
 */
BOOL WINAPI FindClose(HANDLE hFindFile)
{
    if (!ObjectFromHandleAs<FindObject>(hFindFile) || !DestroyHandle(hFindFile))
        return FailWith(ERROR_INVALID_HANDLE);
    return TRUE;
}

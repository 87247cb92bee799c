// Windows paths: full-path formation, the way to the host file through the drive links, the
// way back, and the current folder.
#include "dospath.h"

#include <ctype.h>
#include <dirent.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "codepage.h"
#include "lasterror.h"
#include "winerror.h"

static bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

static bool StartsWithDrive(const std::string &p)
{
    return p.size() >= 2 && isalpha((unsigned char)p[0]) && p[1] == ':';
}

static bool IsNetworkPath(const std::string &p)
{
    return p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1]);
}

static const size_t kUnixPrefixLength = 8; // "\\?\unix"

// "\\?\unix" then a separator or the end: a host path, the way Wine names a file that no
// drive reaches.
static bool IsUnixPath(const std::string &p)
{
    return p.size() >= kUnixPrefixLength && IsSeparator(p[0]) && IsSeparator(p[1]) && p[2] == '?' &&
           IsSeparator(p[3]) && AnsiEqualIgnoringCase(p.substr(4, 4), "unix") &&
           (p.size() == kUnixPrefixLength || IsSeparator(p[kUnixPrefixLength]));
}

static std::vector<std::string> SplitNames(const std::string &path)
{
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (i > start)
                names.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return names;
}

// Resolves `rest` (names separated by \ or /) on top of `names`. A name other than the last
// loses one closing dot; the last loses every closing dot and blank: what Windows does.
// Returns whether the full path ends with a backslash: `rest` does, or its last name vanished.
static bool AppendNames(std::vector<std::string> &names, const std::string &rest)
{
    std::vector<std::string> parts = SplitNames(rest);
    bool closingBackslash = !rest.empty() && IsSeparator(rest.back());
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string name = parts[i];
        if (name == ".")
            continue;
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
            continue;
        }
        if (i + 1 < parts.size()) {
            if (name.back() == '.')
                name.pop_back();
        } else {
            while (!name.empty() && (name.back() == '.' || name.back() == ' '))
                name.pop_back();
            closingBackslash = closingBackslash || name.empty();
        }
        if (!name.empty())
            names.push_back(name);
    }
    return closingBackslash;
}

// Splits an absolute path into its root, which ".." never leaves ("C:\", "\\server\share\",
// "\\?\unix\"), and what follows it. FALSE for a path relative to the current folder or to a
// drive's current folder.
static bool SplitRoot(const std::string &p, std::string &root, std::string &rest)
{
    if (IsUnixPath(p)) {
        root = "\\\\?\\" + p.substr(4, 4) + "\\";
        rest = p.substr(std::min(p.size(), kUnixPrefixLength + 1));
        return true;
    }
    if (IsNetworkPath(p)) {
        // \\server\share is the root of a network path.
        std::vector<std::string> parts = SplitNames(p);
        root = "\\\\";
        for (size_t i = 0; i < parts.size() && i < 2; ++i)
            root += parts[i] + "\\";
        rest.clear();
        for (size_t i = 2; i < parts.size(); ++i)
            rest += (i > 2 ? "\\" : "") + parts[i];
        if (IsSeparator(p.back()))
            rest += "\\";
        return true;
    }
    if (StartsWithDrive(p) && p.size() > 2 && IsSeparator(p[2])) {
        root = p.substr(0, 2) + "\\";
        rest = p.substr(3);
        return true;
    }
    return false;
}

BOOL DosFullPath(LPCSTR path, std::string &full)
{
    if (!path || !*path)
        return FailWith(ERROR_INVALID_NAME);
    std::string p(path);
    std::string root, rest;
    std::vector<std::string> names;
    if (!SplitRoot(p, root, rest)) {
        std::string current = DosCurrentDirectory();
        std::string currentRest;
        SplitRoot(current, root, currentRest);
        if (StartsWithDrive(p)) {
            // Drive-relative: the current folder when it is on that drive, else the drive's root.
            if (StartsWithDrive(current) && toupper((unsigned char)p[0]) == toupper((unsigned char)current[0]))
                names = SplitNames(currentRest);
            else
                root = p.substr(0, 2) + "\\";
            rest = p.substr(2);
            if (rest.empty())
                rest = "\\";
        } else if (IsSeparator(p[0])) {
            rest = p.substr(1);
        } else {
            names = SplitNames(currentRest);
            rest = p;
        }
    }
    bool closingBackslash = AppendNames(names, rest);
    full = root;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            full += '\\';
        full += names[i];
    }
    if (!names.empty() && closingBackslash)
        full += '\\';
    return TRUE;
}

static bool HasInvalidCharacter(const std::string &name)
{
    for (unsigned char c : name) {
        if (c < 0x20 || strchr("<>:\"|?*", c))
            return true;
    }
    return false;
}

// The entry of `folder` whose name, in ANSI, equals `name` without regard to case; the
// smallest such when there are several, so that the choice does not depend on disk order.
static bool FindNameIgnoringCase(const std::string &folder, const std::string &name, std::string &found)
{
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return false;
    bool any = false;
    while (struct dirent *entry = readdir(dir)) {
        std::string candidate = entry->d_name;
        if (AnsiEqualIgnoringCase(Utf8ToAnsi(candidate), name) && (!any || candidate < found)) {
            found = candidate;
            any = true;
        }
    }
    closedir(dir);
    return any;
}

static std::string DriveLink(char letter)
{
    return DosPrefixRoot() + "/dosdevices/" + (char)tolower((unsigned char)letter) + ":";
}

BOOL DosPathToHost(LPCSTR path, std::string &host)
{
    std::string full;
    if (!DosFullPath(path, full))
        return FALSE;
    // A \\?\unix\ path starts at the host's root and, as in Wine, names the host's files
    // exactly as spelled: no other case, and any character a host name may hold.
    bool unixPath = IsUnixPath(full);
    if (!unixPath && IsNetworkPath(full))
        return FailWith(ERROR_BAD_NETPATH);
    std::string current = unixPath ? "" : DriveLink(full[0]);
    struct stat st;
    if (!unixPath && (stat(current.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)))
        return FailWith(ERROR_PATH_NOT_FOUND);
    std::vector<std::string> names = SplitNames(full.substr(unixPath ? kUnixPrefixLength + 1 : 3));
    for (size_t i = 0; i < names.size(); ++i) {
        // A name ".." is left of "..." by full-path forming; no file has it, and on the host
        // it would climb out of the drive's folder.
        if (names[i] == ".." || (!unixPath && HasInvalidCharacter(names[i])))
            return FailWith(ERROR_INVALID_NAME);
        std::string next = current + "/" + AnsiToUtf8(names[i]);
        std::string existing;
        if (!unixPath && lstat(next.c_str(), &st) != 0 && FindNameIgnoringCase(current, names[i], existing))
            next = current + "/" + existing;
        if (i + 1 < names.size() && (stat(next.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)))
            return FailWith(ERROR_PATH_NOT_FOUND);
        current = next;
    }
    host = current.empty() ? "/" : current;
    return TRUE;
}

BOOL HostPathToDos(const std::string &host, std::string &dos)
{
    struct Drive { char letter; dev_t dev; ino_t ino; };
    std::vector<Drive> drives;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        struct stat st;
        if (stat(DriveLink(letter).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            drives.push_back({letter, st.st_dev, st.st_ino});
    }
    // From the whole path up to "/": the first folder that is a drive's folder.
    std::string folder = host;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    for (;;) {
        struct stat st;
        if (stat(folder.c_str(), &st) == 0) {
            for (const Drive &drive : drives) {
                if (drive.dev != st.st_dev || drive.ino != st.st_ino)
                    continue;
                dos = std::string(1, (char)toupper((unsigned char)drive.letter)) + ":\\";
                std::vector<std::string> names = SplitNames(host.substr(folder.size()));
                for (size_t i = 0; i < names.size(); ++i)
                    dos += (i > 0 ? "\\" : "") + Utf8ToAnsi(names[i]);
                return TRUE;
            }
        }
        if (folder == "/" || folder.empty())
            return FALSE;
        size_t slash = folder.rfind('/');
        folder = slash == 0 ? "/" : folder.substr(0, slash);
    }
}

std::string HostPathToUnixDos(const std::string &host)
{
    std::string dos = "\\\\?\\unix" + Utf8ToAnsi(host);
    std::replace(dos.begin(), dos.end(), '/', '\\');
    return dos;
}

static std::mutex g_currentLock;
static std::string g_currentDirectory;

std::string DosCurrentDirectory()
{
    std::lock_guard<std::mutex> lock(g_currentLock);
    if (g_currentDirectory.empty()) {
        char buf[4096];
        std::string dos;
        if (getcwd(buf, sizeof buf) && HostPathToDos(buf, dos))
            g_currentDirectory = dos;
        else
            g_currentDirectory = DosWindowsDirectory();
    }
    return g_currentDirectory;
}

void DosSetCurrentDirectory(const std::string &full)
{
    std::lock_guard<std::mutex> lock(g_currentLock);
    g_currentDirectory = full;
}

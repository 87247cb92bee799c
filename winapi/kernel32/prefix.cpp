// The prefix root and the folders Wine lays out in a new prefix.
#include "dospath.h"

#include <errno.h>
#include <pwd.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "codepage.h"

static std::string HostWorkingDirectory()
{
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string("/");
}

static std::string RootFromEnvironment()
{
    const char *prefix = getenv("WINEPREFIX");
    if (prefix && *prefix)
        return prefix[0] == '/' ? std::string(prefix) : HostWorkingDirectory() + "/" + prefix;
    const char *home = getenv("HOME");
    if (!home || !*home) {
        struct passwd *pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : "/";
    }
    return std::string(home) + "/.wine";
}

// Makes every missing folder of `path`, from the top. 0, or the errno of the first folder that
// cannot be made, with that folder in `failed`.
static int MakeFolders(const std::string &path, std::string &failed)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            int error = errno;
            failed = folder;
            return error;
        }
        if (slash == std::string::npos)
            return 0;
    }
}

// A new prefix, laid out as Wine does when it creates one. 0, or the errno of the folder that
// could not be made (in `failed`); a dosdevices folder made meanwhile by another process is
// that process's layout.
static int LayOutPrefix(const std::string &root, std::string &failed)
{
    if (int error = MakeFolders(root, failed))
        return error;
    std::string dosdevices = root + "/dosdevices";
    if (mkdir(dosdevices.c_str(), 0777) != 0) {
        int error = errno == EEXIST ? 0 : errno;
        failed = dosdevices;
        return error;
    }
    mkdir((root + "/drive_c").c_str(), 0777);
    symlink("../drive_c", (dosdevices + "/c:").c_str());
    symlink("/", (dosdevices + "/z:").c_str());
    mkdir((root + "/drive_c/windows").c_str(), 0777);
    return MakeFolders(root + "/drive_c/users/" + DosUserName() + "/Temp", failed);
}

static bool IsLaidOut(const std::string &root)
{
    struct stat st;
    return stat((root + "/dosdevices").c_str(), &st) == 0;
}

std::string DosUserName()
{
    const char *user = getenv("USER");
    if (user && *user)
        return user;
    struct passwd *pw = getpwuid(getuid());
    return pw ? pw->pw_name : "wine";
}

std::string DosPrefixRoot()
{
    std::string root = RootFromEnvironment();
    std::string failed;
    if (!IsLaidOut(root))
        LayOutPrefix(root, failed);
    return root;
}

BOOL DosPreparePrefix(std::string &problem)
{
    std::string root = RootFromEnvironment();
    const char *prefix = getenv("WINEPREFIX");
    std::string name = (prefix && *prefix ? "WINEPREFIX " : "the prefix ") + root;
    struct stat st;
    bool existed = stat(root.c_str(), &st) == 0;
    if (existed && !S_ISDIR(st.st_mode)) {
        problem = name + " is not a folder";
        return FALSE;
    }
    // Laid out already, it is still written in: the registry files, the installed files.
    if (existed && access(root.c_str(), W_OK | X_OK) != 0) {
        int error = errno;
        problem = name + " cannot be written: " + strerror(error);
        return FALSE;
    }
    if (IsLaidOut(root))
        return TRUE;
    std::string failed;
    int error = LayOutPrefix(root, failed);
    if (error == 0)
        return TRUE;
    // The folders are made from the top, so a folder that is no folder is right above the
    // first one that could not be made.
    if (error == ENOTDIR)
        problem = name + " cannot be created: " + failed.substr(0, failed.rfind('/')) + " is not a folder";
    else
        problem = name + (existed ? " cannot be written: " : " cannot be created: ") + strerror(error);
    return FALSE;
}

std::string DosWindowsDirectory()
{
    return "C:\\windows";
}

std::string DosTempDirectory()
{
    return "C:\\users\\" + Utf8ToAnsi(DosUserName()) + "\\Temp\\";
}

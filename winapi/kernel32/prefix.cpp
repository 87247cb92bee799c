// The prefix root and the folders Wine lays out in a new prefix.
#include "dospath.h"

#include <errno.h>
#include <pwd.h>
#include <stdlib.h>
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

static void MakeFolders(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0777);
    mkdir(path.c_str(), 0777);
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
    std::string dosdevices = root + "/dosdevices";
    struct stat st;
    if (stat(dosdevices.c_str(), &st) == 0)
        return root;
    // A new prefix, laid out as Wine does when it creates one.
    MakeFolders(root);
    if (mkdir(dosdevices.c_str(), 0777) != 0)
        return root;
    mkdir((root + "/drive_c").c_str(), 0777);
    symlink("../drive_c", (dosdevices + "/c:").c_str());
    symlink("/", (dosdevices + "/z:").c_str());
    mkdir((root + "/drive_c/windows").c_str(), 0777);
    MakeFolders(root + "/drive_c/users/" + DosUserName() + "/Temp");
    return root;
}

std::string DosWindowsDirectory()
{
    return "C:\\windows";
}

std::string DosTempDirectory()
{
    return "C:\\users\\" + Utf8ToAnsi(DosUserName()) + "\\Temp\\";
}

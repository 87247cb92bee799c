#include "prefix_paths.h"

#include "dump_text.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> SortedNames(const fs::path &dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

fs::path FindNoCase(const fs::path &dir, const std::string &name)
{
    std::error_code ec;
    if (fs::exists(dir / name, ec))
        return dir / name;
    for (const std::string &entry : SortedNames(dir)) {
        if (EqualsNoCase(entry, name))
            return dir / entry;
    }
    return {};
}

PrefixPath ChildPath(const PrefixPath &dir, const std::string &relative)
{
    PrefixPath result = dir;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos)
            end = relative.size();
        std::string part = relative.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;
        fs::path found = FindNoCase(result.host, part);
        std::string name = found.empty() ? part : found.filename().string();
        result.host /= name;
        if (!result.shown.empty() && result.shown.back() != '/')
            result.shown += '/';
        result.shown += name;
    }
    return result;
}

PrefixPath DriveC(const fs::path &prefix)
{
    return {prefix / "drive_c", ""};
}

// The folder a drive letter names: dosdevices/<letter>: as Wine resolves it, with drive_c
// for C: in a prefix that has no dosdevices yet.
static PrefixPath DriveRoot(const fs::path &prefix, char letter)
{
    std::error_code ec;
    std::string device = std::string(1, static_cast<char>(std::tolower(letter))) + ":";
    fs::path link = prefix / "dosdevices" / device;
    fs::path driveC = prefix / "drive_c";
    if (fs::exists(link, ec)) {
        if (fs::equivalent(link, driveC, ec))
            return DriveC(prefix);
        return {link, std::string(1, static_cast<char>(std::toupper(letter))) + ":/"};
    }
    if (device == "c:")
        return DriveC(prefix);
    return {link, std::string(1, static_cast<char>(std::toupper(letter))) + ":/"};
}

PrefixPath WindowsPathInPrefix(const fs::path &prefix, const std::string &windowsPath)
{
    if (windowsPath.size() < 2 || windowsPath[1] != ':' || !std::isalpha(static_cast<unsigned char>(windowsPath[0])))
        return {prefix / "drive_c" / "?", "?" + windowsPath};
    std::string rest = windowsPath.substr(2);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return ChildPath(DriveRoot(prefix, windowsPath[0]), rest);
}

std::vector<std::string> UserFolders(const fs::path &prefix)
{
    std::vector<std::string> users;
    fs::path root = FindNoCase(prefix / "drive_c", "users");
    if (root.empty())
        return users;
    std::error_code ec;
    for (const std::string &name : SortedNames(root)) {
        if (!EqualsNoCase(name, "Public") && fs::is_directory(root / name, ec))
            users.push_back(name);
    }
    return users;
}

// Where things are in a Wine-style prefix: drives through dosdevices, names matched
// without regard to case as Windows does, the user folders under C:\users.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct PrefixPath {
    std::filesystem::path host;  // the file on this machine (may not exist)
    std::string shown;           // relative to drive_c, or "X:/..." on another drive
};

// The child of DIR named NAME: the exact name if it exists, else one that differs only
// in case; empty when there is none.
std::filesystem::path FindNoCase(const std::filesystem::path &dir, const std::string &name);

// A path below DIR given as '/'-separated components, each matched like FindNoCase;
// components not found are kept as written.
PrefixPath ChildPath(const PrefixPath &dir, const std::string &relative);

// A Windows path such as "C:\Games\Fern\" in the prefix.
PrefixPath WindowsPathInPrefix(const std::filesystem::path &prefix, const std::string &windowsPath);

// drive_c itself.
PrefixPath DriveC(const std::filesystem::path &prefix);

// The names of the folders in C:\users that belong to a user (not "Public"), sorted.
std::vector<std::string> UserFolders(const std::filesystem::path &prefix);

// The entries of a folder, sorted by name; empty when it cannot be read.
std::vector<std::string> SortedNames(const std::filesystem::path &dir);

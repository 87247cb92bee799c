// Keys and values read from a registry file in Wine's text format (system.reg, user.reg),
// which both Wine and our own advapi32 write.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct RegKeyDump {
    std::string path;                // shown form, one backslash between names
    std::vector<std::string> lines;  // "value ..." lines sorted by name, then "meta ..." lines
};

// The key KEYPATH (names separated by one backslash, matched without regard to case) and
// every key below it, sorted by path. Timestamps and #time lines are left out. Returns
// false when the file cannot be read.
bool ReadRegistryBranch(const std::filesystem::path &file, const std::string &keyPath,
                        std::vector<RegKeyDump> &keys);

// fvpat.ini may come from an earlier version of the game, or from the user's editor. Whatever
// it holds, the profile functions must not crash or hang, and writing one key must leave
// every other key reading as it did.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "scratch.h"
#include "winbase.h"

namespace {

const char kFile[] = "C:\\fuzz.ini";
std::string g_hostFile;

// A scratch prefix for the whole run; the settings file lies at its C:\.
void PreparePrefix()
{
    std::string root = ScratchFolder("ini");
    setenv("WINEPREFIX", root.c_str(), 1);
    char windows[MAX_PATH];
    if (!GetWindowsDirectoryA(windows, sizeof windows))
        abort();
    g_hostFile = root + "/drive_c/fuzz.ini";
}

// The NUL-separated list that GetPrivateProfileStringA gives for a NULL section or key.
std::vector<std::string> List(LPCSTR section)
{
    std::vector<char> buffer(65536);
    DWORD length = GetPrivateProfileStringA(section, NULL, "", buffer.data(), (DWORD)buffer.size(), kFile);
    std::vector<std::string> names;
    for (DWORD at = 0; at < length && buffer[at];) {
        names.emplace_back(buffer.data() + at);
        at += (DWORD)names.back().size() + 1;
    }
    return names;
}

std::string Read(const std::string &section, const std::string &key)
{
    char value[4000];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<default>", value, sizeof value, kFile);
    GetPrivateProfileIntA(section.c_str(), key.c_str(), -1000, kFile);
    return value;
}

typedef std::vector<std::pair<std::pair<std::string, std::string>, std::string>> Settings;

Settings ReadAll()
{
    Settings settings;
    for (const std::string &section : List(NULL))
        for (const std::string &key : List(section.c_str()))
            settings.push_back({{section, key}, Read(section, key)});
    return settings;
}

// A name as the profile functions look it up: without the blanks around it (tab to carriage
// return, ^Z and space, as Wine trims them), in any case.
bool SameName(const std::string &name, const char *wanted)
{
    static const char kBlanks[] = " \t\n\v\f\r\x1a";
    size_t first = name.find_first_not_of(kBlanks), last = name.find_last_not_of(kBlanks);
    std::string trimmed = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    return !strcasecmp(trimmed.c_str(), wanted);
}

// The key the target writes; and keys without a name, which no caller can ask for and which
// may change sections on a rewrite: a section named "" is written without its header, as
// Wine writes it, so its keys join the section before it.
bool IsLeftOut(const std::string &section, const std::string &key)
{
    return (SameName(section, "Net News") && SameName(key, "Name")) || SameName(key, "");
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (g_hostFile.empty())
        PreparePrefix();
    WriteWhole(g_hostFile, data, size);

    Settings before = ReadAll();
    if (!WritePrivateProfileStringA("Net News", "Name", "Ada", kFile))
        abort();
    if (Read("Net News", "Name") != "Ada")
        abort();
    for (const auto &setting : before) {
        const std::string &section = setting.first.first, &key = setting.first.second;
        if (!IsLeftOut(section, key) && Read(section, key) != setting.second)
            abort();
    }
    return 0;
}

// prefixdump [--install-folder FOLDER] PREFIX
//
// Prints what the setup program left in a Wine-style prefix, one fact a line, in a fixed
// order and sorted within each part, so that the dumps of two prefixes compare line by
// line: the install folder's files, the catalogue-named files in the temporary folder,
// fvpat.ini byte for byte, the uninstall key, and the shell links. What is missing is
// printed as absent.
#include "dump_text.h"
#include "prefix_paths.h"
#include "reg_file.h"
#include "shell_link.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char kDefaultInstallFolder[] = "C:\\Fernvale Patience\\";
const char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Fernvale Patience Deluxe";
const char kProgramsFolder[] = "AppData/Roaming/Microsoft/Windows/Start Menu/Programs";
const char kGroupFolder[] = "Fernvale Games";

const std::vector<std::string> kCatalogueNames = {
    "rune32c.dll", "Bramblecote Studios.url", "fvp_1.mid", "fvpat.exe", "notes.doc",
    "fvpat.hlp", "terms.doc", "blurb.diz", "fvp_2.mid", "tunes.txt", "tunes_dir.txt",
    "texts.dat", "fvp_3.mid", "fvp_voyage.mid", "seed.rnd", "core.gob", "shop.gob",
    "shop.exe", "plain.dck", "mystic.dck", "large.dck",
};
const std::vector<std::string> kDesktopLinks = {"Fernvale Patience Deluxe.lnk"};
const std::vector<std::string> kProgramsLinks = {"Fernvale Patience Deluxe.lnk"};
const std::vector<std::string> kGroupLinks = {
    "FV Patience Deluxe.lnk", "FV Patience Deluxe Help.lnk", "FV Patience Deluxe Readme.lnk",
    "Uninstall FV Patience Deluxe.lnk", "FV Patience Deluxe Order Form.lnk",
    "Bramblecote Studios web page.lnk",
};

std::string Quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

bool IsFolder(const fs::path &path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool ReadWholeFile(const fs::path &path, std::string &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::vector<std::string> SortedNoCase(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        std::string la = LowerAscii(a), lb = LowerAscii(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

// The folder an uninstall command names: the text before "\fvpat.exe", with or without
// quotation marks around the program's path, ending with a backslash.
bool FolderOfUninstallCommand(const std::string &command, std::string &folder)
{
    std::string text = command;
    if (!text.empty() && text[0] == '"')
        text.erase(0, 1);
    size_t at = LowerAscii(text).find("\\fvpat.exe");
    if (at == std::string::npos || at == 0)
        return false;
    folder = text.substr(0, at);
    if (folder.back() != '\\')
        folder += '\\';
    return true;
}

bool FolderFromUninstallKey(const std::vector<RegKeyDump> &keys, std::string &folder)
{
    const std::string start = "value \"uninstallstring\" sz \"";
    if (keys.empty() || !EqualsNoCase(keys[0].path, kUninstallKey))
        return false;
    for (const std::string &line : keys[0].lines) {
        if (line.size() > start.size() && LowerAscii(line.substr(0, start.size())) == start &&
            line.back() == '"')
            return FolderOfUninstallCommand(line.substr(start.size(), line.size() - start.size() - 1), folder);
    }
    return false;
}

// "install_path" of section "install", as the profile functions read it: names without
// regard to case, blanks around the value and one pair of quotation marks removed.
bool FolderFromSettings(const std::string &ini, std::string &folder)
{
    auto trim = [](std::string text) {
        size_t first = text.find_first_not_of(" \t");
        size_t last = text.find_last_not_of(" \t\r");
        return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    };
    bool inInstall = false;
    size_t start = 0;
    while (start < ini.size()) {
        size_t end = ini.find('\n', start);
        if (end == std::string::npos)
            end = ini.size();
        std::string line = trim(ini.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            size_t close = line.find(']');
            inInstall = close != std::string::npos && EqualsNoCase(trim(line.substr(1, close - 1)), "install");
            continue;
        }
        size_t equals = line.find('=');
        if (!inInstall || equals == std::string::npos || !EqualsNoCase(trim(line.substr(0, equals)), "install_path"))
            continue;
        std::string value = trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.empty())
            return false;
        folder = value;
        return true;
    }
    return false;
}

void DumpInstallFolder(const fs::path &prefix, const std::string &windowsFolder, const char *source)
{
    std::cout << "install-folder " << Quoted(VisibleBytes(windowsFolder)) << " from " << source << "\n";
    PrefixPath folder = WindowsPathInPrefix(prefix, windowsFolder);
    if (!IsFolder(folder.host)) {
        std::cout << "folder " << Quoted(folder.shown) << " absent\n";
        return;
    }
    std::cout << "folder " << Quoted(folder.shown) << "\n";
    std::vector<std::string> entries;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder.host, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(fs::relative(it->path(), folder.host).string());
    std::sort(entries.begin(), entries.end());
    for (const std::string &entry : entries) {
        fs::path path = folder.host / entry;
        std::string shown = Quoted(folder.shown + "/" + VisibleBytes(entry));
        if (IsFolder(path))
            std::cout << "dir " << shown << "\n";
        else
            std::cout << "file " << shown << " " << FileSummary(path) << "\n";
    }
}

void DumpTemporaryFiles(const fs::path &prefix, const std::vector<std::string> &users)
{
    for (const std::string &user : users) {
        PrefixPath temp = ChildPath(DriveC(prefix), "users/" + user + "/Temp");
        if (!IsFolder(temp.host)) {
            std::cout << "temp-folder " << Quoted(temp.shown) << " absent\n";
            continue;
        }
        std::cout << "temp-folder " << Quoted(temp.shown) << "\n";
        for (const std::string &name : SortedNoCase(kCatalogueNames)) {
            fs::path file = FindNoCase(temp.host, name);
            if (file.empty())
                std::cout << "temp " << Quoted(name) << " absent\n";
            else
                std::cout << "temp " << Quoted(file.filename().string()) << " " << FileSummary(file) << "\n";
        }
    }
}

// fvpat.ini line by line, each line's end shown as \r\n, \n or "no line end".
void DumpSettingsFile(const PrefixPath &ini, const std::string &bytes, bool present)
{
    if (!present) {
        std::cout << "ini " << Quoted(ini.shown) << " absent\n";
        return;
    }
    std::cout << "ini " << Quoted(ini.shown) << " size=" << bytes.size() << "\n";
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string ending = "no line end";
        size_t textEnd = bytes.size();
        if (end != std::string::npos) {
            textEnd = end;
            ending = "\\n";
            if (end > start && bytes[end - 1] == '\r') {
                textEnd = end - 1;
                ending = "\\r\\n";
            }
        }
        std::cout << "ini-line " << Quoted(VisibleBytes(bytes.substr(start, textEnd - start))) << " " << ending << "\n";
        start = end == std::string::npos ? bytes.size() : end + 1;
    }
}

void DumpUninstallKey(bool readable, const std::vector<RegKeyDump> &keys)
{
    if (!readable) {
        std::cout << "registry \"system.reg\" absent\n";
        return;
    }
    if (keys.empty() || !EqualsNoCase(keys[0].path, kUninstallKey))
        std::cout << "key " << Quoted(kUninstallKey) << " absent\n";
    for (const RegKeyDump &key : keys) {
        std::cout << "key " << Quoted(key.path) << "\n";
        for (const std::string &line : key.lines)
            std::cout << line << "\n";
    }
}

bool IsLinkName(const std::string &name)
{
    return name.size() > 4 && EqualsNoCase(name.substr(name.size() - 4), ".lnk");
}

void DumpLinkFolder(const PrefixPath &folder, const std::vector<std::string> &expected)
{
    if (!IsFolder(folder.host)) {
        std::cout << "link-folder " << Quoted(folder.shown) << " absent\n";
        return;
    }
    std::cout << "link-folder " << Quoted(folder.shown) << "\n";
    std::vector<std::string> names;
    for (const std::string &name : SortedNames(folder.host)) {
        if (IsLinkName(name) && !IsFolder(folder.host / name))
            names.push_back(name);
    }
    for (const std::string &name : expected) {
        if (FindNoCase(folder.host, name).empty())
            names.push_back(name);
    }
    for (const std::string &name : SortedNoCase(names)) {
        fs::path file = folder.host / name;
        std::string shown = Quoted(folder.shown + "/" + VisibleBytes(name));
        std::error_code ec;
        if (!fs::exists(file, ec)) {
            std::cout << "link " << shown << " absent\n";
            continue;
        }
        std::vector<std::string> lines;
        std::string error;
        if (!DecodeShellLink(file, lines, error)) {
            std::cout << "link " << shown << " unreadable: " << error << "\n";
            continue;
        }
        std::cout << "link " << shown << "\n";
        for (const std::string &line : lines)
            std::cout << "  " << line << "\n";
    }
}

void DumpLinks(const fs::path &prefix, const std::vector<std::string> &users)
{
    for (const std::string &user : users) {
        PrefixPath home = ChildPath(DriveC(prefix), "users/" + user);
        PrefixPath programs = ChildPath(home, kProgramsFolder);
        DumpLinkFolder(ChildPath(home, "Desktop"), kDesktopLinks);
        DumpLinkFolder(programs, kProgramsLinks);
        DumpLinkFolder(ChildPath(programs, kGroupFolder), kGroupLinks);
    }
}

int Usage()
{
    std::cerr << "usage: prefixdump [--install-folder FOLDER] PREFIX\n"
                 "  FOLDER is a Windows path such as \"C:\\Games\\Fern\\\"; by default the folder\n"
                 "  named by the uninstall key, else by fvpat.ini, else C:\\Fernvale Patience\\\n";
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    std::string forcedFolder;
    std::string prefixArgument;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--install-folder" && i + 1 < argc)
            forcedFolder = argv[++i];
        else if (prefixArgument.empty() && !arg.empty() && arg[0] != '-')
            prefixArgument = arg;
        else
            return Usage();
    }
    if (prefixArgument.empty())
        return Usage();
    const fs::path prefix = prefixArgument;
    if (!IsFolder(prefix / "drive_c")) {
        std::cerr << "prefixdump: " << prefix.string() << " is not a prefix (no drive_c)\n";
        return 2;
    }

    std::vector<RegKeyDump> keys;
    bool registryReadable = ReadRegistryBranch(prefix / "system.reg", kUninstallKey, keys);
    PrefixPath ini = ChildPath(DriveC(prefix), "windows/fvpat.ini");
    std::string iniBytes;
    bool iniPresent = ReadWholeFile(ini.host, iniBytes) && !IsFolder(ini.host);
    std::vector<std::string> users = UserFolders(prefix);

    std::string folder;
    const char *source = "option";
    if (!forcedFolder.empty()) {
        folder = forcedFolder;
    } else if (FolderFromUninstallKey(keys, folder)) {
        source = "uninstall-key";
    } else if (iniPresent && FolderFromSettings(iniBytes, folder)) {
        source = "fvpat.ini";
    } else {
        folder = kDefaultInstallFolder;
        source = "default";
    }

    std::cout << "prefix-dump 1\n";
    DumpInstallFolder(prefix, folder, source);
    if (users.empty())
        std::cout << "users none\n";
    DumpTemporaryFiles(prefix, users);
    DumpSettingsFile(ini, iniBytes, iniPresent);
    DumpUninstallKey(registryReadable, keys);
    DumpLinks(prefix, users);
    return std::cout.good() ? 0 : 1;
}

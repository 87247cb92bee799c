// Writes and reads shell links through the Win32 API; built for Linux over our winapi and for
// Windows with mingw-w64, so the same calls can be made on both and the results compared.
//
//   linktool write CASES   makes the links listed in CASES, one a line, fields split by '|':
//                            desktop|TITLE|TARGET|WORKDIR[|ARGUMENTS]
//                            programs|GROUP|TITLE|TARGET|WORKDIR[|ARGUMENTS]   (GROUP may be empty)
//   linktool read LINK...  loads each link with IPersistFile::Load and prints what
//                          IShellLinkA gives back
//   linktool bytes LINK    prints the link file in hex, the item id list's access times
//                          (which change whenever a folder is read) shown as "...."
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Shortcuts.h"
#include "link_text.h"

static std::vector<std::string> Split(const std::string &line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
        fields.push_back(line.substr(start, bar - start));
    fields.push_back(line.substr(start));
    return fields;
}

static int Write(const char *casesFile)
{
    std::ifstream cases(casesFile, std::ios::binary);
    if (!cases) {
        fprintf(stderr, "linktool: cannot read %s\n", casesFile);
        return 2;
    }
    std::string line;
    while (std::getline(cases, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> f = Split(line);
        if (f[0] == "desktop" && (f.size() == 4 || f.size() == 5)) {
            CreateDesktopShortcut(f[1].c_str(), f[2].c_str(), f[3].c_str(), f.size() == 5 ? f[4].c_str() : NULL);
        } else if (f[0] == "programs" && (f.size() == 5 || f.size() == 6)) {
            CreateProgramsShortcut(f[1].empty() ? NULL : f[1].c_str(), f[2].c_str(), f[3].c_str(), f[4].c_str(),
                                   f.size() == 6 ? f[5].c_str() : NULL);
        } else {
            fprintf(stderr, "linktool: bad case line: %s\n", line.c_str());
            return 2;
        }
    }
    return 0;
}

static int Read(int count, char **links)
{
    int status = 0;
    CoInitialize(NULL);
    for (int i = 0; i < count; i++) {
        printf("link %s\n", links[i]);
        LinkText text;
        HRESULT hr = ReadLinkText(links[i], SLGP_RAWPATH, text);
        if (FAILED(hr)) {
            printf("  failed 0x%08lx\n", (unsigned long)hr);
            status = 1;
            continue;
        }
        printf("  target \"%s\"\n", text.target.c_str());
        printf("  arguments \"%s\"\n", text.arguments.c_str());
        printf("  workdir \"%s\"\n", text.workdir.c_str());
        printf("  description \"%s\"\n", text.description.c_str());
    }
    CoUninitialize();
    return status;
}

static unsigned Word(const std::string &b, size_t at)
{
    return (unsigned char)b[at] | (unsigned char)b[at + 1] << 8;
}

static int Bytes(const char *linkFile)
{
    std::ifstream in(linkFile, std::ios::binary);
    if (!in) {
        fprintf(stderr, "linktool: cannot read %s\n", linkFile);
        return 2;
    }
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<bool> hidden(b.size(), false);
    // Items of files and folders end with the offset of their Unicode part, whose access
    // date and time sit 12 bytes in.
    if (b.size() > 0x4e && (b[0x14] & 1)) {
        size_t end = 0x4e + Word(b, 0x4c);
        for (size_t item = 0x4e; item + 2 <= end && item + 2 <= b.size();) {
            unsigned cb = Word(b, item);
            if (cb == 0 || item + cb > b.size())
                break;
            if (cb > 18 && (b[item + 2] & 0x70) == 0x30) {
                size_t ext = item + Word(b, item + cb - 2);
                for (size_t k = ext + 12; k < ext + 16 && k < item + cb; k++)
                    hidden[k] = true;
            }
            item += cb;
        }
    }
    for (size_t i = 0; i < b.size(); i++) {
        if (hidden[i])
            printf("..");
        else
            printf("%02x", (unsigned char)b[i]);
        printf((i % 16 == 15 || i + 1 == b.size()) ? "\n" : " ");
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "write") == 0)
        return Write(argv[2]);
    if (argc >= 3 && strcmp(argv[1], "read") == 0)
        return Read(argc - 2, argv + 2);
    if (argc == 3 && strcmp(argv[1], "bytes") == 0)
        return Bytes(argv[2]);
    fprintf(stderr, "usage: linktool write CASES | read LINK... | bytes LINK\n");
    return 2;
}

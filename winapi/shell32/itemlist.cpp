// Item id lists of drive paths, byte for byte as Wine 8 writes them into shell links.
#include "itemlist.h"

#include <string.h>
#include <time.h>

#include "codepage.h"
#include "little_endian.h"
#include "winbase.h"

namespace {

const BYTE kTypeMyComputer = 0x1f;
const BYTE kTypeDrive = 0x23;
const BYTE kTypeFolder = 0x31;
const BYTE kTypeFile = 0x32;

// {20D04FE0-3AEA-1069-A2D8-08002B30309D}, "My Computer", in its stored byte order.
const BYTE kMyComputer[16] = {0xe0, 0x4f, 0xd0, 0x20, 0xea, 0x3a, 0x69, 0x10,
                              0xa2, 0xd8, 0x08, 0x00, 0x2b, 0x30, 0x30, 0x9d};

// A drive item holds the root ("C:\") in a 22-byte field.
const size_t kDriveItemSize = 25;
const size_t kDriveNameField = 22;

// What a file-system item records of its file: zero throughout for a name not looked up.
struct ItemFacts {
    std::string name;
    DWORD size = 0;
    WORD attributes = 0;
    WORD writeDate = 0, writeTime = 0;
    WORD creationDate = 0, creationTime = 0;
    WORD accessDate = 0, accessTime = 0;
};

WORD GetWord(const BYTE *p)
{
    return (WORD)(p[0] | p[1] << 8);
}

// A FILETIME as a DOS date and time in local time, as the shell stores them; zero before 1980.
void DosDateTime(const FILETIME &ft, WORD &date, WORD &time)
{
    date = time = 0;
    ULONGLONG ticks = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    const ULONGLONG kUnixEpoch = 116444736000000000ULL;
    if (ticks < kUnixEpoch)
        return;
    time_t seconds = (time_t)((ticks - kUnixEpoch) / 10000000ULL);
    struct tm local;
    if (!localtime_r(&seconds, &local) || local.tm_year < 80 || local.tm_year > 207)
        return;
    date = (WORD)((local.tm_year - 80) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    time = (WORD)(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
}

// The facts of an existing file or folder; false when `path` names none.
bool LookUp(const std::string &path, ItemFacts &facts)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    facts.name = data.cFileName;
    facts.attributes = (WORD)data.dwFileAttributes;
    facts.size = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : data.nFileSizeLow;
    DosDateTime(data.ftLastWriteTime, facts.writeDate, facts.writeTime);
    DosDateTime(data.ftCreationTime, facts.creationDate, facts.creationTime);
    DosDateTime(data.ftLastAccessTime, facts.accessDate, facts.accessTime);
    return true;
}

// One file-system item: the ANSI part (size, date, attributes, name padded to a word), then
// the Unicode extension (its length, creation and access times, the name) and the offset at
// which that extension starts.
std::string FileSystemItem(const ItemFacts &facts)
{
    const bool folder = (facts.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::string ansi;
    ansi += (char)(folder ? kTypeFolder : kTypeFile);
    ansi += '\0';
    PutDword(ansi, facts.size);
    PutWord(ansi, facts.writeDate);
    PutWord(ansi, facts.writeTime);
    PutWord(ansi, facts.attributes);
    ansi += facts.name;
    ansi += '\0';
    if ((facts.name.size() + 1) & 1)
        ansi += '\0';
    const size_t extensionOffset = 2 + ansi.size();

    std::string extension;
    const size_t wideBytes = 2 * (facts.name.size() + 1);
    PutWord(extension, (WORD)(2 + 6 + 8 + 4 + wideBytes + 2));
    extension.append(6, '\0');
    PutWord(extension, facts.creationDate);
    PutWord(extension, facts.creationTime);
    PutWord(extension, facts.accessDate);
    PutWord(extension, facts.accessTime);
    extension.append(4, '\0');
    for (unsigned char c : facts.name)
        PutWord(extension, AnsiToUnicode(c));
    PutWord(extension, 0);
    PutWord(extension, (WORD)extensionOffset);

    std::string item;
    PutWord(item, (WORD)(2 + ansi.size() + extension.size()));
    return item + ansi + extension;
}

}  // namespace

std::string ItemListForPath(const std::string &fullPath, bool simple)
{
    if (fullPath.size() < 3 || fullPath[1] != ':' || fullPath[2] != '\\' ||
        !((fullPath[0] >= 'A' && fullPath[0] <= 'Z') || (fullPath[0] >= 'a' && fullPath[0] <= 'z')))
        return std::string();

    std::string list;
    PutWord(list, 20);
    list += (char)kTypeMyComputer;
    list += '\0';
    list.append((const char *)kMyComputer, sizeof kMyComputer);

    std::string drive;
    drive += (char)(fullPath[0] & ~0x20);
    drive += ":\\";
    PutWord(list, kDriveItemSize);
    list += (char)kTypeDrive;
    list += drive;
    list.append(kDriveNameField - drive.size(), '\0');

    std::string walked = fullPath.substr(0, 2);
    size_t start = 3;
    while (start < fullPath.size()) {
        size_t end = fullPath.find('\\', start);
        if (end == std::string::npos)
            end = fullPath.size();
        const std::string name = fullPath.substr(start, end - start);
        start = end + 1;
        if (name.empty())
            continue;
        walked += "\\" + name;
        const bool last = fullPath.find_first_not_of('\\', end) == std::string::npos;
        ItemFacts facts;
        if ((simple && last) || !LookUp(walked, facts)) {
            facts = ItemFacts();
            facts.name = name;
            facts.attributes = last ? 0 : FILE_ATTRIBUTE_DIRECTORY;
        }
        list += FileSystemItem(facts);
    }
    PutWord(list, 0);
    return list;
}

size_t ItemListSize(LPCITEMIDLIST pidl)
{
    const BYTE *p = (const BYTE *)pidl;
    size_t size = 0;
    while (WORD cb = GetWord(p + size))
        size += cb;
    return size + 2;
}

bool PathFromItemList(LPCITEMIDLIST pidl, std::string &path)
{
    const BYTE *p = (const BYTE *)pidl;
    WORD cb = GetWord(p);
    if (cb != 20 || p[2] != kTypeMyComputer || memcmp(p + 4, kMyComputer, sizeof kMyComputer) != 0)
        return false;
    p += cb;
    cb = GetWord(p);
    if (cb < 6 || (p[2] & 0x70) != 0x20)
        return false;
    path.assign((const char *)p + 3, strnlen((const char *)p + 3, cb - 3));
    for (p += cb; (cb = GetWord(p)) != 0; p += cb) {
        if (cb < 15 || (p[2] & 0x70) != 0x30)
            return false;
        if (path.empty() || path.back() != '\\')
            path += '\\';
        path.append((const char *)p + 14, strnlen((const char *)p + 14, cb - 14));
    }
    return true;
}

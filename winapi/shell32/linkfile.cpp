// Writing and reading .lnk files. The layout follows what Wine 8's IShellLinkA saves, so that
// links made on Linux and links made under Wine are the same bytes.
#include "linkfile.h"

#include <string.h>

#include "codepage.h"
#include "little_endian.h"

namespace {

const DWORD kHeaderSize = 0x4c;
const BYTE kShellLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Header flags.
const DWORD kHasIdList = 0x01;
const DWORD kHasLinkInfo = 0x02;
const DWORD kHasName = 0x04;
const DWORD kHasRelativePath = 0x08;
const DWORD kHasWorkingDir = 0x10;
const DWORD kHasArguments = 0x20;
const DWORD kHasIconLocation = 0x40;
const DWORD kIsUnicode = 0x80;

// The optional strings, in the order the file keeps them, each with the flag that says it is there.
const struct StringField {
    std::optional<std::string> LinkFields::*text;
    DWORD flag;
} kStringFields[] = {{&LinkFields::description, kHasName},
                     {&LinkFields::relativePath, kHasRelativePath},
                     {&LinkFields::workingDirectory, kHasWorkingDir},
                     {&LinkFields::arguments, kHasArguments},
                     {&LinkFields::iconLocation, kHasIconLocation}};

// LinkInfo: header, then a VolumeID for a fixed drive without a label.
const DWORD kLinkInfoHeaderSize = 0x1c;
const DWORD kVolumeIdAndLocalBasePath = 0x01;
const DWORD kVolumeIdSize = 0x11;
const DWORD kDriveFixed = 3;

// The serial number Wine gives a drive that has none of its own: its letter in the top byte.
DWORD VolumeSerial(char drive)
{
    return (DWORD)(unsigned char)(drive & ~0x20) << 24;
}

std::string LinkInfo(const std::string &path)
{
    const DWORD localPathOffset = kLinkInfoHeaderSize + kVolumeIdSize;
    const DWORD suffixOffset = localPathOffset + (DWORD)path.size() + 1;
    std::string info;
    PutDword(info, suffixOffset + 1);
    PutDword(info, kLinkInfoHeaderSize);
    PutDword(info, kVolumeIdAndLocalBasePath);
    PutDword(info, kLinkInfoHeaderSize);
    PutDword(info, localPathOffset);
    PutDword(info, 0);  // no network share
    PutDword(info, suffixOffset);
    PutDword(info, kVolumeIdSize);
    PutDword(info, kDriveFixed);
    PutDword(info, VolumeSerial(path[0]));
    PutDword(info, 0x10);  // label offset
    info += '\0';          // empty label
    info += path;
    info += '\0';
    info += '\0';  // empty path suffix
    return info;
}

void PutString(std::string &out, const std::string &ansi)
{
    PutWord(out, (WORD)(ansi.size() + 1));
    for (unsigned char c : ansi)
        PutWord(out, AnsiToUnicode(c));
    PutWord(out, 0);
}

class Reader {
public:
    explicit Reader(const std::string &bytes) : m_bytes(bytes) {}
    bool Has(size_t offset, size_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    WORD Word(size_t offset) const
    {
        return (WORD)((BYTE)m_bytes[offset] | (BYTE)m_bytes[offset + 1] << 8);
    }
    DWORD Dword(size_t offset) const { return Word(offset) | (DWORD)Word(offset + 2) << 16; }
    // A NUL-terminated ANSI string that starts at `offset` and ends before `end`.
    std::string Ansi(size_t offset, size_t end) const
    {
        std::string out;
        while (offset < end && m_bytes[offset])
            out += m_bytes[offset++];
        return out;
    }
    // A NUL-terminated UTF-16 string as ANSI.
    std::string Wide(size_t offset, size_t end) const
    {
        std::string out;
        for (; offset + 1 < end && Word(offset); offset += 2)
            out += ToAnsi(Word(offset));
        return out;
    }
    static char ToAnsi(WCHAR w)
    {
        unsigned char c;
        return UnicodeToAnsi(w, c) ? (char)c : '?';
    }
    const std::string &Bytes() const { return m_bytes; }

private:
    const std::string &m_bytes;
};

bool ReadLinkInfo(const Reader &in, size_t offset, size_t size, std::string &path)
{
    const size_t end = offset + size;
    if (size < kLinkInfoHeaderSize || !in.Has(offset, size))
        return false;
    const DWORD headerSize = in.Dword(offset + 4);
    const DWORD flags = in.Dword(offset + 8);
    if (!(flags & kVolumeIdAndLocalBasePath))
        return true;
    if (headerSize >= 0x24 && in.Dword(offset + 28)) {
        path = in.Wide(offset + in.Dword(offset + 28), end);
        if (in.Dword(offset + 32))
            path += in.Wide(offset + in.Dword(offset + 32), end);
    } else {
        path = in.Ansi(offset + in.Dword(offset + 16), end);
        if (in.Dword(offset + 24))
            path += in.Ansi(offset + in.Dword(offset + 24), end);
    }
    return true;
}

// A StringData entry. Windows counts the characters without the NUL and Wine with it, so
// a NUL inside the count ends the text.
bool ReadString(const Reader &in, size_t &offset, bool unicode, std::string &text)
{
    if (!in.Has(offset, 2))
        return false;
    const size_t count = in.Word(offset);
    offset += 2;
    const size_t bytes = unicode ? 2 * count : count;
    if (!in.Has(offset, bytes))
        return false;
    text = unicode ? in.Wide(offset, offset + bytes) : in.Ansi(offset, offset + bytes);
    offset += bytes;
    return true;
}

}  // namespace

std::string BuildLinkFile(const LinkFields &link)
{
    DWORD flags = kIsUnicode;
    if (!link.idList.empty())
        flags |= kHasIdList;
    if (!link.path.empty() && !link.idList.empty())
        flags |= kHasLinkInfo;
    for (const StringField &field : kStringFields) {
        if (link.*field.text)
            flags |= field.flag;
    }

    std::string out;
    PutDword(out, kHeaderSize);
    out.append((const char *)kShellLinkClsid, sizeof kShellLinkClsid);
    PutDword(out, flags);
    out.append(4 + 3 * 8 + 4, '\0');  // attributes, three times and size of the target: not recorded
    PutDword(out, (DWORD)link.iconIndex);
    PutDword(out, (DWORD)link.showCmd);
    PutWord(out, link.hotkey);
    out.append(2 + 4 + 4, '\0');  // reserved
    if (flags & kHasIdList) {
        PutWord(out, (WORD)link.idList.size());
        out += link.idList;
    }
    if (flags & kHasLinkInfo)
        out += LinkInfo(link.path);
    for (const StringField &field : kStringFields) {
        if (link.*field.text)
            PutString(out, *(link.*field.text));
    }
    PutDword(out, 0);  // terminal block
    return out;
}

bool ParseLinkFile(const std::string &bytes, LinkFields &link)
{
    Reader in(bytes);
    if (!in.Has(0, kHeaderSize) || in.Dword(0) != kHeaderSize ||
        memcmp(bytes.data() + 4, kShellLinkClsid, sizeof kShellLinkClsid) != 0)
        return false;
    link = LinkFields();
    const DWORD flags = in.Dword(0x14);
    link.iconIndex = (int)in.Dword(0x38);
    link.showCmd = (int)in.Dword(0x3c);
    link.hotkey = in.Word(0x40);

    size_t offset = kHeaderSize;
    if (flags & kHasIdList) {
        if (!in.Has(offset, 2))
            return false;
        const size_t size = in.Word(offset);
        if (size < 2 || !in.Has(offset + 2, size) || in.Word(offset + size) != 0)
            return false;
        link.idList = bytes.substr(offset + 2, size);
        offset += 2 + size;
    }
    if (flags & kHasLinkInfo) {
        if (!in.Has(offset, 4))
            return false;
        const size_t size = in.Dword(offset);
        if (!ReadLinkInfo(in, offset, size, link.path))
            return false;
        offset += size;
    }
    for (const StringField &field : kStringFields) {
        if (!(flags & field.flag))
            continue;
        std::string text;
        if (!ReadString(in, offset, (flags & kIsUnicode) != 0, text))
            return false;
        link.*field.text = text;
    }
    return true;
}

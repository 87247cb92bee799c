#include "shell_link.h"

#include "dump_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// Header flags and LinkInfo flags of the shell-link format.
constexpr uint32_t kHasIdList = 0x01;
constexpr uint32_t kHasLinkInfo = 0x02;
constexpr uint32_t kHasName = 0x04;
constexpr uint32_t kHasRelativePath = 0x08;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kHasIconLocation = 0x40;
constexpr uint32_t kIsUnicode = 0x80;
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr uint32_t kCommonNetworkRelativeLink = 0x02;
constexpr size_t kHeaderSize = 0x4c;

const unsigned char kShellLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// {20D04FE0-3AEA-1069-A2D8-08002B30309D}, "My Computer": the root of drive paths.
const unsigned char kMyComputerClsid[16] = {0xe0, 0x4f, 0xd0, 0x20, 0xea, 0x3a, 0x69, 0x10,
                                            0xa2, 0xd8, 0x08, 0x00, 0x2b, 0x30, 0x30, 0x9d};

class Reader {
public:
    explicit Reader(const std::string &bytes) : m_bytes(bytes) {}
    bool Has(size_t offset, size_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    uint16_t U16(size_t offset) const
    {
        return static_cast<uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
    }
    uint32_t U32(size_t offset) const
    {
        return static_cast<uint32_t>(U16(offset)) | static_cast<uint32_t>(U16(offset + 2)) << 16;
    }
    // Past the end of the file every byte reads as 0, which ends any string there: a field
    // that points outside a short or damaged file cannot take the reader with it.
    unsigned char Byte(size_t offset) const
    {
        return offset < m_bytes.size() ? static_cast<unsigned char>(m_bytes[offset]) : 0;
    }
    // A NUL-terminated single-byte string inside [offset, end).
    std::string Ansi(size_t offset, size_t end) const
    {
        std::string out;
        while (offset < end && Byte(offset))
            out += static_cast<char>(Byte(offset++));
        return out;
    }
    // A NUL-terminated UTF-16 string inside [offset, end).
    std::u16string Wide(size_t offset, size_t end) const
    {
        std::u16string out;
        while (offset + 1 < end && U16(offset)) {
            out += static_cast<char16_t>(U16(offset));
            offset += 2;
        }
        return out;
    }
    const char *At(size_t offset) const { return m_bytes.data() + offset; }

private:
    const std::string &m_bytes;
};

std::string Quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

// The path the item id list names: the drive item, then one item per folder and file.
bool DecodeIdList(const Reader &in, size_t offset, size_t end, std::string &path, std::string &error)
{
    while (true) {
        if (!in.Has(offset, 2) || offset + 2 > end) {
            error = "item id list runs past its end";
            return false;
        }
        size_t size = in.U16(offset);
        if (size == 0)
            return true;
        if (size < 3 || offset + size > end) {
            error = "item of bad size in the item id list";
            return false;
        }
        unsigned char type = in.Byte(offset + 2);
        size_t itemEnd = offset + size;
        if (type == 0x1f) {
            if (size < 20 || std::memcmp(in.At(offset + 4), kMyComputerClsid, 16) != 0)
                path += "<root item>";
        } else if ((type & 0x70) == 0x20) {
            path += in.Ansi(offset + 3, itemEnd);
        } else if ((type & 0x70) == 0x30) {
            // File-system item: size, DOS date and time, attributes, then the name.
            std::string name = (type & 0x04) ? VisibleUtf16(in.Wide(offset + 14, itemEnd))
                                             : VisibleBytes(in.Ansi(offset + 14, itemEnd));
            if (!path.empty() && path.back() != '\\')
                path += '\\';
            path += name;
        } else {
            char unknown[32];
            std::snprintf(unknown, sizeof unknown, "<item type 0x%02x>", type);
            path += unknown;
        }
        offset = itemEnd;
    }
}

// LocalBasePath and CommonPathSuffix (or the network share name) of the LinkInfo.
bool DecodeLinkInfo(const Reader &in, size_t offset, size_t size, std::string &target, std::string &error)
{
    if (size < 0x1c || !in.Has(offset, size)) {
        error = "LinkInfo too short";
        return false;
    }
    size_t end = offset + size;
    uint32_t headerSize = in.U32(offset + 4);
    uint32_t flags = in.U32(offset + 8);
    uint32_t baseOffset = in.U32(offset + 16);
    uint32_t netOffset = in.U32(offset + 20);
    uint32_t suffixOffset = in.U32(offset + 24);
    // The Unicode offsets are there only when the header and the LinkInfo hold them.
    bool wide = headerSize >= 0x24 && size >= 0x24;
    if (wide && in.U32(offset + 28) && (flags & kVolumeIdAndLocalBasePath))
        target = VisibleUtf16(in.Wide(offset + in.U32(offset + 28), end));
    else if (flags & kVolumeIdAndLocalBasePath)
        target = VisibleBytes(in.Ansi(offset + baseOffset, end));
    else if ((flags & kCommonNetworkRelativeLink) && in.Has(offset + netOffset, 12))
        target = VisibleBytes(in.Ansi(offset + netOffset + in.U32(offset + netOffset + 8), end));
    if (wide && in.U32(offset + 32))
        target += VisibleUtf16(in.Wide(offset + in.U32(offset + 32), end));
    else if (suffixOffset)
        target += VisibleBytes(in.Ansi(offset + suffixOffset, end));
    return true;
}

// One StringData entry: a count of characters, then the characters. Wine counts the
// terminating NUL as well, so trailing NULs are not part of the text.
bool ReadString(const Reader &in, size_t &offset, bool unicode, std::string &text)
{
    if (!in.Has(offset, 2))
        return false;
    size_t count = in.U16(offset);
    offset += 2;
    size_t bytes = unicode ? count * 2 : count;
    if (!in.Has(offset, bytes))
        return false;
    if (unicode) {
        std::u16string wide;
        for (size_t i = 0; i < count; i++)
            wide += static_cast<char16_t>(in.U16(offset + 2 * i));
        while (!wide.empty() && wide.back() == 0)
            wide.pop_back();
        text = VisibleUtf16(wide);
    } else {
        std::string narrow(in.At(offset), count);
        while (!narrow.empty() && narrow.back() == 0)
            narrow.pop_back();
        text = VisibleBytes(narrow);
    }
    offset += bytes;
    return true;
}

}  // namespace

bool DecodeShellLink(const std::filesystem::path &file, std::vector<std::string> &lines,
                     std::string &error)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        error = "cannot be read";
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    return DecodeShellLinkBytes(bytes, lines, error);
}

bool DecodeShellLinkBytes(const std::string &bytes, std::vector<std::string> &lines, std::string &error)
{
    Reader in(bytes);
    if (!in.Has(0, kHeaderSize) || in.U32(0) != kHeaderSize ||
        std::memcmp(in.At(4), kShellLinkClsid, 16) != 0) {
        error = "no shell-link header";
        return false;
    }
    uint32_t flags = in.U32(0x14);
    size_t offset = kHeaderSize;
    std::string idList = "none";
    std::string target = "none";
    if (flags & kHasIdList) {
        if (!in.Has(offset, 2)) {
            error = "item id list missing";
            return false;
        }
        size_t size = in.U16(offset);
        if (!in.Has(offset + 2, size)) {
            error = "item id list runs past the end of the file";
            return false;
        }
        std::string path;
        if (!DecodeIdList(in, offset + 2, offset + 2 + size, path, error))
            return false;
        idList = Quoted(path);
        offset += 2 + size;
    }
    if (flags & kHasLinkInfo) {
        if (!in.Has(offset, 4)) {
            error = "LinkInfo missing";
            return false;
        }
        size_t size = in.U32(offset);
        std::string path;
        if (!DecodeLinkInfo(in, offset, size, path, error))
            return false;
        target = Quoted(path);
        offset += size;
    }
    const bool unicode = (flags & kIsUnicode) != 0;
    const struct {
        uint32_t flag;
        const char *label;
    } strings[] = {{kHasName, "description"},
                   {kHasRelativePath, "relative"},
                   {kHasWorkingDir, "workdir"},
                   {kHasArguments, "arguments"},
                   {kHasIconLocation, "icon"}};
    std::string values[5];
    for (size_t i = 0; i < 5; i++) {
        if (!(flags & strings[i].flag))
            continue;
        std::string text;
        if (!ReadString(in, offset, unicode, text)) {
            error = std::string(strings[i].label) + " runs past the end of the file";
            return false;
        }
        values[i] = Quoted(text);
    }
    lines.clear();
    lines.push_back("target " + target);
    lines.push_back("idlist " + idList);
    lines.push_back("arguments " + (values[3].empty() ? "none" : values[3]));
    lines.push_back("workdir " + (values[2].empty() ? "none" : values[2]));
    lines.push_back("description " + (values[0].empty() ? "none" : values[0]));
    if (!values[1].empty())
        lines.push_back("relative " + values[1]);
    if (!values[4].empty())
        lines.push_back("icon " + values[4]);
    lines.push_back(std::string("encoding ") + (unicode ? "unicode" : "ansi"));
    return true;
}

#include "rcdata_reader.h"

#include <cstring>

namespace {

const std::uint32_t kRtRcData = 10;

// Little-endian reads that fail instead of running off the end.
bool Get16(const Bytes& b, std::size_t off, std::uint32_t& v)
{
    if (off > b.size() || b.size() - off < 2)
        return false;
    v = b[off] | (b[off + 1] << 8);
    return true;
}

bool Get32(const Bytes& b, std::size_t off, std::uint32_t& v)
{
    if (off > b.size() || b.size() - off < 4)
        return false;
    v = b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) | (std::uint32_t(b[off + 3]) << 24);
    return true;
}

bool Get64(const Bytes& b, std::size_t off, std::uint64_t& v)
{
    std::uint32_t lo, hi;
    if (!Get32(b, off, lo) || !Get32(b, off + 4, hi))
        return false;
    v = (std::uint64_t(hi) << 32) | lo;
    return true;
}

bool Slice(const Bytes& b, std::uint64_t off, std::uint64_t size, Bytes& out)
{
    if (off > b.size() || b.size() - off < size)
        return false;
    out.assign(b.begin() + off, b.begin() + off + size);
    return true;
}

bool Fail(std::string& error, const std::string& why)
{
    error = why;
    return false;
}

bool Store(RcDataById& out, std::uint32_t id, Bytes data, std::string& error)
{
    if (!out.emplace(id, std::move(data)).second)
        return Fail(error, "RCDATA " + std::to_string(id) + " appears twice");
    return true;
}

// A .res type or name field: 0xFFFF and a WORD id, or a NUL-ended UTF-16
// string. Advances `off` past it.
bool ReadResId(const Bytes& b, std::size_t& off, bool& isId, std::uint32_t& id)
{
    std::uint32_t w;
    if (!Get16(b, off, w))
        return false;
    if (w == 0xFFFF) {
        isId = true;
        off += 2;
        return Get16(b, off, id) && (off += 2, true);
    }
    isId = false;
    do {
        if (!Get16(b, off, w))
            return false;
        off += 2;
    } while (w != 0);
    return true;
}

} // namespace

bool ReadRcDataFromRes(const Bytes& res, RcDataById& out, std::string& error)
{
    std::size_t off = 0;
    while (off < res.size()) {
        std::uint32_t dataSize, headerSize;
        if (!Get32(res, off, dataSize) || !Get32(res, off + 4, headerSize) || headerSize < 16)
            return Fail(error, ".res entry header at " + std::to_string(off) + " is cut off");
        std::size_t field = off + 8;
        bool typeIsId, nameIsId;
        std::uint32_t type = 0, name = 0;
        if (!ReadResId(res, field, typeIsId, type) || !ReadResId(res, field, nameIsId, name)
            || field > off + headerSize)
            return Fail(error, ".res entry at " + std::to_string(off) + " has a broken type or name");
        Bytes data;
        if (!Slice(res, std::uint64_t(off) + headerSize, dataSize, data))
            return Fail(error, ".res entry at " + std::to_string(off) + " runs past the end");
        if (typeIsId && type == kRtRcData) {
            if (!nameIsId)
                return Fail(error, "an RCDATA resource is named by a string");
            if (!Store(out, name, std::move(data), error))
                return false;
        }
        off = (std::size_t(off) + headerSize + dataSize + 3) & ~std::size_t(3);
    }
    return true;
}

namespace {

struct PeSection {
    std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

bool RvaToOffset(const std::vector<PeSection>& sections, std::uint32_t rva, std::uint32_t size,
                 std::uint64_t& offset)
{
    for (const PeSection& s : sections) {
        if (rva >= s.virtualAddress && std::uint64_t(rva) + size <= std::uint64_t(s.virtualAddress) + s.rawSize) {
            offset = std::uint64_t(s.rawOffset) + (rva - s.virtualAddress);
            return true;
        }
    }
    return false;
}

// One IMAGE_RESOURCE_DIRECTORY: its entries as (id or name flag, target).
struct DirEntry {
    std::uint32_t nameOrId, target;
};

bool ReadDirectory(const Bytes& b, std::uint64_t rsrc, std::uint32_t dirOffset, std::vector<DirEntry>& entries)
{
    std::uint32_t named, ids;
    std::uint64_t dir = rsrc + dirOffset;
    if (!Get16(b, dir + 12, named) || !Get16(b, dir + 14, ids))
        return false;
    entries.clear();
    for (std::uint32_t i = 0; i < named + ids; ++i) {
        DirEntry e;
        if (!Get32(b, dir + 16 + 8 * i, e.nameOrId) || !Get32(b, dir + 20 + 8 * i, e.target))
            return false;
        entries.push_back(e);
    }
    return true;
}

const std::uint32_t kHighBit = 0x80000000u;

} // namespace

bool ReadRcDataFromPe(const Bytes& image, RcDataById& out, std::string& error)
{
    std::uint32_t peOffset, signature, sectionCount, optionalSize, magic;
    if (!Get32(image, 0x3C, peOffset) || !Get32(image, peOffset, signature) || signature != 0x00004550)
        return Fail(error, "no PE signature");
    std::size_t coff = peOffset + 4;
    std::size_t optional = coff + 20;
    if (!Get16(image, coff + 2, sectionCount) || !Get16(image, coff + 16, optionalSize)
        || !Get16(image, optional, magic))
        return Fail(error, "PE file header is cut off");
    std::size_t directories;
    if (magic == 0x10B)
        directories = optional + 96;
    else if (magic == 0x20B)
        directories = optional + 112;
    else
        return Fail(error, "unknown PE optional header magic");
    std::uint32_t directoryCount, rsrcRva, rsrcSize;
    if (!Get32(image, directories - 4, directoryCount) || directoryCount < 3
        || !Get32(image, directories + 16, rsrcRva) || !Get32(image, directories + 20, rsrcSize))
        return Fail(error, "PE has no resource directory entry");
    if (rsrcRva == 0)
        return Fail(error, "PE carries no resources");

    std::vector<PeSection> sections;
    std::size_t table = optional + optionalSize;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        PeSection s;
        std::size_t h = table + 40 * i;
        if (!Get32(image, h + 8, s.virtualSize) || !Get32(image, h + 12, s.virtualAddress)
            || !Get32(image, h + 16, s.rawSize) || !Get32(image, h + 20, s.rawOffset))
            return Fail(error, "PE section table is cut off");
        sections.push_back(s);
    }
    std::uint64_t rsrc;
    if (!RvaToOffset(sections, rsrcRva, rsrcSize, rsrc))
        return Fail(error, "PE resource directory lies outside the file's sections");

    std::vector<DirEntry> types, names, languages;
    if (!ReadDirectory(image, rsrc, 0, types))
        return Fail(error, "PE resource root is cut off");
    for (const DirEntry& type : types) {
        if (type.nameOrId != kRtRcData)
            continue;
        if (!(type.target & kHighBit) || !ReadDirectory(image, rsrc, type.target & ~kHighBit, names))
            return Fail(error, "PE RCDATA directory is broken");
        for (const DirEntry& name : names) {
            if (name.nameOrId & kHighBit)
                return Fail(error, "an RCDATA resource is named by a string");
            if (!(name.target & kHighBit) || !ReadDirectory(image, rsrc, name.target & ~kHighBit, languages))
                return Fail(error, "PE RCDATA " + std::to_string(name.nameOrId) + " has no language directory");
            for (const DirEntry& language : languages) {
                std::uint32_t dataRva, dataSize;
                std::uint64_t dataOffset;
                Bytes data;
                if ((language.target & kHighBit) || !Get32(image, rsrc + language.target, dataRva)
                    || !Get32(image, rsrc + language.target + 4, dataSize)
                    || !RvaToOffset(sections, dataRva, dataSize, dataOffset)
                    || !Slice(image, dataOffset, dataSize, data))
                    return Fail(error, "PE RCDATA " + std::to_string(name.nameOrId) + " has a broken data entry");
                if (!Store(out, name.nameOrId, std::move(data), error))
                    return false;
            }
        }
    }
    return true;
}

namespace {

struct ElfSection {
    std::uint32_t type, link;
    std::uint64_t addr, offset, size;
};

// File offset of a symbol's address, found in the symbol tables.
bool FindElfSymbol(const Bytes& image, const std::vector<ElfSection>& sections, const char* wanted,
                   std::uint64_t& fileOffset)
{
    const std::uint32_t kSymtab = 2, kDynsym = 11;
    for (const ElfSection& table : sections) {
        if ((table.type != kSymtab && table.type != kDynsym) || table.link >= sections.size())
            continue;
        const ElfSection& strings = sections[table.link];
        for (std::uint64_t sym = table.offset; sym + 24 <= table.offset + table.size; sym += 24) {
            std::uint32_t nameOffset, shndx;
            std::uint64_t value;
            if (!Get32(image, sym, nameOffset) || !Get16(image, sym + 6, shndx) || !Get64(image, sym + 8, value))
                return false;
            std::uint64_t at = strings.offset + nameOffset;
            std::size_t length = std::strlen(wanted);
            if (nameOffset >= strings.size || at + length + 1 > image.size()
                || std::memcmp(&image[at], wanted, length + 1) != 0)
                continue;
            if (shndx == 0 || shndx >= sections.size())
                continue;
            const ElfSection& home = sections[shndx];
            if (value < home.addr || value - home.addr > home.size)
                return false;
            fileOffset = home.offset + (value - home.addr);
            return true;
        }
    }
    return false;
}

} // namespace

bool ReadRcDataFromElf(const Bytes& image, RcDataById& out, std::string& error)
{
    if (image.size() < 64 || image[4] != 2 || image[5] != 1)
        return Fail(error, "not a little-endian 64-bit ELF file");
    std::uint64_t sectionTable;
    std::uint32_t entrySize, count;
    if (!Get64(image, 0x28, sectionTable) || !Get16(image, 0x3A, entrySize) || !Get16(image, 0x3C, count)
        || entrySize < 64)
        return Fail(error, "ELF header is cut off");
    std::vector<ElfSection> sections;
    for (std::uint32_t i = 0; i < count; ++i) {
        ElfSection s;
        std::uint64_t h = sectionTable + std::uint64_t(entrySize) * i;
        if (!Get32(image, h + 4, s.type) || !Get64(image, h + 16, s.addr) || !Get64(image, h + 24, s.offset)
            || !Get64(image, h + 32, s.size) || !Get32(image, h + 40, s.link))
            return Fail(error, "ELF section table is cut off");
        sections.push_back(s);
    }
    std::uint64_t begin, end;
    if (!FindElfSymbol(image, sections, "winapi_resource_data", begin)
        || !FindElfSymbol(image, sections, "winapi_resource_data_end", end) || end < begin)
        return Fail(error, "ELF file has no winapi_resource_data .. winapi_resource_data_end");
    Bytes res;
    if (!Slice(image, begin, end - begin, res))
        return Fail(error, "ELF resource data runs past the end of the file");
    return ReadRcDataFromRes(res, out, error);
}

bool ReadRcData(const Bytes& file, RcDataById& out, std::string& error)
{
    if (file.size() >= 2 && file[0] == 'M' && file[1] == 'Z')
        return ReadRcDataFromPe(file, out, error);
    if (file.size() >= 4 && std::memcmp(file.data(), "\x7f" "ELF", 4) == 0)
        return ReadRcDataFromElf(file, out, error);
    return ReadRcDataFromRes(file, out, error);
}

// Reading a .res: a row of entries, each a header (data size, header size, type, name and
// fixed fields) and its data, every header starting on a 4-byte boundary. Offsets are
// checked against the end before anything is read, so a cut or garbled .res ends the table
// early instead of being read past.
#include "resource_table.h"

#include "codepage.h"

namespace {

WORD ReadWord(const BYTE *p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

DWORD ReadDword(const BYTE *p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// A type or name field at `offset` of the header (0xFFFF and a number, or a zero-terminated
// UTF-16 text); false when it runs past `end`.
bool ReadId(const BYTE *header, size_t &offset, size_t end, ResourceId &id)
{
    if (end - offset < 2)
        return false;
    if (ReadWord(header + offset) == 0xFFFF) {
        if (end - offset < 4)
            return false;
        id.isNumber = true;
        id.number = ReadWord(header + offset + 2);
        offset += 4;
        return true;
    }
    std::string text;
    for (;; offset += 2) {
        if (end - offset < 2)
            return false;
        WORD w = ReadWord(header + offset);
        if (w == 0)
            break;
        unsigned char c;
        text += UnicodeToAnsi(w, c) ? (char)c : '?';
    }
    offset += 2;
    id = ResourceIdFromText(text);
    return true;
}

} // namespace

ResourceId ResourceIdFromText(const std::string &text)
{
    ResourceId id;
    id.isNumber = false;
    id.text = text;
    for (char &c : id.text)
        c = (char)AnsiUpper((unsigned char)c);
    return id;
}

std::vector<ResourceEntry> ReadResourceTable(const BYTE *res, size_t size)
{
    std::vector<ResourceEntry> entries;
    for (size_t at = 0; size - at >= 8;) {
        const BYTE *header = res + at;
        DWORD dataSize = ReadDword(header);
        DWORD headerSize = ReadDword(header + 4);
        if (headerSize < 8 || size - at < (size_t)headerSize + dataSize)
            break;
        ResourceEntry entry;
        size_t field = 8;
        if (!ReadId(header, field, headerSize, entry.type) || !ReadId(header, field, headerSize, entry.name))
            break;
        entry.data = header + headerSize;
        entry.size = dataSize;
        entry.hidden = false;
        if (!(entry.type.isNumber && entry.type.number == 0))
            entries.push_back(entry);
        size_t next = (at + headerSize + dataSize + 3) & ~(size_t)3;
        if (next >= size)
            break;
        at = next;
    }
    return entries;
}

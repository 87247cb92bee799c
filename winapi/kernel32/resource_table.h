// The entries of a compiled .res (Win32 format, as windres writes it): the table that
// FindResourceA searches.
#ifndef WINAPI_KERNEL32_RESOURCE_TABLE_H
#define WINAPI_KERNEL32_RESOURCE_TABLE_H

#include <stddef.h>

#include <string>
#include <vector>

#include "windef.h"

// A type or name: a number, or a text compared without regard to case.
struct ResourceId {
    bool isNumber = true;
    WORD number = 0;
    std::string text; // upper case

    bool operator==(const ResourceId &other) const
    {
        return isNumber == other.isNumber && (isNumber ? number == other.number : text == other.text);
    }
};

// A named type or name as it is compared: in ANSI upper case.
ResourceId ResourceIdFromText(const std::string &text);

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    const BYTE *data;   // inside the .res it was read from
    DWORD size;
    bool hidden;
};

// Every entry of the `size` bytes at `res`, up to the first header that does not fit; the
// empty entry that opens every .res is left out.
std::vector<ResourceEntry> ReadResourceTable(const BYTE *res, size_t size);

#endif

// Wine's registry text format ("WINE REGISTRY Version 2"), read and written so that Wine
// reads what we write and we read what Wine writes.
#ifndef WINAPI_ADVAPI32_REGFILE_H
#define WINAPI_ADVAPI32_REGFILE_H

#include <string>
#include <vector>

#include "regtree.h"

// What a file says about itself, kept so that a rewrite says the same.
struct RegFileHeader {
    std::string relativeTo;   // e.g. "REGISTRY\\Machine", as escaped in the file
    std::string arch;         // "win64", "win32" or empty
    std::vector<std::string> unparsedLines;   // before the first key, not understood
};

// Fills `root` (which should be empty) from the file's text. FALSE when the text is not a
// registry file. Lines Wine would reject have no effect, as in Wine, but are kept as they
// are, in the header or the key they follow, and written back by FormatRegistryText.
bool ParseRegistryText(const std::string &text, RegKey &root, RegFileHeader &header);

// The file's text for `root` and everything below it; mounted placeholders are left out.
std::string FormatRegistryText(const RegKey &root, const RegFileHeader &header);

#endif

// Wine's registry text format ("WINE REGISTRY Version 2"), read and written so that Wine
// reads what we write and we read what Wine writes.
#ifndef WINAPI_ADVAPI32_REGFILE_H
#define WINAPI_ADVAPI32_REGFILE_H

#include <string>

#include "regtree.h"

// What a file says about itself, kept so that a rewrite says the same.
struct RegFileHeader {
    std::string relativeTo;   // e.g. "REGISTRY\\Machine", as escaped in the file
    std::string arch;         // "win64", "win32" or empty
};

// Fills `root` (which should be empty) from the file's text. FALSE when the text is not a
// registry file. Lines Wine would reject are skipped, as Wine skips them.
bool ParseRegistryText(const std::string &text, RegKey &root, RegFileHeader &header);

// The file's text for `root` and everything below it; mounted placeholders are left out.
std::string FormatRegistryText(const RegKey &root, const RegFileHeader &header);

#endif

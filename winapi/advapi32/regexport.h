// The text of Wine's `reg export` and `reg import` ("Windows Registry Editor Version 5.00",
// UTF-16): how we read the registry a running wineserver holds, and how we hand it exactly
// our changes and nothing else.
#ifndef WINAPI_ADVAPI32_REGEXPORT_H
#define WINAPI_ADVAPI32_REGEXPORT_H

#include <string>

#include "regtree.h"

// Adds the keys and values of an export to `root`, which stands for `rootName`
// ("HKEY_LOCAL_MACHINE"); keys on the way to the exported key are made as well. FALSE when
// the text is no export of a key below that root.
bool ParseRegExport(const std::u16string &text, const std::u16string &rootName, RegKey &root);

// The import that turns `before` into `after` (both standing for `rootName`): keys that
// appeared with all their values, values set or deleted, keys deleted with what is below
// them. Empty when the two are the same. Placeholders of loaded hives are left out.
std::u16string FormatRegImport(const RegKey &before, const RegKey &after, const std::u16string &rootName);

// The file's bytes of such a text, little-endian with its byte-order mark, and back. FALSE
// for bytes that are no UTF-16 text with that mark.
std::string Utf16FileBytes(const std::u16string &text);
bool TextOfUtf16File(const std::string &bytes, std::u16string &text);

#endif

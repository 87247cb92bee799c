// The registry's keys in memory, as Wine's server keeps them: names and string data in
// UTF-16, subkeys and values each sorted by name without regard to case (which is also the
// order in which they are enumerated).
#ifndef WINAPI_ADVAPI32_REGTREE_H
#define WINAPI_ADVAPI32_REGTREE_H

#include <memory>
#include <string>
#include <vector>

#include "windef.h"

class Hive;

struct RegValue {
    std::u16string name;
    DWORD type = 0;
    std::string data;   // raw bytes; string types hold UTF-16
};

struct RegKey {
    std::u16string name;
    std::u16string keyClass;
    bool hasClass = false;
    bool isLink = false;
    bool isVolatile = false;   // kept in memory only, never written
    ULONGLONG modified = 0;   // FILETIME ticks
    std::vector<std::unique_ptr<RegKey>> subkeys;
    std::vector<RegValue> values;
    // Lines of its section that the file's reader did not understand, written back as they
    // were; and a key header it could not read with the lines up to the next key, which
    // belong to no key and are written back after this key's section.
    std::vector<std::string> unparsedLines;
    std::vector<std::string> orphanLines;
    // Set on the placeholder of a hive file loaded at this place: the key's contents are
    // that hive's, and the placeholder is never written to its parent's file.
    std::shared_ptr<Hive> mounted;

    RegKey() = default;
    RegKey(const RegKey &) = delete;
    RegKey &operator=(const RegKey &) = delete;
    ~RegKey();

    // Lookup without regard to case; `index` receives the position (or where to insert).
    RegKey *FindSubkey(const std::u16string &name, size_t *index = nullptr) const;
    RegValue *FindValue(const std::u16string &name, size_t *index = nullptr);
    const RegValue *FindValue(const std::u16string &name) const;
    RegKey *AddSubkey(const std::u16string &name, ULONGLONG time);
};

// A copy of `key` and everything below it.
std::unique_ptr<RegKey> CloneKey(const RegKey &key);

// Order of two names as Wine compares them: lower-cased UTF-16 units, then length.
int CompareNames(const std::u16string &a, const std::u16string &b);
// The name in the lower case CompareNames compares.
std::u16string LowerName(const std::u16string &name);

// The current time as FILETIME ticks (100 ns since 1601).
ULONGLONG CurrentFileTime();

// ANSI (the program's code page) to UTF-16 and back; a character without an ANSI form
// becomes '?', as Windows converts.
std::u16string AnsiToWide(const char *text, size_t length);
std::string WideToAnsi(const std::u16string &text);

// A backslash-separated path as its names; empty names (doubled backslashes) are skipped.
std::vector<std::u16string> SplitPath(const std::u16string &path);

#endif

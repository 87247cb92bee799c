// Text helpers shared by the dump's sections: one way to show bytes, one checksum.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Printable ASCII as it is; every other byte as \xNN.
std::string VisibleBytes(const std::string &bytes);

// Printable ASCII as it is; every other UTF-16 unit as \u and four hex digits.
std::string VisibleUtf16(const std::u16string &text);

// "size=N adler32=" and eight hex digits for a file, or "unreadable" when it cannot be read.
std::string FileSummary(const std::filesystem::path &file);

bool EqualsNoCase(const std::string &a, const std::string &b);
std::string LowerAscii(std::string text);

// The ANSI code page of the Linux build (Windows-1252, what Wine uses for an English
// locale) and its relation to the host's UTF-8 file names.
#ifndef WINAPI_KERNEL32_CODEPAGE_H
#define WINAPI_KERNEL32_CODEPAGE_H

#include <string>

#include "windef.h"

// The Unicode character of an ANSI byte.
WCHAR AnsiToUnicode(unsigned char c);

// The ANSI byte of a Unicode character; false when Windows-1252 has none.
bool UnicodeToAnsi(WCHAR w, unsigned char &c);

// ANSI text as the host's UTF-8.
std::string AnsiToUtf8(const std::string &ansi);

// Host UTF-8 text as ANSI; characters without an ANSI form (and bytes that are not UTF-8)
// become '?', which no valid Windows file name contains.
std::string Utf8ToAnsi(const std::string &utf8);

// UTF-16 as UTF-8 and back. A lone surrogate is kept (as its three-byte form), so that text
// read from a file writes back the same; bytes that are not UTF-8 become U+FFFD.
std::string Utf16ToUtf8(const std::u16string &utf16);
std::u16string Utf8ToUtf16(const std::string &utf8);

// UTF-16 text as bytes in either byte order, and back from the bytes at `offset` (an odd last
// byte is left out).
std::string Utf16ToBytes(const std::u16string &text, bool littleEndian);
std::u16string Utf16FromBytes(const std::string &bytes, size_t offset, bool littleEndian);

// ANSI upper case as Windows compares file names: ASCII and the accented Latin letters.
unsigned char AnsiUpper(unsigned char c);

// Equality of two ANSI names without regard to case.
bool AnsiEqualIgnoringCase(const std::string &a, const std::string &b);

#endif

// The encodings of profile files as Wine tells them apart: a UTF-8 byte order mark, a UTF-16
// one of either byte order, or else the ANSI code page. The profile functions work on the
// text as UTF-8 and write a file back in the encoding it was read in, mark and all.
#ifndef WINAPI_KERNEL32_PROFILEENCODING_H
#define WINAPI_KERNEL32_PROFILEENCODING_H

#include <string>

enum class ProfileEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

// The file's bytes as UTF-8 text, and the encoding they were in.
std::string DecodeProfileFile(const std::string &bytes, ProfileEncoding &encoding);

// UTF-8 text as the bytes of a file in `encoding`, its mark first.
std::string EncodeProfileFile(const std::string &text, ProfileEncoding encoding);

#endif

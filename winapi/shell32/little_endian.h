// Words and double words appended little-endian, as the shell's files and item id lists keep
// them.
#ifndef WINAPI_SHELL32_LITTLE_ENDIAN_H
#define WINAPI_SHELL32_LITTLE_ENDIAN_H

#include <string>

#include "windef.h"

inline void PutWord(std::string &out, WORD value)
{
    out += (char)(value & 0xff);
    out += (char)(value >> 8);
}

inline void PutDword(std::string &out, DWORD value)
{
    PutWord(out, (WORD)(value & 0xffff));
    PutWord(out, (WORD)(value >> 16));
}

#endif

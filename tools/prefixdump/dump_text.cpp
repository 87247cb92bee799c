#include "dump_text.h"

#include <cstdio>
#include <fstream>
#include <vector>
#include <zlib.h>

std::string VisibleBytes(const std::string &bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

std::string VisibleUtf16(const std::u16string &text)
{
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(c));
            out += hex;
        }
    }
    return out;
}

std::string FileSummary(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "unreadable";
    uLong adler = adler32(0L, Z_NULL, 0);
    unsigned long long size = 0;
    std::vector<char> block(65536);
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        std::streamsize got = in.gcount();
        if (got <= 0)
            break;
        adler = adler32(adler, reinterpret_cast<const Bytef *>(block.data()), static_cast<uInt>(got));
        size += static_cast<unsigned long long>(got);
    }
    if (in.bad())
        return "unreadable";
    char text[64];
    std::snprintf(text, sizeof text, "size=%llu adler32=%08lx", size, static_cast<unsigned long>(adler));
    return text;
}

std::string LowerAscii(std::string text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool EqualsNoCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

#include "profileencoding.h"

#include "codepage.h"

static const char kUtf8Mark[] = "\xEF\xBB\xBF";

static bool StartsWith(const std::string &bytes, const char *mark, size_t length)
{
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

// The encoding the file's first bytes mark.
static ProfileEncoding EncodingOf(const std::string &bytes)
{
    if (StartsWith(bytes, kUtf8Mark, 3))
        return ProfileEncoding::Utf8;
    if (StartsWith(bytes, "\xFF\xFE", 2))
        return ProfileEncoding::Utf16LittleEndian;
    if (StartsWith(bytes, "\xFE\xFF", 2))
        return ProfileEncoding::Utf16BigEndian;
    return ProfileEncoding::Ansi;
}

std::string DecodeProfileFile(const std::string &bytes, ProfileEncoding &encoding)
{
    encoding = EncodingOf(bytes);
    if (encoding == ProfileEncoding::Utf8) {
        // Not UTF-8 after all in places: those bytes read as U+FFFD, as Wine reads them.
        return Utf16ToUtf8(Utf8ToUtf16(bytes.substr(3)));
    }
    if (encoding == ProfileEncoding::Ansi)
        return AnsiToUtf8(bytes);
    std::u16string units = Utf16FromBytes(bytes, 2, encoding == ProfileEncoding::Utf16LittleEndian);
    // An odd last byte is read as a character of that value, in either byte order, as Wine
    // reads it.
    if (bytes.size() % 2 == 1)
        units += (char16_t)(unsigned char)bytes.back();
    return Utf16ToUtf8(units);
}

std::string EncodeProfileFile(const std::string &text, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Ansi: {
        // ANSI text that begins as a mark would read back as another encoding: a blank line
        // first, which reading skips, keeps it ANSI.
        std::string bytes = Utf8ToAnsi(text);
        return EncodingOf(bytes) == ProfileEncoding::Ansi ? bytes : "\r\n" + bytes;
    }
    case ProfileEncoding::Utf8:
        return kUtf8Mark + text;
    case ProfileEncoding::Utf16LittleEndian:
    case ProfileEncoding::Utf16BigEndian:
        break;
    }
    bool little = encoding == ProfileEncoding::Utf16LittleEndian;
    return (little ? "\xFF\xFE" : "\xFE\xFF") + Utf16ToBytes(Utf8ToUtf16(text), little);
}

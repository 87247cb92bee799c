// Windows-1252 and its conversions: MultiByteToWideChar, WideCharToMultiByte, and the
// ANSI <-> UTF-8 mapping of file names.
#include "codepage.h"

#include <string.h>

#include "lasterror.h"
#include "winbase.h"
#include "winerror.h"

// 0x80..0x9F; the rest of Windows-1252 is Latin-1. The five unassigned bytes map to the C1
// controls of the same value, as Windows' own table does.
static const WCHAR kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

WCHAR AnsiToUnicode(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0)
        return kHighControls[c - 0x80];
    return c;
}

bool UnicodeToAnsi(WCHAR w, unsigned char &c)
{
    if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) {
        c = (unsigned char)w;
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == w) {
            c = (unsigned char)(0x80 + i);
            return true;
        }
    }
    return false;
}

static void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += (char)cp;
    } else if (cp < 0x800) {
        out += (char)(0xC0 | (cp >> 6));
        out += (char)(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += (char)(0xE0 | (cp >> 12));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    } else {
        out += (char)(0xF0 | (cp >> 18));
        out += (char)(0x80 | ((cp >> 12) & 0x3F));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
}

std::string AnsiToUtf8(const std::string &ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi)
        AppendUtf8(out, AnsiToUnicode(c));
    return out;
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when it is not valid UTF-8.
static size_t DecodeUtf8(const std::string &s, size_t i, char32_t &cp)
{
    unsigned char c = (unsigned char)s[i];
    size_t len;
    if (c < 0x80) { cp = c; return 1; }
    if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; len = 2; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; len = 3; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; len = 4; }
    else return 0;
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        unsigned char cc = (unsigned char)s[i + k];
        if ((cc & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    return len;
}

// Calls emit with each character of utf8; a byte that is not UTF-8 is U+FFFD.
template <typename Emit>
static void ForEachCharacter(const std::string &utf8, Emit emit)
{
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        size_t len = DecodeUtf8(utf8, i, cp);
        emit(len == 0 ? (char32_t)0xFFFD : cp);
        i += len == 0 ? 1 : len;
    }
}

std::string Utf8ToAnsi(const std::string &utf8)
{
    std::string out;
    out.reserve(utf8.size());
    ForEachCharacter(utf8, [&out](char32_t cp) {
        unsigned char c;
        out += (cp <= 0xFFFF && UnicodeToAnsi((WCHAR)cp, c)) ? (char)c : '?';
    });
    return out;
}

std::string Utf16ToUtf8(const std::u16string &utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        AppendUtf8(out, cp);
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string &utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    ForEachCharacter(utf8, [&out](char32_t cp) {
        if (cp > 0xFFFF) {
            out += (char16_t)(0xD800 + ((cp - 0x10000) >> 10));
            out += (char16_t)(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += (char16_t)cp;
        }
    });
    return out;
}

std::string Utf16ToBytes(const std::u16string &text, bool littleEndian)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        char low = (char)(unit & 0xFF), high = (char)(unit >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

std::u16string Utf16FromBytes(const std::string &bytes, size_t offset, bool littleEndian)
{
    std::u16string units;
    for (size_t i = offset; i + 1 < bytes.size(); i += 2) {
        unsigned char first = (unsigned char)bytes[i], second = (unsigned char)bytes[i + 1];
        units += (char16_t)(littleEndian ? first | (second << 8) : (first << 8) | second);
    }
    return units;
}

unsigned char AnsiUpper(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    switch (c) {
    case 0x9A: return 0x8A; /* s caron */
    case 0x9C: return 0x8C; /* oe */
    case 0x9E: return 0x8E; /* z caron */
    case 0xFF: return 0x9F; /* y diaeresis */
    default: return c;
    }
}

bool AnsiEqualIgnoringCase(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AnsiUpper((unsigned char)a[i]) != AnsiUpper((unsigned char)b[i]))
            return false;
    }
    return true;
}

static bool IsAnsiCodePage(UINT codePage)
{
    return codePage == CP_ACP || codePage == 1252;
}

/***********************************************************************
 *           MultiByteToWideChar
 *
 * Only the ANSI code page exists here; every byte of it has a character.
 */
int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar)
{
    (void)dwFlags;
    if (!IsAnsiCodePage(CodePage) || !lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        FailWith(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int count = cbMultiByte < 0 ? (int)strlen(lpMultiByteStr) + 1 : cbMultiByte;
    if (cchWideChar == 0)
        return count;
    if (cchWideChar < count) {
        FailWith(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int i = 0; i < count; ++i)
        lpWideCharStr[i] = AnsiToUnicode((unsigned char)lpMultiByteStr[i]);
    return count;
}

/***********************************************************************
 *           WideCharToMultiByte
 *
 * Characters without an ANSI form become the default character ('?' unless given).
 */
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar)
{
    (void)dwFlags;
    if (!IsAnsiCodePage(CodePage) || !lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
        FailWith(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int count = cchWideChar;
    if (count < 0) {
        count = 0;
        while (lpWideCharStr[count])
            ++count;
        ++count;
    }
    if (cbMultiByte > 0 && cbMultiByte < count) {
        FailWith(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    char defaultChar = lpDefaultChar ? *lpDefaultChar : '?';
    BOOL usedDefault = FALSE;
    for (int i = 0; i < count; ++i) {
        unsigned char c;
        if (!UnicodeToAnsi(lpWideCharStr[i], c)) {
            c = (unsigned char)defaultChar;
            usedDefault = TRUE;
        }
        if (cbMultiByte > 0)
            lpMultiByteStr[i] = (char)c;
    }
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault;
    return count;
}

/***********************************************************************
 *           IsDBCSLeadByte
 *
 * Windows-1252 is a single-byte code page: no byte starts a two-byte character.
 */
BOOL WINAPI IsDBCSLeadByte(BYTE TestChar)
{
    (void)TestChar;
    return FALSE;
}

// Wine's .reg export format, read and written. The escapes are the four `reg export` uses
// (\\ \" \n \r); data is a quoted string (REG_SZ), dword:, hex: (REG_BINARY) or hex(type):
// with comma-separated bytes, whose lines may end in a backslash and go on on the next.
#include "regexport.h"

#include <stdio.h>

#include "../kernel32/codepage.h"

#include "winreg.h"

static const char16_t kHeader[] = u"Windows Registry Editor Version 5.00";

// ---- reading -------------------------------------------------------------------------

namespace {

// Lines of the text, with continued lines (a backslash at the end) joined to the next one
// without its leading blanks.
std::vector<std::u16string> LogicalLines(const std::u16string &text)
{
    std::vector<std::u16string> lines;
    std::u16string current;
    bool continued = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r')
            line.pop_back();
        if (continued) {
            size_t first = line.find_first_not_of(u" \t");
            line = first == std::u16string::npos ? std::u16string() : line.substr(first);
        }
        current += line;
        continued = !current.empty() && current.back() == u'\\' && current[0] != u'[';
        if (continued)
            current.pop_back();
        else {
            lines.push_back(current);
            current.clear();
        }
        start = end + 1;
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

// A quoted string from just after its opening quote; `pos` ends after the closing quote.
bool ParseQuoted(const std::u16string &line, size_t &pos, std::u16string &out)
{
    out.clear();
    while (pos < line.size()) {
        char16_t c = line[pos++];
        if (c == u'"')
            return true;
        if (c != u'\\' || pos == line.size()) {
            out.push_back(c);
            continue;
        }
        c = line[pos++];
        out.push_back(c == u'n' ? u'\n' : c == u'r' ? u'\r' : c == u'0' ? u'\0' : c);
    }
    return false;
}

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Digits from `pos` as one number; FALSE when there are none or too many for a DWORD.
bool ParseHexNumber(const std::u16string &text, size_t &pos, size_t maxDigits, DWORD &value)
{
    size_t start = pos;
    value = 0;
    for (int d; pos < text.size() && (d = HexDigit(text[pos])) >= 0 && pos - start < maxDigits; pos++)
        value = value << 4 | (DWORD)d;
    return pos > start;
}

bool ParseHexBytes(const std::u16string &text, size_t pos, std::string &data)
{
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
            pos++;
        if (pos == text.size())
            break;
        DWORD byte;
        if (!ParseHexNumber(text, pos, 2, byte))
            return false;
        data.push_back((char)byte);
        while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
            pos++;
        if (pos < text.size() && text[pos++] != u',')
            return false;
    }
    return true;
}

std::string StringData(const std::u16string &text)
{
    std::string data;
    for (char16_t c : text) {
        data.push_back((char)(c & 0xFF));
        data.push_back((char)(c >> 8));
    }
    data.append(2, '\0');
    return data;
}

// `"name"=data` or `@=data` into `key`.
bool ParseValueLine(const std::u16string &line, RegKey &key)
{
    RegValue value;
    size_t pos = 1;
    if (line[0] == u'"' && !ParseQuoted(line, pos, value.name))
        return false;
    if (pos >= line.size() || line[pos++] != u'=')
        return false;
    std::u16string rest = line.substr(pos);
    if (!rest.empty() && rest[0] == u'"') {
        size_t end = 1;
        std::u16string text;
        if (!ParseQuoted(rest, end, text))
            return false;
        value.type = REG_SZ;
        value.data = StringData(text);
    } else if (rest.compare(0, 6, u"dword:") == 0) {
        size_t at = 6;
        DWORD number;
        if (!ParseHexNumber(rest, at, 8, number) || at != rest.size())
            return false;
        value.type = REG_DWORD;
        for (int i = 0; i < 4; i++)
            value.data.push_back((char)(number >> (8 * i)));
    } else if (rest.compare(0, 4, u"hex:") == 0) {
        value.type = REG_BINARY;
        if (!ParseHexBytes(rest, 4, value.data))
            return false;
    } else if (rest.compare(0, 4, u"hex(") == 0) {
        size_t at = 4;
        if (!ParseHexNumber(rest, at, 8, value.type) || rest.compare(at, 2, u"):") != 0 ||
            !ParseHexBytes(rest, at + 2, value.data))
            return false;
    } else {
        return false;
    }
    size_t index;
    if (RegValue *existing = key.FindValue(value.name, &index))
        *existing = std::move(value);
    else
        key.values.insert(key.values.begin() + index, std::move(value));
    return true;
}

// The key a `[path]` line names below `root`, made with every key on the way; nullptr for a
// path outside `rootName`.
RegKey *KeyOfLine(const std::u16string &line, const std::u16string &rootName, RegKey &root)
{
    size_t close = line.rfind(u']');
    if (close == std::u16string::npos)
        return nullptr;
    std::u16string path = line.substr(1, close - 1);
    std::vector<std::u16string> names = SplitPath(path);
    std::vector<std::u16string> rootNames = SplitPath(rootName);
    if (names.size() < rootNames.size())
        return nullptr;
    for (size_t i = 0; i < rootNames.size(); i++)
        if (CompareNames(names[i], rootNames[i]) != 0)
            return nullptr;
    ULONGLONG now = CurrentFileTime();
    RegKey *key = &root;
    for (size_t i = rootNames.size(); i < names.size(); i++)
        key = key->AddSubkey(names[i], now);
    return key;
}

} // namespace

bool ParseRegExport(const std::u16string &text, const std::u16string &rootName, RegKey &root)
{
    std::vector<std::u16string> lines = LogicalLines(text);
    if (lines.empty() || lines[0] != kHeader)
        return false;
    RegKey *key = nullptr;
    for (size_t i = 1; i < lines.size(); i++) {
        const std::u16string &line = lines[i];
        if (line.empty() || line[0] == u';')
            continue;
        if (line[0] == u'[') {
            if (!(key = KeyOfLine(line, rootName, root)))
                return false;
        } else if (!key || (line[0] != u'"' && line[0] != u'@') || !ParseValueLine(line, *key)) {
            return false;
        }
    }
    return true;
}

// ---- writing -------------------------------------------------------------------------

namespace {

void AppendQuoted(std::u16string &out, const std::u16string &text)
{
    out += u'"';
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        if (c == u'\n')
            out += u"\\n";
        else if (c == u'\r')
            out += u"\\r";
        else
            out += c;
    }
    out += u'"';
}

void AppendAscii(std::u16string &out, const char *text)
{
    for (; *text; text++)
        out += (char16_t)*text;
}

// The text of string data when it is a plain string: whole UTF-16 units, one NUL at the end
// and none before it. Anything else is written as hex(1): and arrives unchanged.
bool PlainString(const std::string &data, std::u16string &text)
{
    if (data.size() < 2 || data.size() % 2)
        return false;
    text.clear();
    for (size_t i = 0; i + 2 < data.size(); i += 2) {
        char16_t c = (char16_t)((unsigned char)data[i] | (unsigned char)data[i + 1] << 8);
        if (!c)
            return false;
        text += c;
    }
    return !data[data.size() - 2] && !data[data.size() - 1];
}

void AppendValue(std::u16string &out, const RegValue &value)
{
    if (value.name.empty())
        out += u'@';
    else
        AppendQuoted(out, value.name);
    out += u'=';
    std::u16string text;
    char buf[24];
    if (value.type == REG_SZ && PlainString(value.data, text)) {
        AppendQuoted(out, text);
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        for (int i = 3; i >= 0; i--)
            number = number << 8 | (unsigned char)value.data[i];
        snprintf(buf, sizeof buf, "dword:%08x", (unsigned)number);
        AppendAscii(out, buf);
    } else {
        if (value.type == REG_BINARY)
            AppendAscii(out, "hex:");
        else {
            snprintf(buf, sizeof buf, "hex(%x):", (unsigned)value.type);
            AppendAscii(out, buf);
        }
        for (size_t i = 0; i < value.data.size(); i++) {
            snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", (unsigned char)value.data[i]);
            AppendAscii(out, buf);
        }
    }
    out += u"\r\n";
}

void AppendSection(std::u16string &out, const std::u16string &path, bool deleted)
{
    out += deleted ? u"\r\n[-" : u"\r\n[";
    out += path;
    out += u"]\r\n";
}

bool SameValue(const RegValue &a, const RegValue &b)
{
    return a.type == b.type && a.data == b.data;
}

void AppendDifference(std::u16string &out, const RegKey *before, const RegKey &after, const std::u16string &path)
{
    std::u16string lines;
    for (const RegValue &value : after.values) {
        const RegValue *old = before ? before->FindValue(value.name) : nullptr;
        if (!old || !SameValue(*old, value))
            AppendValue(lines, value);
    }
    if (before)
        for (const RegValue &value : before->values)
            if (!after.FindValue(value.name)) {
                if (value.name.empty())
                    lines += u'@';
                else
                    AppendQuoted(lines, value.name);
                lines += u"=-\r\n";
            }
    if (!before || !lines.empty()) {
        AppendSection(out, path, false);
        out += lines;
    }
    if (before)
        for (const auto &sub : before->subkeys)
            if (!sub->mounted && !after.FindSubkey(sub->name))
                AppendSection(out, path + u'\\' + sub->name, true);
    for (const auto &sub : after.subkeys) {
        if (sub->mounted)
            continue;
        const RegKey *old = before ? before->FindSubkey(sub->name) : nullptr;
        AppendDifference(out, old, *sub, path + u'\\' + sub->name);
    }
}

} // namespace

std::u16string FormatRegImport(const RegKey &before, const RegKey &after, const std::u16string &rootName)
{
    std::u16string changes;
    AppendDifference(changes, &before, after, rootName);
    if (changes.empty())
        return changes;
    return kHeader + (u"\r\n" + changes);
}

std::string Utf16FileBytes(const std::u16string &text)
{
    return "\xFF\xFE" + Utf16ToBytes(text, true);
}

bool TextOfUtf16File(const std::string &bytes, std::u16string &text)
{
    if (bytes.size() < 2 || bytes.size() % 2 || (unsigned char)bytes[0] != 0xFF || (unsigned char)bytes[1] != 0xFE)
        return false;
    text = Utf16FromBytes(bytes, 2, true);
    return true;
}

// Reading and writing Wine's registry text format. Keys are written as Wine's server writes
// them: a key with values, a class, a link flag or no subkeys gets its own section, keys in
// sorted order, times as seconds since 1970 and as "#time=" ticks, strings with Wine's
// escapes, long binary data wrapped after 76 columns.
#include "regfile.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "winreg.h"

static const ULONGLONG kTicksPerSecond = 10000000ULL;
static const ULONGLONG kTicks1601To1970 = 116444736000000000ULL;

// ---- strings -------------------------------------------------------------------------

// Appends `s` escaped as Wine escapes it; `delims` are the two characters that end the
// string in its context ("" for quoted strings, "[]" for key paths).
static void AppendEscaped(std::string &out, const char16_t *s, size_t len, const char *delims)
{
    static const char cEscapes[] = ".......abtnvfr.............e....";
    char buf[16];
    for (; len; s++, len--) {
        char16_t c = *s;
        if (c > 127) {
            bool hexNext = len > 1 && s[1] < 128 && isxdigit((int)s[1]);
            snprintf(buf, sizeof buf, hexNext ? "\\x%04x" : "\\x%x", (unsigned)c);
            out += buf;
        } else if (c < 32) {
            if (cEscapes[c] != '.')
                snprintf(buf, sizeof buf, "\\%c", cEscapes[c]);
            else
                snprintf(buf, sizeof buf, len > 1 && s[1] >= '0' && s[1] <= '7' ? "\\%03o" : "\\%o", (unsigned)c);
            out += buf;
        } else {
            if (c == '\\' || c == delims[0] || c == delims[1])
                out += '\\';
            out += (char)c;
        }
    }
}

// Appends the character of the UTF-8 sequence at p (Wine writes ASCII only, but a hand-edited
// file may not) and steps past it. A byte that starts no well-formed sequence is dropped, as
// Wine drops it: it must not turn into a control character or end the text.
static void DecodeUtf8(const char *&p, std::u16string &out)
{
    const unsigned char *s = (const unsigned char *)p;
    unsigned char c = s[0];
    int extra = c < 0x80 ? 0 : c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : -1;
    unsigned value = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    for (int i = 1; i <= extra; i++) {
        if ((s[i] & 0xC0) != 0x80) {
            extra = -1;
            break;
        }
        value = (value << 6) | (s[i] & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    static const unsigned kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (extra < 0 || value < kSmallest[extra] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        p++;
        return;
    }
    p += 1 + extra;
    if (value < 0x10000) {
        out.push_back((char16_t)value);
    } else {
        value -= 0x10000;
        out.push_back((char16_t)(0xD800 | (value >> 10)));
        out.push_back((char16_t)(0xDC00 | (value & 0x3FF)));
    }
}

// Parses an escaped string up to the unescaped `end` character. Returns the position after
// it, or nullptr when the string does not end on this line.
static const char *ParseEscaped(const char *p, char end, std::u16string &out)
{
    out.clear();
    while (*p && *p != end) {
        if (*p != '\\') {
            DecodeUtf8(p, out);
            continue;
        }
        p++;
        switch (*p) {
        case 'a': out.push_back(7); p++; break;
        case 'b': out.push_back(8); p++; break;
        case 'e': out.push_back(27); p++; break;
        case 'f': out.push_back(12); p++; break;
        case 'n': out.push_back(10); p++; break;
        case 'r': out.push_back(13); p++; break;
        case 't': out.push_back(9); p++; break;
        case 'v': out.push_back(11); p++; break;
        case 'x': {
            p++;
            unsigned value = 0;
            for (int i = 0; i < 4 && isxdigit((unsigned char)*p); i++, p++)
                value = value * 16 + (isdigit((unsigned char)*p) ? *p - '0' : (tolower((unsigned char)*p) - 'a' + 10));
            out.push_back((char16_t)value);
            break;
        }
        case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': {
            unsigned value = 0;
            for (int i = 0; i < 3 && *p >= '0' && *p <= '7'; i++, p++)
                value = value * 8 + (*p - '0');
            out.push_back((char16_t)value);
            break;
        }
        case 0:
            return nullptr;
        default:
            DecodeUtf8(p, out);
            break;
        }
    }
    return *p == end ? p + 1 : nullptr;
}

static std::string Utf16Bytes(const std::u16string &s)
{
    std::string bytes;
    for (char16_t c : s) {
        bytes.push_back((char)(c & 0xFF));
        bytes.push_back((char)(c >> 8));
    }
    return bytes;
}

// ---- reading -------------------------------------------------------------------------

namespace {

class Reader {
public:
    explicit Reader(const std::string &text) : m_text(text) {}

    // The next line without its end (LF or CR LF); false at the end of the text.
    bool NextLine(std::string &line)
    {
        if (m_pos >= m_text.size()) {
            m_askedPastEnd = true;
            return false;
        }
        size_t end = m_text.find('\n', m_pos);
        if (end == std::string::npos)
            end = m_text.size();
        line.assign(m_text, m_pos, end - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lineStart = m_pos;
        m_pos = end + 1;
        return true;
    }

    // Where the line NextLine gave last begins, to hand to Keep.
    size_t LineStart() const { return m_lineStart; }

    // Keeps the lines from `start` up to those read so far as they are, without the carriage
    // returns at their ends (which a rewrite would not keep either).
    void Keep(size_t start, std::vector<std::string> &lines) const
    {
        size_t end = m_pos < m_text.size() ? m_pos : m_text.size();
        while (start < end) {
            size_t stop = m_text.find('\n', start);
            if (stop == std::string::npos || stop > end)
                stop = end;
            std::string line(m_text, start, stop - start);
            while (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(std::move(line));
            start = stop + 1;
        }
        // The text ended inside a continued value. Rewritten, the value would continue into
        // whatever line follows it; a comment line ends it there with the same failure, in
        // Wine as here.
        if (m_askedPastEnd)
            lines.push_back(";");
    }

private:
    const std::string &m_text;
    size_t m_pos = 0;
    size_t m_lineStart = 0;
    bool m_askedPastEnd = false;
};

}

static const char *SkipSpace(const char *p)
{
    while (isspace((unsigned char)*p))
        p++;
    return p;
}

// Hex bytes separated by commas, continued on the next line after a backslash.
static bool ParseHex(Reader &reader, std::string line, const char *p, std::string &data)
{
    for (;;) {
        while (isxdigit((unsigned char)*p)) {
            char *end;
            unsigned long byte = strtoul(p, &end, 16);
            if (byte > 0xFF)
                return false;
            data.push_back((char)byte);
            p = SkipSpace(end);
            if (*p == ',')
                p = SkipSpace(p + 1);
        }
        p = SkipSpace(p);
        if (!*p)
            return true;
        if (*p != '\\' || !reader.NextLine(line))
            return false;
        p = SkipSpace(line.c_str());
    }
}

// The data of a value line after its '='; false when it is not one of Wine's forms.
static bool ParseData(Reader &reader, const std::string &line, const char *p, DWORD &type, std::string &data)
{
    std::u16string text;
    if (*p == '"' || !strncmp(p, "str:\"", 5) || !strncmp(p, "str(2):\"", 8) || !strncmp(p, "str(7):\"", 8)) {
        type = *p == '"' ? REG_SZ : p[3] == ':' ? REG_SZ : p[4] == '2' ? REG_EXPAND_SZ : REG_MULTI_SZ;
        p = strchr(p, '"') + 1;
        if (!ParseEscaped(p, '"', text))
            return false;
        data = Utf16Bytes(text) + std::string(2, '\0');
        return true;
    }
    if (!strncmp(p, "dword:", 6)) {
        type = REG_DWORD;
        DWORD dw = (DWORD)strtoul(p + 6, nullptr, 16);
        data.assign((const char *)&dw, sizeof dw);
        return true;
    }
    if (!strncmp(p, "hex:", 4)) {
        type = REG_BINARY;
        return ParseHex(reader, line, p + 4, data);
    }
    if (!strncmp(p, "hex(", 4)) {
        char *end;
        type = (DWORD)strtoul(p + 4, &end, 16);
        return !strncmp(end, "):", 2) && ParseHex(reader, line, end + 2, data);
    }
    return false;
}

// One value line (with its continuation lines); false when it is not understood. A value
// whose name reads but whose data does not is left empty, of type REG_NONE, as Wine leaves it.
static bool ParseValue(Reader &reader, const std::string &line, const char *p, RegKey &key)
{
    std::u16string name;
    if (*p == '@') {
        p++;
    } else if (!(p = ParseEscaped(p + 1, '"', name))) {
        return false;
    }
    p = SkipSpace(p);
    if (*p != '=')
        return false;
    p = SkipSpace(p + 1);

    DWORD type = REG_NONE;
    std::string data;
    bool understood = ParseData(reader, line, p, type, data);
    if (!understood) {
        type = REG_NONE;
        data.clear();
    }

    size_t index;
    RegValue *value = key.FindValue(name, &index);
    if (!value)
        value = &*key.values.insert(key.values.begin() + index, RegValue{name, 0, {}});
    value->type = type;
    value->data = std::move(data);
    // A broken line is written back before the values, so it is the one that names the value
    // when the file is read again: it names it now too.
    if (!understood)
        value->name = name;
    return understood;
}

// The rest of a header line, without the carriage returns that would end it on a rewrite.
static std::string HeaderText(const char *p)
{
    std::string text = p;
    while (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

// The time of a key read from a file until its section, or a subkey's, gives it one. Not 0,
// which a #time line may set.
static const ULONGLONG kTimeToCome = ~0ULL;

// Gives the section's key, and the keys created only as its parents, the section's time.
static void FillParentTimes(const std::vector<RegKey *> &chain, ULONGLONG time)
{
    for (RegKey *key : chain)
        if (key->modified == kTimeToCome)
            key->modified = time;
}

bool ParseRegistryText(const std::string &text, RegKey &root, RegFileHeader &header)
{
    Reader reader(text);
    std::string line;
    if (!reader.NextLine(line) || line != "WINE REGISTRY Version 2")
        return false;

    RegKey *key = nullptr;
    std::vector<RegKey *> chain;   // the current key and the parents created for it
    // Lines that are not understood are kept where they stood: with the last key that opened,
    // or in the header before any did, so that a rewrite loses nothing of them.
    RegKey *owner = nullptr;
    std::vector<std::string> *unparsed = &header.unparsedLines;
    while (reader.NextLine(line)) {
        size_t lineStart = reader.LineStart();
        const char *p = SkipSpace(line.c_str());
        bool understood = true;
        switch (*p) {
        case '[': {
            std::u16string path;
            const char *after = ParseEscaped(p + 1, ']', path);
            if (!after) {
                // As for Wine, the values that follow a key it cannot read belong to no key.
                key = nullptr;
                unparsed = owner ? &owner->orphanLines : &header.unparsedLines;
                understood = false;
                break;
            }
            unsigned seconds;
            ULONGLONG time = sscanf(after, " %u", &seconds) == 1
                                 ? (ULONGLONG)seconds * kTicksPerSecond + kTicks1601To1970
                                 : CurrentFileTime();
            key = &root;
            chain.clear();
            for (const std::u16string &name : SplitPath(path)) {
                key = key->AddSubkey(name, kTimeToCome);
                chain.push_back(key);
            }
            if (chain.empty())
                chain.push_back(&root);
            chain.back()->modified = kTimeToCome;
            FillParentTimes(chain, time);
            owner = key;
            unparsed = &key->unparsedLines;
            break;
        }
        case '@':
        case '"':
            understood = key && ParseValue(reader, line, p, *key);
            break;
        case '#':
            if (!key) {
                if (!strncmp(p, "#arch=", 6))
                    header.arch = HeaderText(p + 6);
                else
                    understood = false;
            } else if (!strncmp(p, "#time=", 6)) {
                key->modified = strtoull(p + 6, nullptr, 16);
            } else if (!strncmp(p, "#class=\"", 8)) {
                std::u16string keyClass;
                understood = ParseEscaped(p + 8, '"', keyClass) != nullptr;
                if (understood) {
                    key->keyClass = std::move(keyClass);
                    key->hasClass = true;
                }
            } else if (!strncmp(p, "#link", 5)) {
                key->isLink = true;
            } else {
                understood = false;
            }
            break;
        case ';':
            if (!key && !strncmp(p, ";; All keys relative to ", 24))
                header.relativeTo = HeaderText(p + 24);
            break;
        case 0:
            break;
        default:
            understood = false;
            break;
        }
        if (!understood)
            reader.Keep(lineStart, *unparsed);
    }
    return true;
}

// ---- writing -------------------------------------------------------------------------

static void AppendValue(std::string &out, const RegValue &value)
{
    size_t start = out.size();
    if (!value.name.empty()) {
        out += '"';
        AppendEscaped(out, value.name.data(), value.name.size(), "\"\"");
        out += "\"=";
    } else {
        out += "@=";
    }

    const std::string &data = value.data;
    size_t units = data.size() / 2;
    bool terminatedText = data.size() >= 2 && data.size() % 2 == 0 && !data[data.size() - 1] && !data[data.size() - 2];
    if ((value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ) && terminatedText) {
        std::u16string text(units, u'\0');
        for (size_t i = 0; i < units; i++)
            text[i] = (char16_t)((unsigned char)data[2 * i] | ((unsigned char)data[2 * i + 1] << 8));
        if (value.type != REG_SZ)
            out += value.type == REG_EXPAND_SZ ? "str(2):" : "str(7):";
        out += '"';
        AppendEscaped(out, text.data(), text.size() - 1, "\"\"");   // the terminating NUL is implied
        out += "\"\n";
        return;
    }
    char buf[32];
    if (value.type == REG_DWORD && data.size() == 4) {
        DWORD dw;
        memcpy(&dw, data.data(), 4);
        snprintf(buf, sizeof buf, "dword:%08x\n", dw);
        out += buf;
        return;
    }
    if (value.type == REG_BINARY)
        snprintf(buf, sizeof buf, "hex:");
    else
        snprintf(buf, sizeof buf, "hex(%x):", value.type);
    out += buf;
    size_t count = out.size() - start;
    for (size_t i = 0; i < data.size(); i++) {
        snprintf(buf, sizeof buf, "%02x", (unsigned char)data[i]);
        out += buf;
        count += 2;
        if (i + 1 < data.size()) {
            out += ',';
            if (++count > 76) {
                out += "\\\n  ";
                count = 2;
            }
        }
    }
    out += '\n';
}

static void AppendLines(std::string &out, const std::vector<std::string> &lines)
{
    for (const std::string &line : lines) {
        out += line;
        out += '\n';
    }
}

// A key's own section, with its time, class, link flag and values: Wine gives one to a key
// that has values, no subkeys, a class or a link flag, and so do we to one with lines kept;
// the others are implied by their subkeys' paths.
static void AppendSection(std::string &out, const RegKey &key, const std::string &escapedPath)
{
    if (key.values.empty() && !key.subkeys.empty() && !key.hasClass && !key.isLink && key.unparsedLines.empty() &&
        key.orphanLines.empty())
        return;
    out += "\n[";
    out += escapedPath;
    char buf[64];
    ULONGLONG seconds = key.modified > kTicks1601To1970 ? (key.modified - kTicks1601To1970) / kTicksPerSecond : 0;
    snprintf(buf, sizeof buf, "] %u\n#time=%x%08x\n", (unsigned)seconds, (unsigned)(key.modified >> 32),
             (unsigned)key.modified);
    out += buf;
    if (key.hasClass) {
        out += "#class=\"";
        AppendEscaped(out, key.keyClass.data(), key.keyClass.size(), "\"\"");
        out += "\"\n";
    }
    if (key.isLink)
        out += "#link\n";
    // Before the values: a line that reads as a broken value empties a value of its name, and
    // the value written after it must win.
    AppendLines(out, key.unparsedLines);
    for (const RegValue &value : key.values)
        AppendValue(out, value);
    AppendLines(out, key.orphanLines);
}

// Every key below `root` in order, depth first. The walk keeps its own stack and one path
// that grows and shrinks by a name, so a key nested however deep costs neither the thread's
// stack nor a copy of its path per level.
static void AppendKeys(std::string &out, const RegKey &root)
{
    struct Level {
        const RegKey *key;
        size_t nextSubkey;
        size_t pathLength;   // of the path before this key's name
    };
    std::string path;        // escaped, as the section header writes it
    std::vector<Level> levels;
    const RegKey *entering = &root;
    for (;;) {
        if (entering && !entering->mounted && !entering->isVolatile) {
            size_t before = path.size();
            if (entering != &root) {
                if (!path.empty())
                    path += "\\\\";
                AppendEscaped(path, entering->name.data(), entering->name.size(), "[]");
            }
            AppendSection(out, *entering, path);
            levels.push_back({entering, 0, before});
        }
        entering = nullptr;
        if (levels.empty())
            return;
        Level &top = levels.back();
        if (top.nextSubkey < top.key->subkeys.size()) {
            entering = top.key->subkeys[top.nextSubkey++].get();
        } else {
            path.resize(top.pathLength);
            levels.pop_back();
        }
    }
}

std::string FormatRegistryText(const RegKey &root, const RegFileHeader &header)
{
    std::string out = "WINE REGISTRY Version 2\n;; All keys relative to " + header.relativeTo + "\n";
    if (!header.arch.empty())
        out += "\n#arch=" + header.arch + "\n";
    AppendLines(out, header.unparsedLines);
    AppendKeys(out, root);
    return out;
}

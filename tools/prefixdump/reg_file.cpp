#include "reg_file.h"

#include "dump_text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads an escaped name or string starting after its opening delimiter, up to the
// unescaped CLOSE character; POS is left after it. Returns false if CLOSE never comes.
bool Unescape(const std::string &text, size_t &pos, char close, std::u16string &out)
{
    out.clear();
    while (pos < text.size()) {
        char c = text[pos++];
        if (c == close)
            return true;
        if (c != '\\' || pos >= text.size()) {
            out += static_cast<char16_t>(static_cast<unsigned char>(c));
            continue;
        }
        c = text[pos++];
        switch (c) {
        case 'a': out += u'\a'; break;
        case 'b': out += u'\b'; break;
        case 'e': out += char16_t(27); break;
        case 'f': out += u'\f'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'v': out += u'\v'; break;
        case 'x': {
            unsigned value = 0;
            int digits = 0;
            while (digits < 4 && pos < text.size() && HexDigit(text[pos]) >= 0) {
                value = value * 16 + static_cast<unsigned>(HexDigit(text[pos++]));
                digits++;
            }
            out += digits ? static_cast<char16_t>(value) : u'x';
            break;
        }
        default:
            if (c >= '0' && c <= '7') {
                unsigned value = static_cast<unsigned>(c - '0');
                for (int digits = 1; digits < 3 && pos < text.size() && text[pos] >= '0' && text[pos] <= '7'; digits++)
                    value = value * 8 + static_cast<unsigned>(text[pos++] - '0');
                out += static_cast<char16_t>(value);
            } else {
                out += static_cast<char16_t>(static_cast<unsigned char>(c));
            }
        }
    }
    return false;
}

std::string Lower16(const std::u16string &text)
{
    return LowerAscii(VisibleUtf16(text));
}

std::string StringTypeName(int type)
{
    switch (type) {
    case 1: return "sz";
    case 2: return "expand_sz";
    case 7: return "multi_sz";
    default: return "str(" + std::to_string(type) + ")";
    }
}

// The data after the equals sign in canonical form: sz "text", dword 0000002a, hex(N) aa,bb.
std::string ShowData(const std::string &data)
{
    size_t pos = 0;
    int stringType = 1;
    if (data.compare(0, 4, "str(") == 0) {
        size_t close = data.find("):\"");
        if (close == std::string::npos)
            return "raw " + VisibleBytes(data);
        stringType = std::atoi(data.c_str() + 4);
        pos = close + 2;
    }
    if (pos < data.size() && data[pos] == '"') {
        std::u16string text;
        pos++;
        if (!Unescape(data, pos, '"', text) || pos != data.size())
            return "raw " + VisibleBytes(data);
        return StringTypeName(stringType) + " \"" + VisibleUtf16(text) + "\"";
    }
    if (data.compare(0, 6, "dword:") == 0)
        return "dword " + LowerAscii(data.substr(6));
    if (data.compare(0, 3, "hex") == 0) {
        size_t colon = data.find(':');
        if (colon == std::string::npos)
            return "raw " + VisibleBytes(data);
        std::string bytes;
        for (char c : data.substr(colon + 1)) {
            if (!std::isspace(static_cast<unsigned char>(c)) && c != '\\')
                bytes += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return data.substr(0, colon) + " " + bytes;
    }
    return "raw " + VisibleBytes(data);
}

// One value line: "value \"Name\" <data>", with the sort key (the name in lower case).
bool ShowValue(const std::string &line, std::pair<std::string, std::string> &shown)
{
    size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
        name = "@";
        pos = 1;
    } else {
        std::u16string text;
        pos = 1;
        if (!Unescape(line, pos, '"', text))
            return false;
        name = "\"" + VisibleUtf16(text) + "\"";
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    shown = {LowerAscii(name), "value " + name + " " + ShowData(line.substr(pos + 1))};
    return true;
}

struct KeyBeingRead {
    RegKeyDump dump;
    std::string sortKey;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> meta;
};

void Finish(KeyBeingRead &key, std::vector<KeyBeingRead> &done)
{
    std::sort(key.values.begin(), key.values.end());
    for (auto &value : key.values)
        key.dump.lines.push_back(value.second);
    for (auto &meta : key.meta)
        key.dump.lines.push_back("meta " + meta);
    done.push_back(std::move(key));
}

}  // namespace

bool ReadRegistryBranch(const std::filesystem::path &file, const std::string &keyPath,
                        std::vector<RegKeyDump> &keys)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::string wanted = LowerAscii(keyPath);
    std::vector<KeyBeingRead> found;
    KeyBeingRead current;
    bool inside = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Long binary values go on over several lines, each ending with a backslash.
        while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
            std::string next;
            if (!std::getline(in, next))
                break;
            if (!next.empty() && next.back() == '\r')
                next.pop_back();
            line.pop_back();
            line += next.substr(std::min(next.find_first_not_of(" \t"), next.size()));
        }
        if (line.empty())
            continue;
        if (line[0] == '[') {
            if (inside)
                Finish(current, found);
            inside = false;
            std::u16string name;
            size_t pos = 1;
            if (!Unescape(line, pos, ']', name))
                continue;
            std::string lower = Lower16(name);
            if (lower == wanted || lower.compare(0, wanted.size() + 1, wanted + "\\") == 0) {
                current = KeyBeingRead();
                current.dump.path = VisibleUtf16(name);
                current.sortKey = lower;
                inside = true;
            }
            continue;
        }
        if (!inside)
            continue;
        if (line[0] == '#') {
            if (line.compare(0, 6, "#time=") != 0)
                current.meta.push_back(VisibleBytes(line));
            continue;
        }
        std::pair<std::string, std::string> value;
        if ((line[0] == '"' || line[0] == '@') && ShowValue(line, value))
            current.values.push_back(value);
        else
            current.meta.push_back("unparsed " + VisibleBytes(line));
    }
    if (inside)
        Finish(current, found);
    std::sort(found.begin(), found.end(),
              [](const KeyBeingRead &a, const KeyBeingRead &b) { return a.sortKey < b.sortKey; });
    keys.clear();
    for (auto &key : found)
        keys.push_back(std::move(key.dump));
    return true;
}

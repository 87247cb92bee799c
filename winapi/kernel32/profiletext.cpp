// Reading and writing the text of a profile file, in the form Wine gives it, so that a file
// written here reads the same under Wine and is written by both alike.
#include "profiletext.h"

bool IsProfileSpace(char c)
{
    return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == ' ';
}

std::string TrimProfileSpaces(const std::string &text)
{
    size_t start = 0, end = text.size();
    while (start < end && IsProfileSpace(text[start]))
        ++start;
    while (end > start && IsProfileSpace(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

// Names and values end at a NUL, as the strings Wine keeps them in do; the rest of the line
// is not read, and not written back. Blanks before the NUL go too, so that what is written
// back reads the same again.
static std::string CutAtNul(const std::string &text)
{
    return TrimProfileSpaces(text.substr(0, text.find('\0')));
}

// A header is '[' up to the last ']' of the line; what follows that ']' is dropped.
static bool ParseHeader(const std::string &line, std::string &name)
{
    if (line.empty() || line[0] != '[')
        return false;
    size_t close = line.rfind(']');
    if (close == std::string::npos || close == 0)
        return false;
    name = CutAtNul(line.substr(1, close - 1));
    return true;
}

static ProfileKey ParseKey(const std::string &line)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return {CutAtNul(line), false, std::string()};
    std::string name = line.substr(0, equals);
    while (!name.empty() && IsProfileSpace(name.back()))
        name.pop_back();
    size_t value = equals + 1;
    while (value < line.size() && IsProfileSpace(line[value]))
        ++value;
    return {CutAtNul(name), true, CutAtNul(line.substr(value))};
}

Profile ParseProfile(const std::string &text)
{
    Profile profile(1);
    size_t pos = 0;
    while (pos < text.size()) {
        // A line ends at CR or LF; the run of line ends after it goes with it.
        size_t end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        std::string line = TrimProfileSpaces(text.substr(pos, end - pos));
        while (end < text.size() && (text[end] == '\n' || text[end] == '\r'))
            ++end;
        pos = end;
        if (line.empty())
            continue;

        std::string header;
        if (ParseHeader(line, header)) {
            profile.push_back({header, {}});
            continue;
        }
        ProfileKey key = ParseKey(line);
        std::vector<ProfileKey> &keys = profile.back().keys;
        // Two nameless keys in a row keep only the first, as Wine does.
        if (!key.name.empty() || keys.empty() || !keys.back().name.empty())
            keys.push_back(key);
    }
    return profile;
}

std::string FormatProfile(const Profile &profile)
{
    std::string text;
    for (const ProfileSection &section : profile) {
        if (!section.name.empty())
            text += "[" + section.name + "]\r\n";
        for (const ProfileKey &key : section.keys) {
            text += key.name;
            if (key.hasValue)
                text += "=" + key.value;
            text += "\r\n";
        }
    }
    return text;
}

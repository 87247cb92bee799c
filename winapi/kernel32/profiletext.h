// The text of a profile (INI) file as Wine reads and writes it: sections of keys, blank
// lines dropped, blanks around names and values trimmed, written back with CR LF.
#ifndef WINAPI_KERNEL32_PROFILETEXT_H
#define WINAPI_KERNEL32_PROFILETEXT_H

#include <string>
#include <vector>

struct ProfileKey {
    std::string name;
    bool hasValue; // the line had an '='; a line without one (a comment too) is kept as a name
    std::string value;
};

struct ProfileSection {
    std::string name; // empty for the lines before the first header
    std::vector<ProfileKey> keys;
};

// The sections in file order; the first one always holds the lines before any header.
typedef std::vector<ProfileSection> Profile;

// Blanks as the profile functions trim them: tab to carriage return, ^Z and space.
bool IsProfileSpace(char c);

// `text` with the profile blanks at both ends removed.
std::string TrimProfileSpaces(const std::string &text);

Profile ParseProfile(const std::string &text);
std::string FormatProfile(const Profile &profile);

#endif

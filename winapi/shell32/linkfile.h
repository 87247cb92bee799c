// The shell link file format (.lnk): what a link holds, and its bytes as Wine 8 writes them.
#ifndef WINAPI_SHELL32_LINKFILE_H
#define WINAPI_SHELL32_LINKFILE_H

#include <optional>
#include <string>

#include "windef.h"

struct LinkFields {
    std::string idList;  // item id list with its ending zero cb; empty for none
    std::string path;    // the target's full path (the LinkInfo's local path); empty for none
    std::optional<std::string> description, relativePath, workingDirectory, arguments, iconLocation;
    int iconIndex = 0;
    WORD hotkey = 0;
    int showCmd = 1;  // SW_SHOWNORMAL
};

// The file: header, item id list, LinkInfo (a fixed volume and the local path), the strings
// in Unicode with their counts including the ending NUL, and the terminal block.
std::string BuildLinkFile(const LinkFields &link);

// Reads a link file written by Windows, Wine or BuildLinkFile; false when it is not one.
bool ParseLinkFile(const std::string &bytes, LinkFields &link);

#endif

// A shell link file (.lnk, the binary shell-link format) decoded into the fields the
// setup program sets: where it points, with what arguments, from which folder, and its
// description.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The decoded fields as dump lines ("target ...", "idlist ...", "arguments ...",
// "workdir ...", "description ...", "encoding ..."; "relative ..." and "icon ..." only
// when the link has them). Returns false with the reason in ERROR when the file is not
// a well-formed link.
bool DecodeShellLink(const std::filesystem::path &file, std::vector<std::string> &lines,
                     std::string &error);

// The same for the bytes of a link file.
bool DecodeShellLinkBytes(const std::string &bytes, std::vector<std::string> &lines, std::string &error);

// Writing whole texts to host files, for the files winapi keeps in the prefix.
#pragma once

#include <string>

// Writes all of text to fd, going on after interruptions. 0 on success, else the errno of the
// failure (ENOSPC for a write that made no progress).
int WriteWhole(int fd, const std::string &text);

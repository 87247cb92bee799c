// Reading and writing whole texts of host files, for the files winapi keeps in the prefix.
#pragma once

#include <string>

// Reads fd to its end into text, going on after interruptions. 0 on success, else the errno of
// the failure.
int ReadWhole(int fd, std::string &text);

// The whole of the file at hostPath into text; 0 on success, else the errno of the failure.
int ReadWholeFile(const std::string &hostPath, std::string &text);

// Writes all of text to fd, going on after interruptions. 0 on success, else the errno of the
// failure (ENOSPC for a write that made no progress).
int WriteWhole(int fd, const std::string &text);

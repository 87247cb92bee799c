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

// Replaces the file at hostPath with text in one step: text is written to a temporary file
// beside it (named tempStem, this process's id and ".tmp"), flushed to disk and renamed over
// it, so that at every instant the file is the old one or the complete new one. A link is
// followed and its target replaced; an existing file keeps its permission bits. Temporary
// files of the same stem left by processes that died before their rename are removed first.
// 0 on success, else the errno of the failure; the old file is then untouched.
int ReplaceWholeFile(const std::string &hostPath, const std::string &text, const std::string &tempStem);

// fsync of the folder holding hostPath, so that a rename into it reaches the disk.
void SyncParentFolder(const std::string &hostPath);

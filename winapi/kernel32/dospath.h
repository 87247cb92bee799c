// The Linux machine model: a Wine-style prefix whose dosdevices links give the drive letters,
// and the mapping between Windows paths (ANSI) and host paths (UTF-8). Other DLLs of winapi/
// (shell32, the run-time library's fopen) go through these functions so that every path of
// the program reaches the same host file.
#ifndef WINAPI_KERNEL32_DOSPATH_H
#define WINAPI_KERNEL32_DOSPATH_H

#include <string>

#include "windef.h"

// The prefix root: $WINEPREFIX, else ~/.wine. A prefix without a dosdevices folder is laid
// out first as Wine lays out a new one: drives c: (../drive_c) and z: (/), the Windows
// folder and the user's Temp folder.
std::string DosPrefixRoot();

// Lays out the prefix when it is new, as DosPrefixRoot does, and checks that the program can
// work in it. FALSE when it cannot, with why in `problem`, naming the prefix: a file, a folder
// that cannot be written, a path that cannot be created.
BOOL DosPreparePrefix(std::string &problem);

// The user's name in the prefix's folders: $USER, else the account's name.
std::string DosUserName();

// "C:\windows" and "C:\users\<user>\Temp\", the folders Wine reports.
std::string DosWindowsDirectory();
std::string DosTempDirectory();

// The full Windows path of `path`, formed as GetFullPathNameA forms it: relative to the
// current folder, drive-relative ("D:x") or absolute, either separator, "." and ".." resolved,
// the dots and blanks that end the last name dropped. ".." never leaves the root: a drive's,
// a network share's, or "\\?\unix\" (the host's). FALSE with ERROR_INVALID_NAME for "".
BOOL DosFullPath(LPCSTR path, std::string &full);

// The host path of a Windows path: its drive through <root>/dosdevices/<letter>:, then each
// name as it is or, when no such name exists, the existing name that differs only in case.
// A "\\?\unix\" path is the host path itself, each name exactly as spelled.
// Every folder on the way must exist; the last name need not, so callers can create it.
// FALSE with the last error set: ERROR_PATH_NOT_FOUND (no such drive or folder),
// ERROR_INVALID_NAME, ERROR_BAD_NETPATH (a network path).
BOOL DosPathToHost(LPCSTR path, std::string &host);

// The Windows path of an absolute host path through the drive whose folder is the deepest
// one holding it (the first letter when several lead there). FALSE when no drive reaches it.
BOOL HostPathToDos(const std::string &host, std::string &dos);

// The Windows path of an absolute host path that no drive reaches, as Wine names it:
// "\\?\unix" followed by the host path with backslashes ("\\?\unix\opt\x.exe").
std::string HostPathToUnixDos(const std::string &host);

// The current folder: a full Windows path, without a closing backslash except at a drive's
// root. It starts as the Windows path of the host's working folder, or the Windows folder
// when no drive reaches that.
std::string DosCurrentDirectory();
void DosSetCurrentDirectory(const std::string &full);

#endif

// WinExec: finds the program of a command line as CreateProcess does and starts it on the
// host, a Windows program through `wine` in our prefix, a host program directly.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "codepage.h"
#include "dospath.h"
#include "lasterror.h"
#include "module.h"
#include "spawn.h"
#include "wineloader.h"
#include "winbase.h"
#include "winerror.h"

namespace {

// What Wine's WinExec returns once the program has started.
const UINT kStarted = 33;

// How long a `wine` that fails at once (an unusable prefix, a broken installation) takes to
// say so; Windows' own WinExec waits up to 30 s for a new program to be ready for input.
const int kWineGiveUpMilliseconds = 2000;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsRegularFile(const std::string &host)
{
    struct stat st;
    return stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FolderOf(const std::string &windowsPath)
{
    size_t slash = windowsPath.find_last_of('\\');
    return slash == std::string::npos ? std::string() : windowsPath.substr(0, slash + 1);
}

// The folders a bare program name is looked for in, in Windows' order: the program's own
// folder, the current folder, the system folder, the Windows folder.
std::vector<std::string> SearchFolders()
{
    std::string windows = DosWindowsDirectory();
    std::string current = DosCurrentDirectory();
    if (current.back() != '\\')
        current += '\\';
    return {FolderOf(ProgramFileName()), current, windows + "\\system32\\", windows + "\\"};
}

// The file `name` names, with ".exe" tried first when its last name has no extension (and
// then, as Wine does for host programs, the name as it is). Sets the Windows and host paths.
bool FindFile(const std::string &name, std::string &windowsPath, std::string &host)
{
    if (name.empty())
        return false;
    std::vector<std::string> tries;
    size_t lastName = name.find_last_of("\\/:");
    lastName = lastName == std::string::npos ? 0 : lastName + 1;
    if (name.find('.', lastName) == std::string::npos)
        tries.push_back(name + ".exe");
    tries.push_back(name);

    std::vector<std::string> folders;
    if (name.find_first_of("\\/:") != std::string::npos)
        folders.push_back(std::string());
    else
        folders = SearchFolders();
    for (const std::string &folder : folders) {
        for (const std::string &candidate : tries) {
            std::string full;
            if (!DosFullPath((folder + candidate).c_str(), full))
                continue;
            if (DosPathToHost(full.c_str(), host) && IsRegularFile(host)) {
                windowsPath = full;
                return true;
            }
        }
    }
    return false;
}

// The program of `commandLine` and the arguments after it. A quoted name is taken as it
// is; an unquoted one is tried at each blank in turn, so "C:\Program Files\x.exe" first
// looks for C:\Program.exe, exactly as Windows does.
bool FindProgram(const std::string &commandLine, std::string &windowsPath, std::string &host, std::string &arguments)
{
    size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start]))
        ++start;
    if (start < commandLine.size() && commandLine[start] == '"') {
        size_t close = commandLine.find('"', start + 1);
        std::string name = commandLine.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
        arguments = close == std::string::npos ? std::string() : commandLine.substr(close + 1);
        return FindFile(name, windowsPath, host);
    }
    for (size_t end = start; end <= commandLine.size(); ++end) {
        if (end < commandLine.size() && !IsBlank(commandLine[end]))
            continue;
        if (end > start && !IsBlank(commandLine[end - 1]) &&
            FindFile(commandLine.substr(start, end - start), windowsPath, host)) {
            arguments = end < commandLine.size() ? commandLine.substr(end) : std::string();
            return true;
        }
    }
    return false;
}

// The arguments of a command line as the run-time library splits them: blanks separate,
// quotes group, 2n backslashes before a quote give n and the quote acts, 2n+1 give n and a
// literal quote; other backslashes stay.
std::vector<std::string> SplitArguments(const std::string &line)
{
    std::vector<std::string> args;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i >= line.size())
            return args;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2) {
                    arg += '"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg += '"'; // "" inside quotes is a literal quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(backslashes, '\\');
                if (i < line.size() && (quoted || !IsBlank(line[i])))
                    arg += line[i++];
            }
        }
        args.push_back(arg);
    }
}

bool IsHostProgram(const std::string &host)
{
    unsigned char magic[4] = {0, 0, 0, 0};
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ssize_t n = read(fd, magic, sizeof magic);
    close(fd);
    return n == 4 && magic[0] == 0x7f && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F';
}

// WinExec's result for a failure: the Win32 code when it is below 32, else ERROR_BAD_FORMAT.
UINT ResultForError(DWORD error)
{
    SetLastError(error);
    return error < 32 ? (UINT)error : (UINT)ERROR_BAD_FORMAT;
}

} // namespace

/***********************************************************************
 *           WinExec
 *
 * Above 31 once the program runs; the setup program does not wait for it. Otherwise
 * ERROR_FILE_NOT_FOUND when no file is found, and ERROR_BAD_FORMAT (11) for what this host
 * cannot start, as Windows gives it for a program it has no loader for: a file that is no
 * program, a Windows program when no `wine` is on the PATH or when the installed Wine lacks
 * the program's architecture (a 32-bit program and no 32-bit Wine), and a `wine` that gives
 * up at once. The program runs in the current folder; what it prints goes nowhere, as a GUI
 * program's child has no console.
 */
UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT uCmdShow)
{
    (void)uCmdShow;
    std::string windowsPath, host, arguments;
    if (!lpCmdLine || !FindProgram(lpCmdLine, windowsPath, host, arguments))
        return ResultForError(ERROR_FILE_NOT_FOUND);

    std::vector<std::string> argv;
    std::string file;
    int watchMilliseconds = 0;
    if (IsHostProgram(host)) {
        file = host;
        argv = {host};
    } else {
        unsigned machine = PeMachine(host);
        if (!machine || !FindWine(file) || !WineRunsMachine(file, machine))
            return ResultForError(ERROR_BAD_EXE_FORMAT);
        argv = {"wine", AnsiToUtf8(windowsPath)};
        watchMilliseconds = kWineGiveUpMilliseconds;
    }
    for (const std::string &arg : SplitArguments(arguments))
        argv.push_back(AnsiToUtf8(arg));

    std::string folder;
    if (!DosPathToHost(DosCurrentDirectory().c_str(), folder))
        folder.clear();
    SpawnResult result = SpawnDetached(file, argv, WineEnvironment(), folder, watchMilliseconds);
    switch (result.outcome) {
    case SpawnOutcome::Started:
        return kStarted;
    case SpawnOutcome::GaveUp:
        return ResultForError(ERROR_BAD_EXE_FORMAT);
    case SpawnOutcome::NotExeced:
        break;
    }
    if (result.error == ENOMEM || result.error == EAGAIN)
        return 0; // out of memory or resources
    return ResultForError(result.error == ENOEXEC ? ERROR_BAD_EXE_FORMAT : Win32ErrorFromErrno(result.error));
}

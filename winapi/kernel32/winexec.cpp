// WinExec: finds the program of a command line as CreateProcess does and starts it on the
// host, a Windows program through `wine` in our prefix, a host program directly.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "codepage.h"
#include "dospath.h"
#include "lasterror.h"
#include "module.h"
#include "winbase.h"
#include "winerror.h"

extern char **environ;

namespace {

// What Wine's WinExec returns once the program has started.
const UINT kStarted = 33;

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

enum class ProgramKind { Windows, Host, Unknown };

ProgramKind KindOf(const std::string &host)
{
    unsigned char magic[4] = {0, 0, 0, 0};
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ProgramKind::Unknown;
    ssize_t n = read(fd, magic, sizeof magic);
    close(fd);
    if (n >= 2 && magic[0] == 'M' && magic[1] == 'Z')
        return ProgramKind::Windows;
    if (n == 4 && magic[0] == 0x7f && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F')
        return ProgramKind::Host;
    return ProgramKind::Unknown;
}

// `wine` in the host's PATH, as a shell would find it.
bool FindWine(std::string &path)
{
    const char *env = getenv("PATH");
    std::string list = env ? env : "";
    size_t start = 0;
    for (;;) {
        size_t colon = list.find(':', start);
        std::string folder = list.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/wine";
        if (IsRegularFile(candidate) && access(candidate.c_str(), X_OK) == 0) {
            path = candidate;
            return true;
        }
        if (colon == std::string::npos)
            return false;
        start = colon + 1;
    }
}

// The environment of the child: ours, with WINEPREFIX naming our prefix.
std::vector<std::string> ChildEnvironment()
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        if (strncmp(*e, "WINEPREFIX=", 11) != 0)
            env.push_back(*e);
    }
    env.push_back("WINEPREFIX=" + DosPrefixRoot());
    return env;
}

std::vector<char *> Pointers(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    for (std::string &s : strings)
        pointers.push_back(&s[0]);
    pointers.push_back(nullptr);
    return pointers;
}

// Starts `argv` detached from us (its own session, reparented to init, never our zombie)
// in `folder` (unchanged when empty). Returns 0 once it runs, else the errno of the failure.
int StartDetached(const std::string &file, std::vector<std::string> argv, std::vector<std::string> env,
                  const std::string &folder)
{
    std::vector<char *> argvPointers = Pointers(argv);
    std::vector<char *> envPointers = Pointers(env);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;
    pid_t middle = fork();
    if (middle < 0) {
        int err = errno;
        close(report[0]);
        close(report[1]);
        return err;
    }
    if (middle == 0) {
        // Only async-signal-safe calls from here on: the parent may have other threads.
        setsid();
        pid_t child = fork();
        if (child == 0) {
            int err = 0;
            if (!folder.empty() && chdir(folder.c_str()) != 0)
                err = errno;
            if (!err) {
                execve(file.c_str(), argvPointers.data(), envPointers.data());
                err = errno;
            }
            ssize_t ignored = write(report[1], &err, sizeof err);
            (void)ignored;
            _exit(127);
        }
        if (child < 0) {
            int err = errno;
            ssize_t ignored = write(report[1], &err, sizeof err);
            (void)ignored;
        }
        _exit(0);
    }
    close(report[1]);
    int status;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on exec without a word; a failure writes its errno first.
    int err = 0;
    ssize_t n;
    while ((n = read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    close(report[0]);
    return n == (ssize_t)sizeof err ? err : 0;
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
 * ERROR_FILE_NOT_FOUND when no file is found, ERROR_BAD_FORMAT (11) for a file that is no
 * program, and for a Windows program when no `wine` is on the PATH: this machine then has
 * no loader for it, as 64-bit Windows has none for a 16-bit program. The program runs in the
 * current folder.
 */
UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT uCmdShow)
{
    (void)uCmdShow;
    std::string windowsPath, host, arguments;
    if (!lpCmdLine || !FindProgram(lpCmdLine, windowsPath, host, arguments))
        return ResultForError(ERROR_FILE_NOT_FOUND);

    std::vector<std::string> argv;
    std::string file;
    switch (KindOf(host)) {
    case ProgramKind::Windows:
        if (!FindWine(file))
            return ResultForError(ERROR_BAD_EXE_FORMAT);
        argv = {"wine", AnsiToUtf8(windowsPath)};
        break;
    case ProgramKind::Host:
        file = host;
        argv = {host};
        break;
    case ProgramKind::Unknown:
        return ResultForError(ERROR_BAD_EXE_FORMAT);
    }
    for (const std::string &arg : SplitArguments(arguments))
        argv.push_back(AnsiToUtf8(arg));

    std::string folder;
    if (!DosPathToHost(DosCurrentDirectory().c_str(), folder))
        folder.clear();
    int err = StartDetached(file, argv, ChildEnvironment(), folder);
    if (err == ENOMEM || err == EAGAIN)
        return 0; // out of memory or resources
    if (err)
        return ResultForError(err == ENOEXEC ? ERROR_BAD_EXE_FORMAT : Win32ErrorFromErrno(err));
    return kStarted;
}

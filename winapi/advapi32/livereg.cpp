// `wine reg export` and `wine reg import` in our prefix, with a file in the host's temporary
// folder between us, named to Wine by its \\?\unix\ path.
#include "livereg.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <vector>

#include "../kernel32/codepage.h"
#include "../kernel32/hostio.h"
#include "../kernel32/spawn.h"
#include "../kernel32/wineloader.h"
#include "regexport.h"
#include "regtree.h"
#include "winerror.h"
#include "winreg.h"

namespace {

// A Wine start in a prefix it has to update can take long; one that hangs must not hang us.
const int kWineTimeoutMilliseconds = 120 * 1000;

// A new empty file in the host's temporary folder; empty on failure.
std::string NewExchangeFile()
{
    const char *tmp = getenv("TMPDIR");
    std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/fvp-registry-XXXXXX";
    int fd = mkstemp(&path[0]);
    if (fd < 0)
        return std::string();
    close(fd);
    return path;
}

std::string UnixPathForWine(const std::string &host)
{
    std::string path = "\\\\?\\unix" + host;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// `wine reg <arguments>` to its end; reg's exit code in `exitCode`.
LONG RunReg(const std::vector<std::string> &arguments, int &exitCode)
{
    std::string wine;
    if (!FindWine(wine))
        return ERROR_SHARING_VIOLATION;
    std::vector<std::string> argv = {wine, "reg"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> env = WineEnvironment();
    env.push_back("WINEDEBUG=-all");
    int err = RunToEnd(wine, argv, env, kWineTimeoutMilliseconds, exitCode);
    if (err == ENOENT || err == EACCES || err == ENOEXEC)
        return ERROR_SHARING_VIOLATION;
    return err ? ERROR_REGISTRY_IO_FAILED : ERROR_SUCCESS;
}

} // namespace

LONG ExportLiveKey(const std::u16string &keyName, std::u16string &text)
{
    std::string file = NewExchangeFile();
    if (file.empty())
        return ERROR_REGISTRY_IO_FAILED;
    int exitCode = 0;
    LONG res = RunReg({"export", Utf16ToUtf8(keyName), UnixPathForWine(file), "/y"}, exitCode);
    std::string bytes;
    if (res == ERROR_SUCCESS) {
        if (exitCode != 0)
            res = ERROR_FILE_NOT_FOUND;   // reg's one failure for a key it can open: none
        else if (ReadWholeFile(file, bytes) != 0 || !TextOfUtf16File(bytes, text))
            res = ERROR_REGISTRY_IO_FAILED;
    }
    unlink(file.c_str());
    return res;
}

LONG ImportLiveChanges(const std::u16string &text)
{
    std::string file = NewExchangeFile();
    if (file.empty())
        return ERROR_REGISTRY_IO_FAILED;
    LONG res = ERROR_REGISTRY_IO_FAILED;
    int fd = open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool written = fd >= 0 && WriteWhole(fd, Utf16FileBytes(text)) == 0;
    if (fd >= 0 && close(fd) != 0)
        written = false;
    if (written) {
        int exitCode = 0;
        res = RunReg({"import", UnixPathForWine(file)}, exitCode);
        if (res == ERROR_SUCCESS && exitCode != 0)
            res = ERROR_REGISTRY_IO_FAILED;
    }
    unlink(file.c_str());
    return res;
}

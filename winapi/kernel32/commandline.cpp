// GetCommandLineA: the process's arguments as one Windows command line.
#include <mutex>
#include <string>
#include <vector>

#include "codepage.h"
#include "hostio.h"
#include "module.h"
#include "winbase.h"

// One argument quoted so that the run-time library splits it back unchanged: quotes around
// an empty argument or one with blanks, a backslash before each quote, and backslashes
// doubled where they precede a quote.
static std::string QuoteArgument(const std::string &arg)
{
    bool quoted = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
    std::string out = quoted ? "\"" : "";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            out.append(backslashes * 2 + 1, '\\');
        else
            out.append(backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(quoted ? backslashes * 2 : backslashes, '\\');
    if (quoted)
        out += '"';
    return out;
}

static std::vector<std::string> ProcessArguments()
{
    std::vector<std::string> args;
    std::string all;
    if (ReadWholeFile("/proc/self/cmdline", all) != 0)
        return args;
    for (size_t start = 0; start < all.size();) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos)
            end = all.size();
        args.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

/***********************************************************************
 *           GetCommandLineA
 *
 * As Wine gives it to a program started from the host: the program's Windows path in
 * quotes, then the arguments.
 */
LPSTR WINAPI GetCommandLineA(void)
{
    static std::once_flag once;
    static std::string commandLine;
    std::call_once(once, [] {
        std::vector<std::string> args = ProcessArguments();
        commandLine = "\"" + ProgramFileName() + "\"";
        for (size_t i = 1; i < args.size(); ++i)
            commandLine += " " + QuoteArgument(Utf8ToAnsi(args[i]));
    });
    return &commandLine[0];
}

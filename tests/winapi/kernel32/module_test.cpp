// The module: its handle, its file's Windows path, and the command line winapi_main builds.
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

using ModuleTest = PrefixTest;

// The Windows path of a host file reached through Z:.
static std::string ThroughZ(const std::string &host)
{
    std::string dos = "Z:" + host;
    for (char &c : dos) {
        if (c == '/')
            c = '\\';
    }
    return dos;
}

static std::string TestProgram()
{
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
    return std::string(buf, n > 0 ? (size_t)n : 0);
}

TEST_F(ModuleTest, TheModuleFileIsTheProgramThroughZ)
{
    std::string expected = ThroughZ(TestProgram());
    char buf[MAX_PATH];
    ASSERT_EQ(GetModuleFileNameA(NULL, buf, sizeof buf), expected.size());
    EXPECT_EQ(buf, expected);
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(NULL), buf, sizeof buf), expected.size());

    // A short buffer gets what fits, with a terminating zero.
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(NULL, buf, 5), 5u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(buf), expected.substr(0, 4));
}

TEST_F(ModuleTest, TheProgramIsTheOnlyModule)
{
    HMODULE self = GetModuleHandleA(NULL);
    ASSERT_NE(self, nullptr);
    std::string file = TestProgram();
    std::string base = file.substr(file.rfind('/') + 1);
    for (char &c : base)
        c = (char)toupper((unsigned char)c);
    // Without an extension Windows would look for a ".dll"; a closing dot means none.
    EXPECT_EQ(GetModuleHandleA((base + ".").c_str()), self);
    EXPECT_EQ(GetModuleHandleA(ThroughZ(file).c_str()), nullptr);
    EXPECT_EQ(GetModuleHandleA((ThroughZ(file) + ".").c_str()), self);
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA("kernel32.dll"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(GetModuleFileNameA((HMODULE)0x1234, nullptr, 0), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
}

// Without a drive that reaches the program, its file is named by its host path, as Wine names
// it, and that name opens the file.
TEST_F(ModuleTest, AProgramNoDriveReachesIsNamedByItsHostPath)
{
    std::string program = TestProgram();
    std::string expected = "\\\\?\\unix" + program;
    for (char &c : expected) {
        if (c == '/')
            c = '\\';
    }
    struct Prefix {
        const char *what;
        const char *zTarget; // nullptr: no Z: at all
    } prefixes[] = {{"no Z:", nullptr}, {"Z: elsewhere", "/proc"}};
    for (const Prefix &prefix : prefixes) {
        unlink(Host("dosdevices/z:").c_str());
        if (prefix.zTarget) {
            ASSERT_EQ(symlink(prefix.zTarget, Host("dosdevices/z:").c_str()), 0) << prefix.what;
        }
        char buf[MAX_PATH];
        ASSERT_EQ(GetModuleFileNameA(NULL, buf, sizeof buf), expected.size()) << prefix.what;
        EXPECT_EQ(buf, expected) << prefix.what;
        EXPECT_EQ(GetModuleHandleA((expected + ".").c_str()), GetModuleHandleA(NULL)) << prefix.what;

        HANDLE file = CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << prefix.what;
        struct stat st;
        ASSERT_EQ(stat(program.c_str(), &st), 0);
        EXPECT_EQ(GetFileSize(file, NULL), (DWORD)st.st_size) << prefix.what;
        CloseHandle(file);
    }
}

// Runs the probe program with arguments and returns what it printed and its exit status.
static std::string RunProbe(const std::vector<std::string> &args, int &status)
{
    int out[2];
    if (pipe(out) != 0)
        return "";
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        std::vector<char *> argv;
        argv.push_back((char *)MAIN_PROBE_PATH);
        for (const std::string &a : args)
            argv.push_back((char *)a.c_str());
        argv.push_back(nullptr);
        execv(MAIN_PROBE_PATH, argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = read(out[0], buf, sizeof buf)) > 0)
        text.append(buf, (size_t)n);
    close(out[0]);
    waitpid(pid, &status, 0);
    return text;
}

TEST_F(ModuleTest, WinMainGetsTheArgumentsAsWineQuotesThem)
{
    int status = 0;
    std::string output = RunProbe({"a b", "", "x\"y", "tr\\", "tr sp\\"}, status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 42);
    char real[PATH_MAX];
    ASSERT_NE(realpath(MAIN_PROBE_PATH, real), nullptr);
    std::string arguments = "\"a b\" \"\" x\\\"y tr\\ \"tr sp\\\\\"";
    EXPECT_EQ(output, "instance-is-module=1\n"
                      "previous=(nil)\n"
                      "show=1\n"
                      "commandline=[\"" + ThroughZ(real) + "\" " + arguments + "]\n"
                      "arguments=[" + arguments + "]\n");
}

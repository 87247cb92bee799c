// WinExec: which program a command line starts, with which arguments and working folder,
// through wine for a Windows program, and the small error results.
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "prefix_fixture.h"
#include "winbase.h"
#include "winerror.h"

namespace {

// What a started probe reported: each key with its values in order.
typedef std::map<std::string, std::vector<std::string>> Report;

std::string RealPath(const std::string &path)
{
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

class WinExecTest : public PrefixTest {
protected:
    void SetUp() override
    {
        PrefixTest::SetUp();
        m_report = Scratch() + "/started.txt";
        setenv("FVP_PROBE_OUT", m_report.c_str(), 1);
        m_path = getenv("PATH") ? getenv("PATH") : "";
    }

    void TearDown() override
    {
        setenv("PATH", m_path.c_str(), 1);
        unsetenv("FVP_PROBE_OUT");
        PrefixTest::TearDown();
    }

    std::string PrefixRoot() const
    {
        std::string root = Host("");
        root.pop_back();
        return root;
    }

    // A copy of the probe program at a host path, executable.
    void PlantProbe(const std::string &host)
    {
        WriteHostFile(host, ReadHostFile(WINEXEC_PROBE_PATH));
        ASSERT_EQ(chmod(host.c_str(), 0755), 0);
    }

    // What the started program reported; empty when nothing started within ten seconds.
    Report WaitForStart()
    {
        Report report;
        for (int i = 0; i < 1000 && !HostExists(m_report); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::istringstream in(ReadHostFile(m_report));
        std::string line;
        while (std::getline(in, line)) {
            size_t equals = line.find('=');
            report[line.substr(0, equals)].push_back(line.substr(equals + 1));
        }
        remove(m_report.c_str());
        return report;
    }

    std::string m_report;
    std::string m_path;
};

TEST_F(WinExecTest, UnquotedCommandLineTriesEachBlankSeparatedPrefix)
{
    ASSERT_EQ(mkdir(Host("drive_c/Fernvale Patience").c_str(), 0777), 0);
    PlantProbe(Host("drive_c/Fernvale Patience/fvpat.exe"));
    PlantProbe(Host("drive_c/Fernvale.exe"));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Fernvale Patience\\"));
    std::string game = RealPath(Host("drive_c/Fernvale Patience/fvpat.exe"));
    std::string folder = RealPath(Host("drive_c/Fernvale Patience"));

    // Quoted, the program is the whole path; C:\Fernvale.exe is not started.
    EXPECT_GT(WinExec("\"C:\\Fernvale Patience\\fvpat.exe\"", 1), 31u);
    Report quoted = WaitForStart();
    EXPECT_EQ(quoted["program"], std::vector<std::string>{game});
    EXPECT_EQ(quoted["cwd"], std::vector<std::string>{folder});
    EXPECT_EQ(quoted.count("arg"), 0u);

    // Unquoted, Windows finds C:\Fernvale.exe first and hands it the rest.
    EXPECT_GT(WinExec("C:\\Fernvale Patience\\fvpat.exe", 1), 31u);
    Report unquoted = WaitForStart();
    EXPECT_EQ(unquoted["program"], std::vector<std::string>{RealPath(Host("drive_c/Fernvale.exe"))});
    EXPECT_EQ(unquoted["arg"], std::vector<std::string>{"Patience\\fvpat.exe"});

    ASSERT_EQ(remove(Host("drive_c/Fernvale.exe").c_str()), 0);
    EXPECT_GT(WinExec("C:\\Fernvale Patience\\fvpat.exe", 1), 31u);
    EXPECT_EQ(WaitForStart()["program"], std::vector<std::string>{game});
}

TEST_F(WinExecTest, StartedProgramIsDetachedAndGetsItsArgumentsSplit)
{
    PlantProbe(Host("drive_c/probe.exe"));
    // No extension: ".exe" is added.
    UINT result = WinExec("C:\\probe one \"two words\" a\\\"b c\\\\d \"\"", 1);
    EXPECT_GT(result, 31u);
    // Nothing is left for us to wait for: the program is not our child.
    int status;
    EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    Report report = WaitForStart();
    std::vector<std::string> expected = {"one", "two words", "a\"b", "c\\\\d", ""};
    EXPECT_EQ(report["arg"], expected);
    ASSERT_EQ(report["session"].size(), 1u);
    EXPECT_NE(report["session"][0], std::to_string((long)getsid(0)));
    EXPECT_EQ(report["prefix"], std::vector<std::string>{PrefixRoot()});
}

TEST_F(WinExecTest, BareNameIsFoundInTheCurrentFolder)
{
    ASSERT_EQ(mkdir(Host("drive_c/tools").c_str(), 0777), 0);
    PlantProbe(Host("drive_c/tools/probe.exe"));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\tools"));
    EXPECT_GT(WinExec("PROBE x", 1), 31u);
    Report report = WaitForStart();
    EXPECT_EQ(report["program"], std::vector<std::string>{RealPath(Host("drive_c/tools/probe.exe"))});
    EXPECT_EQ(report["arg"], std::vector<std::string>{"x"});
}

TEST_F(WinExecTest, WindowsProgramRunsThroughWineInOurPrefix)
{
    // A stand-in for wine that reports how it was called.
    ASSERT_EQ(mkdir((Scratch() + "/bin").c_str(), 0777), 0);
    std::string wine = Scratch() + "/bin/wine";
    WriteHostFile(wine, "#!/bin/sh\n"
                        "{ printf 'cwd=%s\\n' \"$(pwd -P)\"; printf 'prefix=%s\\n' \"$WINEPREFIX\";\n"
                        "  for a in \"$@\"; do printf 'arg=%s\\n' \"$a\"; done; } >\"$FVP_PROBE_OUT.part\"\n"
                        "mv \"$FVP_PROBE_OUT.part\" \"$FVP_PROBE_OUT\"\n");
    ASSERT_EQ(chmod(wine.c_str(), 0755), 0);
    setenv("PATH", (Scratch() + "/bin:" + m_path).c_str(), 1);
    ASSERT_TRUE(CreateDirectoryA("C:\\Games", NULL));
    ASSERT_TRUE(CreateDirectoryA("C:\\Games\\Fern Patience", NULL));
    WriteHostFile(Host("drive_c/Games/Fern Patience/fvpat.exe"), std::string("MZ\x90\0\3\0", 6));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Games\\Fern Patience"));

    EXPECT_GT(WinExec("\"C:\\Games\\Fern Patience\\fvpat.exe\" /x", 1), 31u);
    Report report = WaitForStart();
    std::vector<std::string> expected = {"C:\\Games\\Fern Patience\\fvpat.exe", "/x"};
    EXPECT_EQ(report["arg"], expected);
    EXPECT_EQ(report["cwd"], std::vector<std::string>{RealPath(Host("drive_c/Games/Fern Patience"))});
    EXPECT_EQ(report["prefix"], std::vector<std::string>{PrefixRoot()});
}

TEST_F(WinExecTest, FailuresGiveWin32sSmallResults)
{
    ASSERT_EQ(mkdir((Scratch() + "/nowine").c_str(), 0777), 0);
    setenv("PATH", (Scratch() + "/nowine").c_str(), 1);
    ASSERT_TRUE(CreateDirectoryA("C:\\folder", NULL));
    WriteHostFile(Host("drive_c/text.exe"), "hello");
    WriteHostFile(Host("drive_c/empty.exe"), "");
    WriteHostFile(Host("drive_c/game.exe"), "MZ");
    PlantProbe(Host("drive_c/locked.exe"));
    ASSERT_EQ(chmod(Host("drive_c/locked.exe").c_str(), 0644), 0);

    struct Case {
        const char *commandLine;
        UINT result;
    } cases[] = {
        {"C:\\nothere\\x.exe", ERROR_FILE_NOT_FOUND},
        {"C:\\missing.exe", ERROR_FILE_NOT_FOUND},
        {"\"C:\\missing.exe\"", ERROR_FILE_NOT_FOUND},
        {"", ERROR_FILE_NOT_FOUND},
        {"C:\\folder", ERROR_FILE_NOT_FOUND},
        {"Q:\\x.exe", ERROR_FILE_NOT_FOUND},
        {"C:\\text.exe", ERROR_BAD_FORMAT},
        {"C:\\text arg", ERROR_BAD_FORMAT},
        {"C:\\empty.exe", ERROR_BAD_FORMAT},
        {"C:\\game.exe", ERROR_BAD_FORMAT}, // a Windows program, and no wine on the PATH
        {"C:\\locked.exe", ERROR_ACCESS_DENIED},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WinExec(c.commandLine, 1), c.result) << c.commandLine;
    EXPECT_EQ(WinExec(NULL, 1), (UINT)ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(HostExists(m_report));
}

} // namespace

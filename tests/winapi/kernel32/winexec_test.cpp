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

    // A stand-in for an installed Wine: <root>/bin/wine running `script`, first on the PATH,
    // with the Windows-side ntdll.dll of each of `architectures` under <root>/<libFolder>.
    void PlantWine(const std::string &script, const std::vector<std::string> &architectures,
                   const std::string &libFolder = "lib/wine")
    {
        std::string root = Scratch() + "/wine";
        ASSERT_EQ(system(("mkdir -p '" + root + "/bin'").c_str()), 0);
        WriteHostFile(root + "/bin/wine", "#!/bin/sh\n" + script);
        ASSERT_EQ(chmod((root + "/bin/wine").c_str(), 0755), 0);
        for (const std::string &architecture : architectures) {
            std::string folder = root + "/" + libFolder + "/" + architecture + "-windows";
            ASSERT_EQ(system(("mkdir -p '" + folder + "'").c_str()), 0);
            WriteHostFile(folder + "/ntdll.dll", "MZ");
        }
        setenv("PATH", (root + "/bin:" + m_path).c_str(), 1);
    }

    // The first bytes of a PE image for `machine`: enough for a loader to tell what it is.
    static std::string PeImage(unsigned machine)
    {
        std::string image(0x40, '\0');
        image[0] = 'M';
        image[1] = 'Z';
        image[0x3c] = 0x40;
        image += std::string("PE\0\0", 4);
        image += (char)(machine & 0xff);
        image += (char)(machine >> 8);
        image += std::string(18, '\0');
        return image;
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

// A stand-in for wine that reports how it was called, and where its output goes.
const char kReportingWine[] =
    "out=$(readlink /proc/$$/fd/1) err=$(readlink /proc/$$/fd/2)\n"
    "{ printf 'cwd=%s\\n' \"$(pwd -P)\"; printf 'prefix=%s\\n' \"$WINEPREFIX\";\n"
    "  printf 'stdout=%s\\nstderr=%s\\n' \"$out\" \"$err\";\n"
    "  for a in \"$@\"; do printf 'arg=%s\\n' \"$a\"; done; } >\"$FVP_PROBE_OUT.part\"\n"
    "mv \"$FVP_PROBE_OUT.part\" \"$FVP_PROBE_OUT\"\n"
    "echo 'wine says something' ; echo 'and complains' >&2\n";

TEST_F(WinExecTest, WindowsProgramRunsThroughWineInOurPrefixWithItsOutputNowhere)
{
    PlantWine(kReportingWine, {"x86_64"});
    ASSERT_TRUE(CreateDirectoryA("C:\\Games", NULL));
    ASSERT_TRUE(CreateDirectoryA("C:\\Games\\Fern Patience", NULL));
    WriteHostFile(Host("drive_c/Games/Fern Patience/fvpat.exe"), PeImage(IMAGE_FILE_MACHINE_AMD64));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Games\\Fern Patience"));

    EXPECT_GT(WinExec("\"C:\\Games\\Fern Patience\\fvpat.exe\" /x", 1), 31u);
    Report report = WaitForStart();
    std::vector<std::string> expected = {"C:\\Games\\Fern Patience\\fvpat.exe", "/x"};
    EXPECT_EQ(report["arg"], expected);
    EXPECT_EQ(report["cwd"], std::vector<std::string>{RealPath(Host("drive_c/Games/Fern Patience"))});
    EXPECT_EQ(report["prefix"], std::vector<std::string>{PrefixRoot()});
    EXPECT_EQ(report["stdout"], std::vector<std::string>{"/dev/null"});
    EXPECT_EQ(report["stderr"], std::vector<std::string>{"/dev/null"});
}

// Whether a Windows program starts depends on what the installed Wine carries for its
// architecture, and on wine not giving up at once.
TEST_F(WinExecTest, WindowsProgramStartsOnlyWhereTheInstalledWineCanRunIt)
{
    const std::string startsAndReports = "echo started >\"$FVP_PROBE_OUT\"\n";
    struct Case {
        const char *what;
        std::string script;
        std::vector<std::string> architectures;
        const char *libFolder;
        unsigned machine;
        bool starts;
    } cases[] = {
        {"64-bit program, 64-bit Wine", startsAndReports, {"x86_64"}, "lib/wine", IMAGE_FILE_MACHINE_AMD64, true},
        {"32-bit program, no 32-bit Wine", startsAndReports, {"x86_64"}, "lib/wine", IMAGE_FILE_MACHINE_I386, false},
        {"32-bit program, multiarch layout without i386", startsAndReports, {"x86_64"},
         "lib/x86_64-linux-gnu/wine", IMAGE_FILE_MACHINE_I386, false},
        {"32-bit program, 32-bit Wine beside", startsAndReports, {"x86_64", "i386"}, "lib/wine",
         IMAGE_FILE_MACHINE_I386, true},
        {"32-bit program, multiarch i386", startsAndReports, {"i386"}, "lib/i386-linux-gnu/wine",
         IMAGE_FILE_MACHINE_I386, true},
        {"64-bit program, 32-bit-only Wine", startsAndReports, {"i386"}, "lib/wine", IMAGE_FILE_MACHINE_AMD64, false},
        {"ARM64 program on x86 Wine", startsAndReports, {"x86_64", "i386"}, "lib/wine", IMAGE_FILE_MACHINE_ARM64,
         false},
        {"unknown machine", startsAndReports, {"x86_64", "i386"}, "lib/wine", 0x1234, false},
        {"a Wine whose layout we cannot read", startsAndReports, {}, "lib/wine", IMAGE_FILE_MACHINE_I386, true},
        {"wine giving up at once", "echo 'wine: cannot start' >&2; exit 1\n", {"x86_64"}, "lib/wine",
         IMAGE_FILE_MACHINE_AMD64, false},
        {"wine killed at once", "kill -9 $$\n", {"x86_64"}, "lib/wine", IMAGE_FILE_MACHINE_AMD64, false},
        {"program ending well at once", "exit 0\n", {"x86_64"}, "lib/wine", IMAGE_FILE_MACHINE_AMD64, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(system(("rm -rf '" + Scratch() + "/wine'").c_str()), 0);
        PlantWine(c.script, c.architectures, c.libFolder);
        WriteHostFile(Host("drive_c/game.exe"), PeImage(c.machine));
        SetLastError(0);
        UINT result = WinExec("C:\\game.exe", 1);
        if (c.starts) {
            EXPECT_GT(result, 31u);
        } else {
            EXPECT_EQ(result, (UINT)ERROR_BAD_FORMAT);
            EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_EXE_FORMAT);
        }
        // A refusal comes before wine runs, so nothing reports a start.
        if (c.script == startsAndReports) {
            if (c.starts)
                EXPECT_FALSE(WaitForStart().empty());
            else
                EXPECT_FALSE(HostExists(m_report));
        }
    }
}

TEST_F(WinExecTest, WineFoundThroughALinkIsJudgedByItsInstallation)
{
    PlantWine("echo started >\"$FVP_PROBE_OUT\"\n", {"x86_64"});
    ASSERT_EQ(mkdir((Scratch() + "/links").c_str(), 0777), 0);
    ASSERT_EQ(symlink((Scratch() + "/wine/bin/wine").c_str(), (Scratch() + "/links/wine").c_str()), 0);
    setenv("PATH", (Scratch() + "/links:" + m_path).c_str(), 1);
    WriteHostFile(Host("drive_c/game32.exe"), PeImage(IMAGE_FILE_MACHINE_I386));
    WriteHostFile(Host("drive_c/game64.exe"), PeImage(IMAGE_FILE_MACHINE_AMD64));
    EXPECT_EQ(WinExec("C:\\game32.exe", 1), (UINT)ERROR_BAD_FORMAT);
    EXPECT_GT(WinExec("C:\\game64.exe", 1), 31u);
    EXPECT_FALSE(WaitForStart().empty());
}

TEST_F(WinExecTest, FailuresGiveWin32sSmallResults)
{
    ASSERT_EQ(mkdir((Scratch() + "/nowine").c_str(), 0777), 0);
    setenv("PATH", (Scratch() + "/nowine").c_str(), 1);
    ASSERT_TRUE(CreateDirectoryA("C:\\folder", NULL));
    WriteHostFile(Host("drive_c/text.exe"), "hello");
    WriteHostFile(Host("drive_c/empty.exe"), "");
    WriteHostFile(Host("drive_c/game.exe"), "MZ");
    WriteHostFile(Host("drive_c/game64.exe"), PeImage(IMAGE_FILE_MACHINE_AMD64));
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
        {"C:\\game.exe", ERROR_BAD_FORMAT},   // "MZ" and no PE header
        {"C:\\game64.exe", ERROR_BAD_FORMAT}, // a Windows program, and no wine on the PATH
        {"C:\\locked.exe", ERROR_ACCESS_DENIED},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WinExec(c.commandLine, 1), c.result) << c.commandLine;
    EXPECT_EQ(WinExec(NULL, 1), (UINT)ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(HostExists(m_report));
}

} // namespace

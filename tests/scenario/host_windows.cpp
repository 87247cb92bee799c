// The driver as a Windows console program: starts the setup program as a child process and
// polls its windows from outside, as a tester at the screen would.
//
//   driver.exe SCENARIO_FILE SETUP_EXE
//
// Exit status: 0 when every step held, 1 when one failed, 2 when the scenario file is wrong or
// the program cannot be started.
#include "scenario_parser.h"
#include "scenario_runner.h"

namespace {

// How often the driver looks at the program: quick enough for a snappy run, slow enough to
// leave the program the processor.
const DWORD kPollIntervalMs = 20;

class ChildProcess : public SetupProcess {
public:
    ChildProcess(const PROCESS_INFORMATION& info, const char* path)
        : m_info(info), m_name(ApplicationNameFromPath(path)) {}

    bool OwnsWindow(HWND hwnd) override
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(hwnd, &processId);
        return processId == m_info.dwProcessId;
    }

    bool HasEnded() override { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; }

    std::string ApplicationName() override { return m_name; }

private:
    PROCESS_INFORMATION m_info;
    std::string m_name;
};

// Written unconverted (no CR before LF), so that reports are the same bytes as on Linux.
void Print(DWORD stream, const std::string& line)
{
    std::string text = line + "\n";
    DWORD written;
    WriteFile(GetStdHandle(stream), text.data(), static_cast<DWORD>(text.size()), &written, NULL);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        Print(STD_ERROR_HANDLE, "usage: driver SCENARIO_FILE SETUP_EXE");
        return 2;
    }
    Scenario steps;
    ScenarioError error;
    if (!LoadScenario(argv[1], steps, error)) {
        Print(STD_ERROR_HANDLE, FormatScenarioError(argv[1], error));
        return 2;
    }

    std::string commandLine = std::string("\"") + argv[2] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(argv[2], &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &info)) {
        Print(STD_ERROR_HANDLE, std::string("cannot start ") + argv[2] + " (error " +
                                    std::to_string(GetLastError()) + ")");
        return 2;
    }
    CloseHandle(info.hThread);

    ChildProcess child(info, argv[2]);
    ScenarioRunner runner(argv[1], steps, child);
    ScenarioRunner::Result result;
    while ((result = runner.Poll()) == ScenarioRunner::Pending)
        Sleep(kPollIntervalMs);

    Print(result == ScenarioRunner::Passed ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, runner.Report());
    if (!child.HasEnded()) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, INFINITE);
    }
    CloseHandle(info.hProcess);
    return result == ScenarioRunner::Passed ? 0 : 1;
}

// The driver inside the Linux setup program. Preloaded with LD_PRELOAD, it reads the scenario
// named by FVP_SCENARIO before the program starts, chooses the headless display and checks
// one step whenever the program's message loop finds its queue empty. The program's Win32
// functions are the driver's (the program exports them), so both see the same windows.
//
// The process's exit status becomes the driver's verdict: 0 when every step held, 1 when one
// failed (the report on stderr), 2 when the scenario file is wrong. Once every step has held
// the program is ended at once, as the Windows driver ends its child.
#include "scenario_parser.h"
#include "scenario_runner.h"

#include <winapi_linux.h>

#include <stdio.h>
#include <stdlib.h>

// LD_PRELOAD also reaches the processes between a script and the program (a shell, timeout)
// and those the program starts (the game, through wine). Only the setup program has the hook;
// everywhere else the driver stays out of the way.
#pragma weak WinapiSetIdleHook

namespace {

class ThisProcess : public SetupProcess {
public:
    bool OwnsWindow(HWND) override { return true; }
    bool HasEnded() override { return m_ended; }

    std::string ApplicationName() override { return m_name; }

    // Learnt while the program runs: by the time the exit handler runs, the program's Win32
    // may already be torn down.
    void LearnName()
    {
        if (!m_name.empty())
            return;
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
        m_name = ApplicationNameFromPath(std::string(path, length < sizeof path ? length : 0));
    }

    void End() { m_ended = true; }

private:
    bool m_ended = false;
    std::string m_name;
};

// Made in the constructor and never destroyed: the process ends through Finish.
ThisProcess* g_process;
ScenarioRunner* g_runner;

[[noreturn]] void Finish(ScenarioRunner::Result result)
{
    bool passed = result == ScenarioRunner::Passed;
    fprintf(passed ? stdout : stderr, "%s\n", g_runner->Report().c_str());
    fflush(stdout);
    fflush(stderr);
    _Exit(passed ? 0 : 1);
}

// Runs while the program idles: inside its modal loops and message boxes too. The idle hook
// does not run while a handler is busy without pumping, so a step can overrun its time by as
// long as such a handler takes; the overrun still fails it.
void OnIdle()
{
    // A query sent to a window runs its procedure here, which may look for messages again.
    static bool polling;
    if (polling)
        return;
    polling = true;
    g_process->LearnName();
    ScenarioRunner::Result result = g_runner->Poll();
    polling = false;
    if (result != ScenarioRunner::Pending)
        Finish(result);
}

// The program ended: only `expect exit` can hold now, and no window may be touched.
void OnProgramExit()
{
    g_process->End();
    Finish(g_runner->Poll());
}

__attribute__((constructor)) void StartScenario()
{
    if (!WinapiSetIdleHook)
        return;
    const char* path = getenv("FVP_SCENARIO");
    if (path == NULL || *path == '\0') {
        fprintf(stderr, "scenario driver: FVP_SCENARIO names no scenario file\n");
        _Exit(2);
    }
    Scenario* steps = new Scenario;
    ScenarioError error;
    if (!LoadScenario(path, *steps, error)) {
        fprintf(stderr, "%s\n", FormatScenarioError(path, error).c_str());
        _Exit(2);
    }
    if (!WinapiUseDisplay("headless")) {
        fprintf(stderr, "scenario driver: this program has no headless display\n");
        _Exit(2);
    }
    g_process = new ThisProcess;
    g_runner = new ScenarioRunner(path, *steps, *g_process);
    WinapiSetIdleHook(OnIdle);
    atexit(OnProgramExit);
}

} // namespace

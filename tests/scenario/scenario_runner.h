// Carries out a scenario one check at a time. The host calls Poll whenever it can look at the
// setup program (from the message loop's idle hook on Linux, every few milliseconds on Windows);
// each call checks the current step once and never waits.
#pragma once

#include "scenario_step.h"
#include "setup_process.h"

class ScenarioRunner {
public:
    enum Result { Pending, Passed, Failed };

    // How long an expectation (or an action's target) may take to appear.
    static const DWORD kStepTimeoutMs = 10000;

    ScenarioRunner(const std::string& path, const Scenario& steps, SetupProcess& process);

    Result Poll();

    // After Passed or Failed: the verdict as the hosts print it.
    const std::string& Report() const { return m_report; }

private:
    // Tries the current step once. TRUE when it is done; otherwise m_seen says what was found.
    bool Attempt(const ScenarioStep& step);
    bool Act(const ScenarioStep& step);
    bool Check(const ScenarioStep& step);
    // The control of the current page that an action or expectation names, or NULL.
    HWND PageControl(int id);
    HWND UsablePageControl(int id);
    // Steps that may see a message box without failing.
    static bool AllowsMessageBox(StepKind kind);
    Result Advance();
    Result Fail(const ScenarioStep& step, const std::string& expected, const std::string& seen);

    std::string m_name;
    const Scenario& m_steps;
    SetupProcess& m_process;
    size_t m_current = 0;
    bool m_stepStarted = false;
    DWORD m_stepStart = 0;
    std::string m_seen;
    HWND m_answeredBox = NULL;
    Result m_result = Pending;
    std::string m_report;
};

// What a step waits for, in the words of a failure message.
std::string DescribeExpectation(const ScenarioStep& step, const std::string& applicationName);

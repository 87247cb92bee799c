// Reads scenario files: one step per line, `#` comments, double-quoted texts with \n \t \\ \"
// escapes. The syntax is documented in tests/scenarios/README.md.
#pragma once

#include "scenario_step.h"

// Parses a whole scenario text. On failure, error names the first offending line.
bool ParseScenario(const std::string& text, Scenario& steps, ScenarioError& error);

// Reads and parses a scenario file; a file that cannot be read is an error of line 0.
bool LoadScenario(const char* path, Scenario& steps, ScenarioError& error);

// The name reports give a scenario: its file name without folders, so that a run on Linux and
// one under Wine (which sees the file through a drive letter) report alike.
std::string ScenarioFileName(const std::string& path);

// "name:line: message", or "name: message" for line 0, with the name as ScenarioFileName gives.
std::string FormatScenarioError(const std::string& path, const ScenarioError& error);

const char* WizardButtonName(WizardButton button);

// A text in the scenario's own notation (quoted, escaped), so a failure message can be pasted
// back into a scenario.
std::string QuoteText(const std::string& text);

// Runs the real wizard in this process and plays a list of steps from the idle hook, as a
// person at the keyboard would: each step is tried whenever the program waits for input and
// is done when it returns true. Steps post their actions, so handlers run as for real input.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

class CSetupSheet;

using WizardStep = std::function<bool(CSetupSheet& sheet)>;

struct WizardRun
{
    bool finished = false;      // every step was done
    std::string stuckAt;        // the step that did not come about within 10 s
};

// Runs the wizard to its end. When a step does not come about in time, the run records it
// and cancels the wizard.
WizardRun RunWizardScript(const std::vector<WizardStep>& steps);

// The 0-based index of the current page.
int CurrentPageIndex(CSetupSheet& sheet);
HWND CurrentPageWindow(CSetupSheet& sheet);

WizardStep WaitForPage(int index);
WizardStep Press(int psbtn);
WizardStep SetControlText(int id, const std::string& text);
// Waits for a message box, appends its text to *pTexts and answers it with OK.
WizardStep AnswerMessage(std::vector<std::string>* pTexts);
WizardStep Do(std::function<void(CSetupSheet&)> action);

// Finds and reads the setup program's windows the way a test on Windows would: through
// top-level window enumeration and messages, never through the program's own objects.
#pragma once

#include "setup_process.h"
#include "scenario_step.h"

// The wizard: the program's top-level window with a Next or Finish button. Its title changes
// from page to page, so it is not found by title.
HWND FindWizard(SetupProcess& process);

// A visible message box of the program: a top-level dialog ("#32770") with the message-text
// static (id 0xFFFF) that is not the wizard. `ignored` is skipped (a box already answered).
HWND FindMessageBox(SetupProcess& process, HWND ignored);

// The text of a window or control, through WM_GETTEXT (which Windows carries across processes).
std::string WindowText(HWND hwnd);

// The wizard's current page window, or NULL.
HWND CurrentPage(HWND wizard);

// 1-based position of the current page, or 0 when there is none.
int CurrentPageNumber(HWND wizard);

// The wizard's own button for `button`: Back, Next and Finish by their standard ids, Cancel as
// IDCANCEL.
HWND WizardButtonWindow(HWND wizard, WizardButton button);

// Bit (1 << WizardButton) for every wizard button that is visible and enabled.
unsigned UsableWizardButtons(HWND wizard);

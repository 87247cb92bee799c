// The wizard: the sheet and its eight pages in their order, run modally without Help buttons.
#pragma once

// Returns when the wizard has closed, by Finish or by Cancel; the result is the same either way.
void RunSetupWizard();

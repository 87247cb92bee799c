// Framework state shared between its source files; not for programs.
#pragma once

#include "afxwin.h"

// The window of the property sheet whose modal run is in progress, or NULL.
HWND AfxGetModalSheetWindow();

// The application object: checks that the program file arrived whole, then runs the wizard.
#pragma once

#include <afxwin.h>

// The complete program carries the whole game; a shorter file was cut off in transit. The
// build sets the size (FVP_MIN_PROGRAM_SIZE), a little below that of the complete program.
const LONG MIN_PROGRAM_FILE_SIZE = FVP_MIN_PROGRAM_SIZE;

class CSetupApp : public CWinApp
{
public:
    CSetupApp();

    virtual BOOL InitInstance();

    // TRUE when the program's own file can be examined and is at least the minimum size.
    static BOOL IsProgramFileComplete();

protected:
    DECLARE_MESSAGE_MAP()
};

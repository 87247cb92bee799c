// Wrappers of the common controls used by the program.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)

public:
    void SetRange(short nLower, short nUpper);
    // Each returns the previous position.
    int SetPos(int nPos);
    int OffsetPos(int nPos);
};

/* Layout of the wizard frame, in dialog units: the pages' area with a margin around it, a
 * separating line, and one row of buttons at the bottom right (Back and Next side by side,
 * Finish in Next's place, then Cancel and Help). */
#include "propsheet.h"

#include "dialog_template_writer.h"

namespace {

const short MARGIN = 7;
const short BUTTON_CX = 55;
const short BUTTON_CY = 14;
const short BUTTON_GAP = 8;
const short BUTTON_ROW = 29; /* from the bottom of the pages' margin to the frame's bottom */

const WORD CLASS_BUTTON = 0x0080;
const WORD CLASS_STATIC = 0x0082;

const DWORD FRAME_STYLE =
    DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
const DWORD BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

} // namespace

DialogTemplateWriter SheetBuildFrame(const Sheet *sheet)
{
    short cx = sheet->pageCx + 2 * MARGIN;
    short cy = sheet->pageCy + 2 * MARGIN + BUTTON_ROW;
    int buttonCount = sheet->hasHelp ? 4 : 3;
    short y = cy - BUTTON_GAP - BUTTON_CY;
    short backX = cx - (BUTTON_GAP + BUTTON_CX) * (buttonCount - 1) - BUTTON_CX;
    short nextX = backX + BUTTON_CX;
    short cancelX = nextX + BUTTON_GAP + BUTTON_CX;
    short helpX = cancelX + BUTTON_GAP + BUTTON_CX;

    /* The caption stays until the first page puts its own title there. */
    DialogTemplateWriter frame(FRAME_STYLE, cx, cy, "Wizard", 8, "MS Shell Dlg");
    frame.AddItem(BUTTON_STYLE | BS_PUSHBUTTON, backX, y, BUTTON_CX, BUTTON_CY,
                    IDC_BACK_BUTTON, CLASS_BUTTON, "< &Back");
    frame.AddItem(BUTTON_STYLE | BS_DEFPUSHBUTTON, nextX, y, BUTTON_CX, BUTTON_CY,
                    IDC_NEXT_BUTTON, CLASS_BUTTON, "&Next >");
    frame.AddItem(BUTTON_STYLE | BS_DEFPUSHBUTTON, nextX, y, BUTTON_CX, BUTTON_CY,
                    IDC_FINISH_BUTTON, CLASS_BUTTON, "Finish");
    frame.AddItem(BUTTON_STYLE | BS_PUSHBUTTON, cancelX, y, BUTTON_CX, BUTTON_CY, IDCANCEL,
                    CLASS_BUTTON, "Cancel");
    /* Help exists in every wizard; the sheet shows it only when it or a page asks for help. */
    DWORD helpVisible = sheet->hasHelp ? WS_VISIBLE : 0;
    frame.AddItem((BUTTON_STYLE & ~WS_VISIBLE) | helpVisible | WS_GROUP | BS_PUSHBUTTON,
                    helpX, y, BUTTON_CX, BUTTON_CY, IDHELP, CLASS_BUTTON, "Help");
    frame.AddItem(WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_SUNKEN, BUTTON_GAP,
                    y - BUTTON_GAP - 1, cx - 2 * BUTTON_GAP, 1, IDC_SUNKEN_LINE, CLASS_STATIC, "");
    return frame;
}

RECT SheetPageRect(const Sheet *sheet)
{
    RECT rc = {MARGIN, MARGIN, MARGIN + sheet->pageCx, MARGIN + sheet->pageCy};
    MapDialogRect(sheet->hwnd, &rc);
    return rc;
}

/* The wizard sheet: its state, its frame and its dialog procedure. */
#ifndef WINAPI_COMCTL32_PROPSHEET_H
#define WINAPI_COMCTL32_PROPSHEET_H

#include <windows.h>
#include <commctrl.h>

#include "dialog_template_writer.h"

#include <string>
#include <vector>

/* The controls of the wizard frame, with the ids the platform gives them (Help is IDHELP). */
enum {
    IDC_BACK_BUTTON = 0x3023,
    IDC_NEXT_BUTTON = 0x3024,
    IDC_FINISH_BUTTON = 0x3025,
    IDC_SUNKEN_LINE = 0x3026,
};

struct SheetPage {
    HPROPSHEETPAGE hpage;
    HWND hwnd;           /* NULL until the page is first shown */
    std::string title;
    short cx, cy;        /* template size in dialog units */
    BOOL hasHelp;
};

struct Sheet {
    PROPSHEETHEADERA header;
    std::vector<SheetPage> pages;
    HWND hwnd;
    int activePage;      /* -1 while a change of page is under way */
    BOOL activeValid;
    BOOL hasHelp;
    BOOL ended;
    INT_PTR result;
    short pageCx, pageCy; /* the largest page, dialog units */
};

/* Frame template sized for the sheet's largest page. */
DialogTemplateWriter SheetBuildFrame(const Sheet *sheet);
/* Where the pages sit inside the frame, in the frame's client pixels. */
RECT SheetPageRect(const Sheet *sheet);

INT_PTR CALLBACK SheetDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

#endif

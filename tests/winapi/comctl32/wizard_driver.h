/* Runs a three-page wizard through PropertySheetA and drives it from a timer on the sheet:
 * each tick, once the queue has run dry, performs the next step. The pages record what the
 * sheet tells them and answer from a script. */
#ifndef TESTS_COMCTL32_WIZARD_DRIVER_H
#define TESTS_COMCTL32_WIZARD_DRIVER_H

#include <windows.h>
#include <commctrl.h>

#include "dialog_builder.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

/* The ids the platform gives the wizard's own buttons. */
enum {
    BACK_BUTTON = 0x3023,
    NEXT_BUTTON = 0x3024,
    FINISH_BUTTON = 0x3025,
    HELP_BUTTON = 9, /* IDHELP */
};
/* A property page's template, as a resource compiler writes one: child, disabled, captioned,
 * with its own font. */
const DWORD PAGE_TEMPLATE_STYLE = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;
/* The third page comes from the test program's resources under one of these ids. */
enum { THIRD_PAGE_ID = 103, EXTENDED_PAGE_ID = 104, STRING_TITLE_ID = 7 };

struct PageScript {
    DWORD flags = PSP_DEFAULT;
    LPCSTR title = nullptr;
    int postButtons = -1;                           /* PSWIZB_ flags posted on activation */
    std::map<UINT, std::deque<LRESULT>> answers;    /* by notification; 0 when none left */
};

class WizardDriver {
public:
    WizardDriver();

    /* Runs the sheet to its end and returns PropertySheetA's result. */
    INT_PTR Run();

    /* Names of the wizard buttons (back next finish cancel help) that are shown, or shown and
     * enabled, separated by blanks. */
    static std::string Shown(HWND sheet);
    static std::string Usable(HWND sheet);
    static std::string Title(HWND sheet);
    static int CurrentPage(HWND sheet);

    PageScript pages[3];
    DWORD sheetFlags = PSH_WIZARD;
    UINT startPage = 0;
    LPCSTR thirdTemplate = MAKEINTRESOURCEA(THIRD_PAGE_ID);
    HWND owner = NULL;
    std::vector<std::function<void(HWND sheet)>> steps;
    std::vector<std::string> log;        /* "page:event", e.g. "1:SETACTIVE" */
    PROPSHEETPAGEA psp[3];                  /* what Run hands to PropertySheetA */
    const PROPSHEETPAGEA *initParam[3] = {}; /* what WM_INITDIALOG gave each page */
    std::string buttonsOnActivation[3];     /* usable buttons when PSN_SETACTIVE arrived */

private:
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lParam);
    static void CALLBACK Tick(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);

    DialogBuilder m_first;
    DialogBuilder m_second;
    size_t m_nextStep = 0;
};

#endif

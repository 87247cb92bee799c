/* One property sheet page as the sheet keeps it: the caller's PROPSHEETPAGEA copied whole, its
 * template, its title, and the page's dialog window. */
#ifndef WINAPI_COMCTL32_PROPSHEET_PAGE_H
#define WINAPI_COMCTL32_PROPSHEET_PAGE_H

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "../user32/dialog_template.h"

struct _PSP {
    DWORD magic;
    /* The caller's structure with the application data that may follow it (dwSize bytes).
     * Its address is what the page's dialog procedure receives with WM_INITDIALOG. */
    PROPSHEETPAGEA psp;
};

BOOL PageIsHandle(const void *p);
/* The page's template, in memory or from its module, read; NULL when it cannot be found or
 * read. */
const void *PageReadTemplate(HPROPSHEETPAGE hpage, user32::DialogTemplate *tmpl);
/* The title a page gives the sheet: its own (PSP_USETITLE) or its template's caption. */
std::string PageTitle(HPROPSHEETPAGE hpage, const std::string &templateCaption);
/* The page's dialog as a child of the sheet; NULL when the page refuses or fails. */
HWND PageCreateWindow(HPROPSHEETPAGE hpage, HWND hwndSheet);

#endif

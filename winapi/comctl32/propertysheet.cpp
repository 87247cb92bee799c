/* PropertySheetA: gathers the pages, creates the wizard frame and runs it modally. */
#include "propsheet.h"

#include "comctl32_private.h"
#include "propsheet_page.h"

#include <string.h>

namespace {

HPROPSHEETPAGE TakePage(const PROPSHEETHEADERA *header, UINT i, const BYTE **nextPage)
{
    if (header->dwFlags & PSH_PROPSHEETPAGE) {
        LPCPROPSHEETPAGEA psp = (LPCPROPSHEETPAGEA)*nextPage;
        *nextPage += psp->dwSize;
        return CreatePropertySheetPageA(psp);
    }
    HPROPSHEETPAGE given = header->phpage[i];
    if (PageIsHandle(given))
        return given;
    return CreatePropertySheetPageA((LPCPROPSHEETPAGEA)given);
}

/* A page whose template cannot be found is left out of the sheet. */
void CollectPages(Sheet *sheet)
{
    const BYTE *nextPage = (const BYTE *)sheet->header.ppsp;
    for (UINT i = 0; i < sheet->header.nPages; i++) {
        HPROPSHEETPAGE hpage = TakePage(&sheet->header, i, &nextPage);
        if (!hpage)
            continue;
        user32::DialogTemplate pageTemplate;
        if (!PageReadTemplate(hpage, &pageTemplate)) {
            DestroyPropertySheetPage(hpage);
            continue;
        }
        SheetPage page;
        page.hpage = hpage;
        page.hwnd = NULL;
        page.title = PageTitle(hpage, pageTemplate.caption);
        page.cx = pageTemplate.cx;
        page.cy = pageTemplate.cy;
        page.hasHelp = (hpage->psp.dwFlags & PSP_HASHELP) != 0;
        if (page.hasHelp)
            sheet->hasHelp = TRUE;
        if (page.cx > sheet->pageCx)
            sheet->pageCx = page.cx;
        if (page.cy > sheet->pageCy)
            sheet->pageCy = page.cy;
        sheet->pages.push_back(page);
    }
}

void ReleasePages(Sheet *sheet)
{
    for (SheetPage &page : sheet->pages)
        DestroyPropertySheetPage(page.hpage);
    sheet->pages.clear();
}

INT_PTR RunModalLoop(Sheet *sheet)
{
    HWND hwnd = sheet->hwnd;
    MSG msg;
    msg.message = 0;
    BOOL ret = 0;
    while (IsWindow(hwnd) && !sheet->ended && (ret = GetMessageA(&msg, NULL, 0, 0)) != 0) {
        if (ret == -1)
            break;
        if (!IsDialogMessageA(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    /* A WM_QUIT that ended the loop belongs to the loop outside the sheet. */
    if (ret == 0 && msg.message == WM_QUIT)
        PostQuitMessage((int)msg.wParam);
    return ret == -1 ? -1 : sheet->result;
}

} // namespace

/***********************************************************************
 *      PropertySheetA   (COMCTL32.@)
 *
 * Shows a wizard and returns when it closes: 1 after Finish, 0 after Cancel, -1 on failure.
 * Only the modal wizard form of the sheet exists in this build; a tabbed or modeless sheet is
 * refused with ERROR_INVALID_PARAMETER, as is a sheet without a single usable page.
 */
INT_PTR WINAPI PropertySheetA(LPCPROPSHEETHEADERA lppsh)
{
    if (!lppsh || !(lppsh->dwFlags & PSH_WIZARD) || (lppsh->dwFlags & PSH_MODELESS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    RegisterCommonControlClasses();

    Sheet sheet;
    memset(&sheet.header, 0, sizeof sheet.header);
    memcpy(&sheet.header, lppsh,
           lppsh->dwSize < sizeof sheet.header ? lppsh->dwSize : sizeof sheet.header);
    sheet.hwnd = NULL;
    sheet.activeValid = FALSE;
    sheet.hasHelp = (lppsh->dwFlags & PSH_HASHELP) != 0;
    sheet.ended = FALSE;
    sheet.result = 0;
    sheet.pageCx = 0;
    sheet.pageCy = 0;
    CollectPages(&sheet);
    if (sheet.pages.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    sheet.activePage = (lppsh->dwFlags & PSH_USEPSTARTPAGE) ? 0 : (int)lppsh->nStartPage;
    if (sheet.activePage < 0 || sheet.activePage >= (int)sheet.pages.size())
        sheet.activePage = 0;

    DialogTemplateWriter frame = SheetBuildFrame(&sheet);
    if ((lppsh->dwFlags & PSH_USECALLBACK) && lppsh->pfnCallback)
        lppsh->pfnCallback(NULL, PSCB_PRECREATE, (LPARAM)frame.Template());

    HWND owner = lppsh->hwndParent;
    if (owner)
        EnableWindow(owner, FALSE);
    HWND hwnd = CreateDialogIndirectParamA(lppsh->hInstance, frame.Template(), owner,
                                           SheetDialogProc, (LPARAM)&sheet);
    INT_PTR result = -1;
    if (hwnd) {
        result = RunModalLoop(&sheet);
        if (owner)
            EnableWindow(owner, TRUE);
        DestroyWindow(hwnd);
    } else {
        if (owner)
            EnableWindow(owner, TRUE);
        ReleasePages(&sheet);
    }
    return result;
}

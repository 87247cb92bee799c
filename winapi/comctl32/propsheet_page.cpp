#include "propsheet_page.h"

#include "comctl32_private.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

const DWORD PAGE_MAGIC = 0x50535031; /* 'PSP1' */

char *CopyText(LPCSTR text)
{
    if (IS_INTRESOURCE(text))
        return (char *)text;
    return strdup(text);
}

void FreeText(LPCSTR text)
{
    if (!IS_INTRESOURCE(text))
        free((void *)text);
}

void CallPageCallback(HPROPSHEETPAGE hpage, UINT msg)
{
    PROPSHEETPAGEA *psp = &hpage->psp;
    if ((psp->dwFlags & PSP_USECALLBACK) && psp->pfnCallback)
        psp->pfnCallback(NULL, msg, psp);
}

} // namespace

/***********************************************************************
 *      CreatePropertySheetPageA   (COMCTL32.@)
 */
HPROPSHEETPAGE WINAPI CreatePropertySheetPageA(LPCPROPSHEETPAGEA lppsp)
{
    if (!lppsp || lppsp->dwSize < PROPSHEETPAGEA_V1_SIZE)
        return NULL;
    size_t pspSize = lppsp->dwSize;
    if (pspSize < sizeof(PROPSHEETPAGEA))
        pspSize = sizeof(PROPSHEETPAGEA);
    HPROPSHEETPAGE hpage = (HPROPSHEETPAGE)calloc(1, offsetof(_PSP, psp) + pspSize);
    if (!hpage)
        return NULL;
    hpage->magic = PAGE_MAGIC;
    memcpy(&hpage->psp, lppsp, lppsp->dwSize);
    PROPSHEETPAGEA *psp = &hpage->psp;
    if (!(psp->dwFlags & PSP_DLGINDIRECT))
        psp->pszTemplate = CopyText(psp->pszTemplate);
    if (psp->dwFlags & PSP_USETITLE)
        psp->pszTitle = CopyText(psp->pszTitle);
    if (psp->dwFlags & PSP_USEICONID)
        psp->pszIcon = CopyText(psp->pszIcon);
    if (psp->dwSize > PROPSHEETPAGEA_V1_SIZE)
        CallPageCallback(hpage, PSPCB_ADDREF);
    return hpage;
}

/***********************************************************************
 *      DestroyPropertySheetPage   (COMCTL32.@)
 */
BOOL WINAPI DestroyPropertySheetPage(HPROPSHEETPAGE hPSPage)
{
    if (!hPSPage)
        return FALSE;
    CallPageCallback(hPSPage, PSPCB_RELEASE);
    PROPSHEETPAGEA *psp = &hPSPage->psp;
    if (!(psp->dwFlags & PSP_DLGINDIRECT))
        FreeText(psp->pszTemplate);
    if (psp->dwFlags & PSP_USETITLE)
        FreeText(psp->pszTitle);
    if (psp->dwFlags & PSP_USEICONID)
        FreeText(psp->pszIcon);
    hPSPage->magic = 0;
    free(hPSPage);
    return TRUE;
}

BOOL PageIsHandle(const void *p)
{
    return p && ((const _PSP *)p)->magic == PAGE_MAGIC;
}

const void *PageReadTemplate(HPROPSHEETPAGE hpage, user32::DialogTemplate *tmpl)
{
    const PROPSHEETPAGEA *psp = &hpage->psp;
    const void *data;
    size_t available;
    if (psp->dwFlags & PSP_DLGINDIRECT) {
        data = psp->pResource;
        available = user32::kTemplateUnbounded;
    } else {
        HRSRC res = FindResourceA(psp->hInstance, psp->pszTemplate, (LPCSTR)RT_DIALOG);
        if (!res)
            return NULL;
        data = LockResource(LoadResource(psp->hInstance, res));
        available = SizeofResource(psp->hInstance, res);
    }
    return user32::ParseDialogTemplate(data, available, tmpl) ? data : NULL;
}

std::string PageTitle(HPROPSHEETPAGE hpage, const std::string &templateCaption)
{
    const PROPSHEETPAGEA *psp = &hpage->psp;
    if (!(psp->dwFlags & PSP_USETITLE))
        return templateCaption;
    if (!IS_INTRESOURCE(psp->pszTitle))
        return psp->pszTitle;
    char text[256];
    if (LoadStringA(psp->hInstance, (UINT)(UINT_PTR)psp->pszTitle, text, sizeof text) > 0)
        return text;
    if (!templateCaption.empty())
        return templateCaption;
    return "(null)";
}

HWND PageCreateWindow(HPROPSHEETPAGE hpage, HWND hwndSheet)
{
    user32::DialogTemplate tmpl;
    const void *pTemplate = PageReadTemplate(hpage, &tmpl);
    if (!pTemplate)
        return NULL;

    /* The template asks for a captioned pop-up of its own; inside the sheet the page is a
     * hidden, borderless child that takes part in its parent's keyboard navigation. */
    std::vector<DWORD> copy((tmpl.size + sizeof(DWORD) - 1) / sizeof(DWORD));
    memcpy(copy.data(), pTemplate, tmpl.size);
    DWORD style = tmpl.style;
    style |= WS_CHILD | WS_TABSTOP | DS_CONTROL;
    style &= ~(DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | WS_POPUP | WS_DISABLED | WS_VISIBLE |
               WS_THICKFRAME);
    user32::SetDialogTemplateStyle(copy.data(), tmpl.extended, style, tmpl.exstyle | WS_EX_CONTROLPARENT);

    PROPSHEETPAGEA *psp = &hpage->psp;
    if ((psp->dwFlags & PSP_USECALLBACK) && psp->pfnCallback &&
        !psp->pfnCallback(NULL, PSPCB_CREATE, psp))
        return NULL;
    return CreateDialogIndirectParamA(psp->hInstance, (LPCDLGTEMPLATEA)copy.data(), hwndSheet,
                                      psp->pfnDlgProc, (LPARAM)psp);
}

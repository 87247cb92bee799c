/* The wizard sheet's dialog procedure: page changes with their notifications, the wizard
 * buttons, and the PSM_ messages. */
#include "propsheet.h"

#include "comctl32_private.h"
#include "propsheet_page.h"

namespace {

Sheet *SheetFromWindow(HWND hwnd)
{
    return (Sheet *)GetWindowLongPtrA(hwnd, DWLP_USER);
}

/* Sends a PSN_ notification to a page and returns the page's answer (its DWLP_MSGRESULT). */
LRESULT NotifyPage(const Sheet *sheet, HWND hwndPage, UINT code, LPARAM lParam)
{
    PSHNOTIFY psn;
    psn.hdr.hwndFrom = sheet->hwnd;
    psn.hdr.idFrom = 0;
    psn.hdr.code = code;
    psn.lParam = lParam;
    return SendMessageA(hwndPage, WM_NOTIFY, 0, (LPARAM)&psn);
}

LRESULT NotifyActivePage(const Sheet *sheet, UINT code)
{
    return NotifyPage(sheet, sheet->pages[sheet->activePage].hwnd, code, 0);
}

/* The modal loop looks at the sheet between messages; a sent PSM_PRESSBUTTON may end the sheet
 * while the queue is empty, so the loop is woken with a message of its own. */
void EndSheet(Sheet *sheet)
{
    sheet->ended = TRUE;
    PostMessageA(sheet->hwnd, WM_NULL, 0, 0);
}

/* A page returns the template id of the page it wants to go to; the page count if none has it. */
int FindPageByTemplateId(const Sheet *sheet, LRESULT id)
{
    int count = (int)sheet->pages.size();
    for (int i = 0; i < count; i++)
        if ((LRESULT)sheet->pages[i].hpage->psp.pszTemplate == id)
            return i;
    return count;
}

int FindPageByHandle(const Sheet *sheet, HPROPSHEETPAGE hpage, int fallback)
{
    for (size_t i = 0; i < sheet->pages.size(); i++)
        if (sheet->pages[i].hpage == hpage)
            return (int)i;
    return fallback;
}

void SetTitle(Sheet *sheet, LPCSTR text)
{
    char buffer[256];
    if (IS_INTRESOURCE(text)) {
        UINT id = LOWORD((UINT_PTR)text);
        if (!LoadStringA(sheet->header.hInstance, id, buffer, sizeof buffer))
            return;
        text = buffer;
    }
    SetWindowTextA(sheet->hwnd, text);
}

/* Gives the page the focus on its first control that takes it, as a dialog does. */
void SetInitialFocus(const Sheet *sheet, int index)
{
    HWND first = GetNextDlgTabItem(sheet->pages[index].hwnd, NULL, FALSE);
    if (first)
        SetFocus(first);
}

void ShowPage(Sheet *sheet, int index)
{
    SheetPage &page = sheet->pages[index];
    SetTitle(sheet, page.title.c_str());
    if (sheet->activePage != -1 && sheet->activePage != index)
        ShowWindow(sheet->pages[sheet->activePage].hwnd, SW_HIDE);
    ShowWindow(page.hwnd, SW_SHOW);
    sheet->activePage = index;
    sheet->activeValid = TRUE;
    SetInitialFocus(sheet, index);
}

BOOL CanLeaveActivePage(const Sheet *sheet)
{
    if (sheet->activePage < 0)
        return TRUE;
    return !NotifyActivePage(sheet, PSN_KILLACTIVE);
}

/* Activates the page at index (or hpage when given). A page that answers PSN_SETACTIVE with -1
 * is skipped in the direction skipdir; one that answers with a template id sends the sheet to
 * that page. Pages are created the first time they are reached. */
BOOL SetCurSel(Sheet *sheet, int index, int skipdir, HPROPSHEETPAGE hpage)
{
    int count = (int)sheet->pages.size();
    if (hpage)
        index = FindPageByHandle(sheet, hpage, index);
    if (index < 0 || index >= count)
        return FALSE;

    if (sheet->activePage != -1)
        ShowWindow(sheet->pages[sheet->activePage].hwnd, SW_HIDE);
    sheet->activePage = -1;

    for (;;) {
        SheetPage &page = sheet->pages[index];
        if (!page.hwnd) {
            page.hwnd = PageCreateWindow(page.hpage, sheet->hwnd);
            if (!page.hwnd) {
                sheet->result = -1;
                EndSheet(sheet);
                return FALSE;
            }
        }
        /* Every page fills the whole page area, each time it is shown. */
        RECT rc = SheetPageRect(sheet);
        SetWindowPos(page.hwnd, HWND_TOP, rc.left, rc.top, rc.right - rc.left,
                     rc.bottom - rc.top, 0);

        LRESULT result = NotifyPage(sheet, page.hwnd, PSN_SETACTIVE, 0);
        if (result == 0)
            break;
        if (result == -1) {
            index += skipdir;
            if (index < 0) {
                index = 0;
                break;
            }
            if (index >= count) {
                index = count - 1;
                break;
            }
            continue;
        }
        int target = FindPageByTemplateId(sheet, result);
        if (target >= count)
            break;
        index = target;
    }

    ShowPage(sheet, index);
    EnableWindow(GetDlgItem(sheet->hwnd, IDHELP), sheet->pages[index].hasHelp);
    return TRUE;
}

/* Next and Back: the page may keep the wizard where it is (-1), name the page to go to (its
 * template id) or let it move to the neighbour (0). */
void MoveByButton(Sheet *sheet, UINT code, int step, int buttonId)
{
    if (sheet->activePage < 0)
        return;
    LRESULT result = NotifyActivePage(sheet, code);
    if (result == -1)
        return;
    int index = result == 0 ? sheet->activePage + step : FindPageByTemplateId(sheet, result);
    if (index < 0 || index >= (int)sheet->pages.size())
        return;
    if (!CanLeaveActivePage(sheet))
        return;
    SetFocus(GetDlgItem(sheet->hwnd, buttonId));
    SendMessageA(sheet->hwnd, DM_SETDEFID, buttonId, 0);
    SetCurSel(sheet, index, step, NULL);
}

void Finish(Sheet *sheet)
{
    if (sheet->activePage < 0)
        return;
    if (NotifyActivePage(sheet, PSN_WIZFINISH) != 0)
        return;
    if (sheet->result == 0)
        sheet->result = IDOK;
    EndSheet(sheet);
}

/* lParam tells the pages how the sheet was cancelled: 0 by the Cancel button, 1 by closing. */
void Cancel(Sheet *sheet, LPARAM lParam)
{
    if (sheet->activePage < 0)
        return;
    if (NotifyActivePage(sheet, PSN_QUERYCANCEL))
        return;
    for (const SheetPage &page : sheet->pages)
        if (page.hwnd)
            NotifyPage(sheet, page.hwnd, PSN_RESET, lParam);
    EndSheet(sheet);
}

/* OK (lParam 1) and Apply Now (0): every created page applies its changes. */
BOOL Apply(Sheet *sheet, LPARAM lParam)
{
    if (sheet->activePage < 0)
        return FALSE;
    if (NotifyActivePage(sheet, PSN_KILLACTIVE))
        return FALSE;
    for (size_t i = 0; i < sheet->pages.size(); i++) {
        if (!sheet->pages[i].hwnd)
            continue;
        switch (NotifyPage(sheet, sheet->pages[i].hwnd, PSN_APPLY, lParam)) {
        case PSNRET_INVALID:
            ShowPage(sheet, (int)i);
            return FALSE;
        case PSNRET_INVALID_NOCHANGEPAGE:
            return FALSE;
        }
    }
    if (lParam)
        sheet->activeValid = FALSE;
    else
        NotifyActivePage(sheet, PSN_SETACTIVE);
    return TRUE;
}

void Help(Sheet *sheet)
{
    if (sheet->activePage >= 0)
        NotifyActivePage(sheet, PSN_HELP);
}

BOOL DoCommand(Sheet *sheet, WORD id)
{
    switch (id) {
    case IDOK:
        if (Apply(sheet, 1)) {
            if (sheet->result == 0)
                sheet->result = IDOK;
            EndSheet(sheet);
        }
        return TRUE;
    case IDC_BACK_BUTTON:
        MoveByButton(sheet, PSN_WIZBACK, -1, IDC_BACK_BUTTON);
        return TRUE;
    case IDC_NEXT_BUTTON:
        MoveByButton(sheet, PSN_WIZNEXT, 1, IDC_NEXT_BUTTON);
        return TRUE;
    case IDC_FINISH_BUTTON:
        Finish(sheet);
        return TRUE;
    case IDCANCEL:
        Cancel(sheet, 0);
        return TRUE;
    case IDHELP:
        Help(sheet);
        return TRUE;
    }
    return FALSE;
}

void PressButton(Sheet *sheet, int button)
{
    switch (button) {
    case PSBTN_BACK:
        DoCommand(sheet, IDC_BACK_BUTTON);
        break;
    case PSBTN_NEXT:
        DoCommand(sheet, IDC_NEXT_BUTTON);
        break;
    case PSBTN_FINISH:
        DoCommand(sheet, IDC_FINISH_BUTTON);
        break;
    case PSBTN_OK:
        DoCommand(sheet, IDOK);
        break;
    case PSBTN_APPLYNOW:
        Apply(sheet, 0);
        break;
    case PSBTN_CANCEL:
        DoCommand(sheet, IDCANCEL);
        break;
    case PSBTN_HELP:
        DoCommand(sheet, IDHELP);
        break;
    }
}

/* Finish takes Next's place whenever it is asked for, enabled or not; the default button is
 * the first enabled one of Finish, Next, Back, else Cancel. */
void SetWizButtons(Sheet *sheet, DWORD flags)
{
    HWND hwndBack = GetDlgItem(sheet->hwnd, IDC_BACK_BUTTON);
    HWND hwndNext = GetDlgItem(sheet->hwnd, IDC_NEXT_BUTTON);
    HWND hwndFinish = GetDlgItem(sheet->hwnd, IDC_FINISH_BUTTON);
    BOOL enableFinish = (flags & PSWIZB_FINISH) && !(flags & PSWIZB_DISABLEDFINISH);

    EnableWindow(hwndBack, (flags & PSWIZB_BACK) != 0);
    EnableWindow(hwndNext, (flags & PSWIZB_NEXT) != 0);
    EnableWindow(hwndFinish, enableFinish);

    int defaultId = IDCANCEL;
    if (enableFinish)
        defaultId = IDC_FINISH_BUTTON;
    else if (flags & PSWIZB_NEXT)
        defaultId = IDC_NEXT_BUTTON;
    else if (flags & PSWIZB_BACK)
        defaultId = IDC_BACK_BUTTON;
    SendMessageA(sheet->hwnd, DM_SETDEFID, defaultId, 0);

    BOOL finishShown = (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
    ShowWindow(finishShown ? hwndNext : hwndFinish, SW_HIDE);
    ShowWindow(finishShown ? hwndFinish : hwndNext, SW_SHOW);
}

BOOL InitSheet(HWND hwnd, Sheet *sheet)
{
    sheet->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, (LONG_PTR)sheet);
    SetWizButtons(sheet, PSWIZB_BACK | PSWIZB_NEXT);
    SetFocus(GetDlgItem(hwnd, IDC_NEXT_BUTTON));
    if (sheet->header.dwFlags & PSH_USECALLBACK && sheet->header.pfnCallback)
        sheet->header.pfnCallback(hwnd, PSCB_INITIALIZED, 0);
    int start = sheet->activePage;
    sheet->activePage = -1;
    SetCurSel(sheet, start, 1, NULL);
    return FALSE; /* the focus is set */
}

/* Destroys the pages with the sheet, in their order, and releases them. */
void DestroyPages(Sheet *sheet)
{
    for (SheetPage &page : sheet->pages) {
        if (page.hwnd)
            DestroyWindow(page.hwnd);
        page.hwnd = NULL;
        DestroyPropertySheetPage(page.hpage);
        page.hpage = NULL;
    }
    sheet->pages.clear();
    sheet->activePage = -1;
    sheet->activeValid = FALSE;
}

INT_PTR SetResult(HWND hwnd, LRESULT result)
{
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

int HwndToIndex(const Sheet *sheet, HWND hwndPage)
{
    for (size_t i = 0; i < sheet->pages.size(); i++)
        if (sheet->pages[i].hwnd == hwndPage)
            return (int)i;
    return -1;
}

} // namespace

INT_PTR CALLBACK SheetDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        return InitSheet(hwnd, (Sheet *)lParam);
    Sheet *sheet = SheetFromWindow(hwnd);
    if (!sheet)
        return FALSE;

    switch (msg) {
    case WM_COMMAND:
        if (!DoCommand(sheet, LOWORD(wParam)) && sheet->activeValid && sheet->activePage != -1)
            SendMessageA(sheet->pages[sheet->activePage].hwnd, WM_COMMAND, wParam, lParam);
        return TRUE;
    case WM_CLOSE:
        Cancel(sheet, 1);
        return TRUE;
    case WM_DESTROY:
        DestroyPages(sheet);
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        return TRUE;
    case PSM_SETCURSEL: {
        BOOL changed = CanLeaveActivePage(sheet) &&
                       SetCurSel(sheet, (int)wParam, 1, (HPROPSHEETPAGE)lParam);
        return SetResult(hwnd, changed);
    }
    case PSM_SETTITLEA:
        SetTitle(sheet, (LPCSTR)lParam);
        return TRUE;
    case PSM_SETWIZBUTTONS:
        SetWizButtons(sheet, (DWORD)lParam);
        return TRUE;
    case PSM_PRESSBUTTON:
        PressButton(sheet, (int)wParam);
        return TRUE;
    case PSM_GETCURRENTPAGEHWND: {
        HWND current = NULL;
        if (sheet->activeValid && sheet->activePage != -1)
            current = sheet->pages[sheet->activePage].hwnd;
        return SetResult(hwnd, (LRESULT)current);
    }
    case PSM_HWNDTOINDEX:
        return SetResult(hwnd, HwndToIndex(sheet, (HWND)wParam));
    case PSM_INDEXTOHWND: {
        int index = (int)wParam;
        if (index < 0 || index >= (int)sheet->pages.size())
            return SetResult(hwnd, 0);
        return SetResult(hwnd, (LRESULT)sheet->pages[index].hwnd);
    }
    }
    return FALSE;
}

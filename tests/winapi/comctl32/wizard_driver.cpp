#include "wizard_driver.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

WizardDriver *g_running;

const char *NotificationName(UINT code)
{
    switch (code) {
    case PSN_SETACTIVE: return "SETACTIVE";
    case PSN_KILLACTIVE: return "KILLACTIVE";
    case PSN_APPLY: return "APPLY";
    case PSN_RESET: return "RESET";
    case PSN_HELP: return "HELP";
    case PSN_WIZBACK: return "WIZBACK";
    case PSN_WIZNEXT: return "WIZNEXT";
    case PSN_WIZFINISH: return "WIZFINISH";
    case PSN_QUERYCANCEL: return "QUERYCANCEL";
    }
    return "OTHER";
}

std::string Buttons(HWND sheet, bool needEnabled)
{
    static const struct { int id; const char *name; } buttons[] = {
        {BACK_BUTTON, "back"}, {NEXT_BUTTON, "next"}, {FINISH_BUTTON, "finish"},
        {IDCANCEL, "cancel"}, {HELP_BUTTON, "help"}};
    std::string names;
    for (const auto &button : buttons) {
        HWND hwnd = GetDlgItem(sheet, button.id);
        if (!hwnd || !IsWindowVisible(hwnd) || (needEnabled && !IsWindowEnabled(hwnd)))
            continue;
        if (!names.empty())
            names += ' ';
        names += button.name;
    }
    return names;
}

const DWORD MAX_IDLE_TICKS = 5;

} // namespace

WizardDriver::WizardDriver()
    : m_first(PAGE_TEMPLATE_STYLE, 200, 100, "First"),
      m_second(PAGE_TEMPLATE_STYLE, 220, 120, "Second")
{
    m_first.Control("STATIC", 1001, "first page", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 100, 8);
    m_second.Control("msctls_progress32", 1021, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 40, 50, 128, 15);
    memset(psp, 0, sizeof psp);
}

INT_PTR WizardDriver::Run()
{
    for (int i = 0; i < 3; i++) {
        PROPSHEETPAGEA &page = psp[i];
        page.dwSize = sizeof page;
        page.dwFlags = pages[i].flags;
        page.hInstance = GetModuleHandleA(NULL);
        page.pszTitle = pages[i].title;
        page.pfnDlgProc = PageProc;
        page.lParam = i;
    }
    psp[0].dwFlags |= PSP_DLGINDIRECT;
    psp[0].pResource = m_first.Get();
    psp[1].dwFlags |= PSP_DLGINDIRECT;
    psp[1].pResource = m_second.Get();
    psp[2].pszTemplate = thirdTemplate;

    PROPSHEETHEADERA psh = {};
    psh.dwSize = sizeof psh;
    psh.dwFlags = sheetFlags | PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    psh.hwndParent = owner;
    psh.hInstance = GetModuleHandleA(NULL);
    psh.pszCaption = "Sheet Caption";
    psh.nPages = 3;
    psh.nStartPage = startPage;
    psh.ppsp = psp;
    psh.pfnCallback = SheetCallback;

    g_running = this;
    m_nextStep = 0;
    INT_PTR result = PropertySheetA(&psh);
    g_running = nullptr;
    return result;
}

INT_PTR CALLBACK WizardDriver::PageProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam)
{
    WizardDriver *self = g_running;
    int index = (int)GetWindowLongPtrA(hwnd, DWLP_USER);
    switch (msg) {
    case WM_INITDIALOG: {
        const PROPSHEETPAGEA *page = (const PROPSHEETPAGEA *)lParam;
        index = (int)page->lParam;
        SetWindowLongPtrA(hwnd, DWLP_USER, index);
        self->initParam[index] = page;
        self->log.push_back(std::to_string(index) + ":INIT");
        return TRUE;
    }
    case WM_NOTIFY: {
        const NMHDR *hdr = (const NMHDR *)lParam;
        PageScript &page = self->pages[index];
        std::deque<LRESULT> &answers = page.answers[hdr->code];
        LRESULT answer = 0;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        self->log.push_back(std::to_string(index) + ":" + NotificationName(hdr->code));
        if (hdr->code == PSN_SETACTIVE) {
            if (page.postButtons >= 0)
                PostMessageA(GetParent(hwnd), PSM_SETWIZBUTTONS, 0, page.postButtons);
            self->buttonsOnActivation[index] = Usable(GetParent(hwnd));
        }
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    case WM_DESTROY:
        self->log.push_back(std::to_string(index) + ":DESTROY");
        return FALSE;
    }
    return FALSE;
}

int CALLBACK WizardDriver::SheetCallback(HWND hwnd, UINT msg, LPARAM)
{
    if (msg == PSCB_INITIALIZED)
        SetTimer(hwnd, 1, USER_TIMER_MINIMUM, Tick);
    return 0;
}

/* After the last step the sheet gets a few ticks to close by itself; a sheet still open then
 * is a failure, and it is destroyed so that the test ends. */
void CALLBACK WizardDriver::Tick(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    WizardDriver *self = g_running;
    if (self->m_nextStep < self->steps.size()) {
        self->steps[self->m_nextStep++](hwnd);
        return;
    }
    if (++self->m_nextStep < self->steps.size() + MAX_IDLE_TICKS)
        return;
    ADD_FAILURE() << "the wizard stayed open after its last step";
    DestroyWindow(hwnd);
}

std::string WizardDriver::Shown(HWND sheet)
{
    return Buttons(sheet, false);
}

std::string WizardDriver::Usable(HWND sheet)
{
    return Buttons(sheet, true);
}

std::string WizardDriver::Title(HWND sheet)
{
    char text[256];
    GetWindowTextA(sheet, text, sizeof text);
    return text;
}

int WizardDriver::CurrentPage(HWND sheet)
{
    HWND page = (HWND)SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    return (int)SendMessageA(sheet, PSM_HWNDTOINDEX, (WPARAM)page, 0);
}

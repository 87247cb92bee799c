#include "setup_windows.h"

#include <commctrl.h>
#include <prsht.h>

#include <string.h>

namespace {

// The wizard's Back, Next and Finish buttons carry these ids on Windows and Wine alike.
const int kWizardBackId = 0x3023;
const int kWizardNextId = 0x3024;
const int kWizardFinishId = 0x3025;
// The static control that shows a message box's text.
const int kMessageTextId = 0xFFFF;

bool IsWizard(HWND hwnd)
{
    return GetDlgItem(hwnd, kWizardNextId) != NULL || GetDlgItem(hwnd, kWizardFinishId) != NULL;
}

bool IsMessageBox(HWND hwnd)
{
    char className[16];
    if (!GetClassNameA(hwnd, className, sizeof className) || strcmp(className, "#32770") != 0)
        return false;
    return IsWindowVisible(hwnd) && GetDlgItem(hwnd, kMessageTextId) != NULL && !IsWizard(hwnd);
}

struct Search {
    SetupProcess* process;
    bool (*matches)(HWND);
    HWND ignored;
    HWND found;
};

BOOL CALLBACK SearchTopLevel(HWND hwnd, LPARAM lParam)
{
    Search* search = reinterpret_cast<Search*>(lParam);
    if (hwnd == search->ignored || !search->process->OwnsWindow(hwnd) || !search->matches(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindTopLevel(SetupProcess& process, bool (*matches)(HWND), HWND ignored)
{
    Search search = {&process, matches, ignored, NULL};
    EnumWindows(SearchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

HWND FindWizard(SetupProcess& process)
{
    return FindTopLevel(process, IsWizard, NULL);
}

HWND FindMessageBox(SetupProcess& process, HWND ignored)
{
    return FindTopLevel(process, IsMessageBox, ignored);
}

std::string WindowText(HWND hwnd)
{
    LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

HWND CurrentPage(HWND wizard)
{
    return reinterpret_cast<HWND>(SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int CurrentPageNumber(HWND wizard)
{
    HWND page = CurrentPage(wizard);
    if (page == NULL)
        return 0;
    LRESULT index = SendMessageA(wizard, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0);
    return index < 0 ? 0 : static_cast<int>(index) + 1;
}

HWND WizardButtonWindow(HWND wizard, WizardButton button)
{
    static const int ids[WizardButtonCount] = {kWizardBackId, kWizardNextId, kWizardFinishId,
                                               IDCANCEL};
    return GetDlgItem(wizard, ids[button]);
}

unsigned UsableWizardButtons(HWND wizard)
{
    unsigned buttons = 0;
    for (int b = 0; b < WizardButtonCount; ++b) {
        HWND hwnd = WizardButtonWindow(wizard, static_cast<WizardButton>(b));
        if (hwnd != NULL && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
            buttons |= 1u << b;
    }
    return buttons;
}

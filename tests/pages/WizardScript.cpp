#include "WizardScript.h"

#include <string.h>

#include <commctrl.h>
#include <winapi_linux.h>

#include "SetupSheet.h"
#include "SetupWizard.h"

namespace {

const DWORD STEP_TIMEOUT_MS = 10000;
const UINT MESSAGE_TEXT_ID = 0xFFFF;

struct ScriptState
{
    const std::vector<WizardStep>* pSteps = nullptr;
    size_t nextStep = 0;
    DWORD stepStarted = 0;
    bool inHook = false;
    WizardRun result;
};

ScriptState g_script;

BOOL CALLBACK FindSheet(HWND hwnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
    if (CSetupSheet* pSheet = dynamic_cast<CSetupSheet*>(pWnd))
    {
        *reinterpret_cast<CSetupSheet**>(lParam) = pSheet;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM lParam)
{
    char className[16];
    GetClassNameA(hwnd, className, sizeof(className));
    if (strcmp(className, "#32770") == 0 && GetDlgItem(hwnd, MESSAGE_TEXT_ID) != NULL &&
        IsWindowVisible(hwnd))
    {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void GiveUp(CSetupSheet* pSheet)
{
    HWND hwndBox = NULL;
    EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&hwndBox));
    if (hwndBox != NULL)
        PostMessageA(GetDlgItem(hwndBox, IDOK), BM_CLICK, 0, 0);
    if (pSheet != NULL)
        PostMessageA(pSheet->m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

void OnIdle()
{
    if (g_script.inHook)
        return;
    g_script.inHook = true;
    CSetupSheet* pSheet = NULL;
    EnumWindows(FindSheet, reinterpret_cast<LPARAM>(&pSheet));
    const std::vector<WizardStep>& steps = *g_script.pSteps;
    if (g_script.nextStep < steps.size() && pSheet != NULL)
    {
        if (steps[g_script.nextStep](*pSheet))
        {
            g_script.nextStep++;
            g_script.stepStarted = GetTickCount();
            g_script.result.finished = g_script.nextStep == steps.size();
        }
        else if (GetTickCount() - g_script.stepStarted > STEP_TIMEOUT_MS &&
                 g_script.result.stuckAt.empty())
        {
            g_script.result.stuckAt = "step " + std::to_string(g_script.nextStep + 1);
            g_script.nextStep = steps.size();
            GiveUp(pSheet);
        }
    }
    g_script.inHook = false;
}

} // namespace

WizardRun RunWizardScript(const std::vector<WizardStep>& steps)
{
    g_script = ScriptState();
    g_script.pSteps = &steps;
    g_script.stepStarted = GetTickCount();
    WinapiUseDisplay("headless");
    WinapiSetIdleHook(OnIdle);
    RunSetupWizard();
    WinapiSetIdleHook(NULL);
    return g_script.result;
}

HWND CurrentPageWindow(CSetupSheet& sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet.m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int CurrentPageIndex(CSetupSheet& sheet)
{
    return (int)SendMessageA(sheet.m_hWnd, PSM_HWNDTOINDEX,
                             reinterpret_cast<WPARAM>(CurrentPageWindow(sheet)), 0);
}

WizardStep WaitForPage(int index)
{
    return [index](CSetupSheet& sheet) { return CurrentPageIndex(sheet) == index; };
}

WizardStep Press(int psbtn)
{
    return [psbtn](CSetupSheet& sheet) {
        PostMessageA(sheet.m_hWnd, PSM_PRESSBUTTON, psbtn, 0);
        return true;
    };
}

WizardStep SetControlText(int id, const std::string& text)
{
    return [id, text](CSetupSheet& sheet) {
        return SetWindowTextA(GetDlgItem(CurrentPageWindow(sheet), id), text.c_str()) != FALSE;
    };
}

WizardStep AnswerMessage(std::vector<std::string>* pTexts)
{
    return [pTexts](CSetupSheet&) {
        HWND hwndBox = NULL;
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&hwndBox));
        if (hwndBox == NULL)
            return false;
        char text[1024];
        GetDlgItemTextA(hwndBox, MESSAGE_TEXT_ID, text, sizeof(text));
        pTexts->push_back(text);
        PostMessageA(GetDlgItem(hwndBox, IDOK), BM_CLICK, 0, 0);
        return true;
    };
}

WizardStep Do(std::function<void(CSetupSheet&)> action)
{
    return [action](CSetupSheet& sheet) {
        action(sheet);
        return true;
    };
}

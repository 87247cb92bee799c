#include "scenario_runner.h"

#include "scenario_parser.h"
#include "setup_windows.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

std::string DescribeButtons(unsigned buttons)
{
    std::string result;
    for (int b = 0; b < WizardButtonCount; ++b) {
        if (buttons & (1u << b)) {
            result += result.empty() ? "" : " ";
            result += WizardButtonName(static_cast<WizardButton>(b));
        }
    }
    return result.empty() ? "none" : result;
}

std::string Control(int id)
{
    return "control " + std::to_string(id);
}

std::string MessageWithCaption(const std::string& prefix, const std::string& text,
                               const std::string& caption)
{
    return prefix + QuoteText(text) + " with caption " + QuoteText(caption);
}

} // namespace

std::string DescribeExpectation(const ScenarioStep& step, const std::string& applicationName)
{
    switch (step.kind) {
    case StepKind::Press:
        return std::string("the ") + WizardButtonName(step.button) + " button visible and enabled";
    case StepKind::Click:
    case StepKind::Set:
    case StepKind::Check:
        return Control(step.control) + " visible and enabled on the current page";
    case StepKind::Ok:
        return "a message box with an OK button";
    case StepKind::ExpectPage:
        return "page " + std::to_string(step.page);
    case StepKind::ExpectTitle:
        return "title " + QuoteText(step.text);
    case StepKind::ExpectButtons:
        return "buttons " + DescribeButtons(step.buttons);
    case StepKind::ExpectText:
        return Control(step.control) + " text " + QuoteText(step.text);
    case StepKind::ExpectChecked:
        return Control(step.control) + (step.on ? " checked" : " not checked");
    case StepKind::ExpectEnabled:
        return Control(step.control) + (step.on ? " enabled" : " disabled");
    case StepKind::ExpectMessage:
        return MessageWithCaption("message ", step.text, applicationName);
    case StepKind::ExpectMessageStarting:
        return MessageWithCaption("message starting ", step.text, applicationName);
    case StepKind::ExpectExit:
        return "the program to end";
    }
    return std::string();
}

ScenarioRunner::ScenarioRunner(const std::string& path, const Scenario& steps,
                               SetupProcess& process)
    : m_name(ScenarioFileName(path)), m_steps(steps), m_process(process)
{
}

ScenarioRunner::Result ScenarioRunner::Poll()
{
    if (m_result != Pending)
        return m_result;
    const ScenarioStep& step = m_steps[m_current];

    // Once the program has gone only `expect exit` can hold, and no window may be touched.
    if (m_process.HasEnded()) {
        if (step.kind != StepKind::ExpectExit)
            return Fail(step, DescribeExpectation(step, m_process.ApplicationName()),
                        "the program ended");
        return Advance() == Pending ? Poll() : m_result;
    }

    if (!m_stepStarted) {
        m_stepStarted = true;
        m_stepStart = GetTickCount();
    }
    // Measured before the attempt, so the condition always gets one last look.
    bool timedOut = GetTickCount() - m_stepStart >= kStepTimeoutMs;

    if (!AllowsMessageBox(step.kind)) {
        HWND box = FindMessageBox(m_process, m_answeredBox);
        if (box != NULL)
            return Fail(step, "no message box",
                        MessageWithCaption("message ", WindowText(GetDlgItem(box, 0xFFFF)),
                                           WindowText(box)));
    }

    m_seen.clear();
    if (Attempt(step))
        return Advance();
    if (timedOut)
        return Fail(step, DescribeExpectation(step, m_process.ApplicationName()),
                    m_seen + " (waited " + std::to_string(kStepTimeoutMs / 1000) + " s)");
    return Pending;
}

bool ScenarioRunner::AllowsMessageBox(StepKind kind)
{
    return kind == StepKind::ExpectMessage || kind == StepKind::ExpectMessageStarting ||
           kind == StepKind::Ok;
}

bool ScenarioRunner::Attempt(const ScenarioStep& step)
{
    switch (step.kind) {
    case StepKind::Press:
    case StepKind::Click:
    case StepKind::Set:
    case StepKind::Check:
    case StepKind::Ok:
        return Act(step);
    default:
        return Check(step);
    }
}

// Actions are posted, as a user's input would be queued: the program handles them after the
// driver returns, so a message box opened by the handler cannot block the driver. The step
// after an action looks at the outcome no sooner than the next Poll.
bool ScenarioRunner::Act(const ScenarioStep& step)
{
    if (step.kind == StepKind::Ok) {
        HWND box = FindMessageBox(m_process, m_answeredBox);
        HWND okButton = box != NULL ? GetDlgItem(box, IDOK) : NULL;
        if (okButton == NULL) {
            m_seen = box == NULL ? "no message box" : "a message box without an OK button";
            return false;
        }
        PostMessageA(okButton, BM_CLICK, 0, 0);
        m_answeredBox = box;
        return true;
    }

    if (step.kind == StepKind::Press) {
        HWND wizard = FindWizard(m_process);
        if (wizard == NULL) {
            m_seen = "no wizard window";
            return false;
        }
        unsigned usable = UsableWizardButtons(wizard);
        if (!(usable & (1u << step.button))) {
            m_seen = "buttons " + DescribeButtons(usable);
            return false;
        }
        static const WPARAM pressCodes[WizardButtonCount] = {PSBTN_BACK, PSBTN_NEXT, PSBTN_FINISH,
                                                             PSBTN_CANCEL};
        PostMessageA(wizard, PSM_PRESSBUTTON, pressCodes[step.button], 0);
        return true;
    }

    HWND control = UsablePageControl(step.control);
    if (control == NULL)
        return false;
    if (step.kind == StepKind::Set) {
        // WM_SETTEXT carries a pointer, so it cannot be posted; an edit control's handler
        // shows no message box.
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text.c_str()));
        return true;
    }
    // A user ticks a box by clicking it, so the page sees BN_CLICKED; a box already in the
    // wanted state is left alone.
    bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (step.kind == StepKind::Click || checked != step.on)
        PostMessageA(control, BM_CLICK, 0, 0);
    return true;
}

bool ScenarioRunner::Check(const ScenarioStep& step)
{
    if (step.kind == StepKind::ExpectExit) {
        m_seen = "the program still running";
        return false;
    }

    if (step.kind == StepKind::ExpectMessage || step.kind == StepKind::ExpectMessageStarting) {
        HWND box = FindMessageBox(m_process, m_answeredBox);
        if (box == NULL) {
            m_seen = "no message box";
            return false;
        }
        std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        std::string caption = WindowText(box);
        m_seen = MessageWithCaption("message ", text, caption);
        bool textMatches = step.kind == StepKind::ExpectMessage
                               ? text == step.text
                               : text.compare(0, step.text.size(), step.text) == 0;
        return textMatches && caption == m_process.ApplicationName();
    }

    HWND wizard = FindWizard(m_process);
    if (wizard == NULL) {
        m_seen = "no wizard window";
        return false;
    }
    switch (step.kind) {
    case StepKind::ExpectPage: {
        int page = CurrentPageNumber(wizard);
        m_seen = page == 0 ? "no current page" : "page " + std::to_string(page);
        return page == step.page;
    }
    case StepKind::ExpectTitle: {
        std::string title = WindowText(wizard);
        m_seen = "title " + QuoteText(title);
        return title == step.text;
    }
    case StepKind::ExpectButtons: {
        unsigned usable = UsableWizardButtons(wizard);
        m_seen = "buttons " + DescribeButtons(usable);
        return usable == step.buttons;
    }
    default:
        break;
    }

    HWND control = PageControl(step.control);
    if (control == NULL)
        return false;
    switch (step.kind) {
    case StepKind::ExpectText: {
        std::string text = WindowText(control);
        m_seen = Control(step.control) + " text " + QuoteText(text);
        return text == step.text;
    }
    case StepKind::ExpectChecked: {
        bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        m_seen = Control(step.control) + (checked ? " checked" : " not checked");
        return checked == step.on;
    }
    case StepKind::ExpectEnabled: {
        bool enabled = IsWindowEnabled(control) != FALSE;
        m_seen = Control(step.control) + (enabled ? " enabled" : " disabled");
        return enabled == step.on;
    }
    default:
        return false;
    }
}

HWND ScenarioRunner::PageControl(int id)
{
    HWND wizard = FindWizard(m_process);
    HWND page = wizard != NULL ? CurrentPage(wizard) : NULL;
    HWND control = page != NULL ? GetDlgItem(page, id) : NULL;
    if (wizard == NULL)
        m_seen = "no wizard window";
    else if (page == NULL)
        m_seen = "no current page";
    else if (control == NULL)
        m_seen = "no " + Control(id) + " on page " + std::to_string(CurrentPageNumber(wizard));
    return control;
}

HWND ScenarioRunner::UsablePageControl(int id)
{
    HWND control = PageControl(id);
    if (control == NULL)
        return NULL;
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) {
        m_seen = Control(id) + (IsWindowVisible(control) ? " disabled" : " hidden");
        return NULL;
    }
    return control;
}

ScenarioRunner::Result ScenarioRunner::Advance()
{
    ++m_current;
    m_stepStarted = false;
    if (m_current < m_steps.size())
        return Pending;
    m_result = Passed;
    m_report = "scenario passed: " + m_name + " (" + std::to_string(m_steps.size()) + " steps)";
    return m_result;
}

ScenarioRunner::Result ScenarioRunner::Fail(const ScenarioStep& step, const std::string& expected,
                                            const std::string& seen)
{
    m_result = Failed;
    m_report = "scenario failed at " + m_name + ":" + std::to_string(step.line) + ": " +
               step.source + "\n  expected: " + expected + "\n  seen:     " + seen;
    return m_result;
}

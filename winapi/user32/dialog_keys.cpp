/* The dialog manager's keyboard: tab order, IsDialogMessage. */
#include "user32_private.h"

using namespace user32;

namespace {

/* Every window in tab order: the dialog's children in z-order, and inside a child that is a
 * control parent (WS_EX_CONTROLPARENT, such as a property page) its own children in turn. A
 * window can take the focus by Tab when it is a tab stop, visible and enabled, and so is
 * every control parent it lies in. */
struct TabEntry {
    Window *w;
    bool can_tab;
};

void Flatten(Window *parent, bool reachable, std::vector<TabEntry> &out)
{
    for (Window *child : parent->children) {
        bool usable = (child->style & WS_VISIBLE) && !(child->style & WS_DISABLED);
        if (child->exstyle & WS_EX_CONTROLPARENT) {
            out.push_back({child, false});
            Flatten(child, reachable && usable, out);
        } else {
            out.push_back({child, reachable && usable && (child->style & WS_TABSTOP)});
        }
    }
}

/* A dialog inside a dialog hands its keys to the outer one, which owns the tab order. */
HWND OutermostDialog(HWND dialog)
{
    for (;;) {
        Window *w = FromHandle(dialog);
        if (!(w->style & DS_CONTROL) || !(w->style & WS_CHILD) || !w->parent->dialog) return dialog;
        dialog = w->parent->handle;
    }
}

void PressEnter(HWND dialog)
{
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), (LPARAM)focus);
        return;
    }
    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID) {
        HWND button = GetDlgItem(dialog, LOWORD(def));
        if (!button || IsWindowEnabled(button))
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED), (LPARAM)button);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, IDOK, (LPARAM)GetDlgItem(dialog, IDOK));
}

}  // namespace

/***********************************************************************
 *              GetNextDlgTabItem
 *
 * The tab stop after (or before) the given control, wrapping around; the first (or last)
 * one for no control; the control itself when there is no other.
 */
extern "C" HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    Window *d = ValidWindow(dialog);
    if (!d) return nullptr;
    std::vector<TabEntry> order;
    Flatten(d, true, order);
    size_t n = order.size();
    size_t at = n;
    Window *c = FromHandle(control);
    for (size_t i = 0; c && i < n; i++)
        if (order[i].w == c) at = i;
    if (at == n) {
        if (previous) {
            for (size_t i = n; i-- > 0;)
                if (order[i].can_tab) return order[i].w->handle;
        } else {
            for (size_t i = 0; i < n; i++)
                if (order[i].can_tab) return order[i].w->handle;
        }
        return nullptr;
    }
    for (size_t step = 1; step < n; step++) {
        size_t i = previous ? (at + n - step) % n : (at + step) % n;
        if (order[i].can_tab) return order[i].w->handle;
    }
    return control;
}

/***********************************************************************
 *              IsDialogMessageA
 *
 * Tab and Shift+Tab move the focus, Enter presses the default button (or IDOK), Esc sends
 * IDCANCEL, unless the control asks for those keys itself (WM_GETDLGCODE). Every other
 * message for the dialog is translated and dispatched here.
 */
extern "C" BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg)
{
    if (!msg || !FromHandle(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    dialog = OutermostDialog(dialog);
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessageA(msg->hwnd, WM_GETDLGCODE, 0, (LPARAM)msg);
        if (!(code & DLGC_WANTMESSAGE)) {
            switch (msg->wParam) {
            case VK_TAB:
                if (code & DLGC_WANTTAB) break;
                SendMessageA(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, 0);
                return TRUE;
            case VK_ESCAPE:
                SendMessageA(dialog, WM_COMMAND, IDCANCEL, (LPARAM)GetDlgItem(dialog, IDCANCEL));
                return TRUE;
            case VK_RETURN:
                PressEnter(dialog);
                return TRUE;
            }
        }
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}

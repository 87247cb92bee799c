/* Dialogs: creation from a template, the dialog manager's default procedure, modal runs. */
#include "dialog_template.h"
#include "user32_private.h"

using namespace user32;

namespace user32 {

DialogInfo *DialogOf(HWND hwnd)
{
    Window *w = FromHandle(hwnd);
    if (!w) return nullptr;
    if (!w->dialog) w->dialog = new DialogInfo();
    return w->dialog;
}

void DialogDestroyed(Window *w)
{
    delete w->dialog;
    w->dialog = nullptr;
}

void DialogSetFocus(HWND control)
{
    if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(control, EM_SETSEL, 0, -1);
    SetFocus(control);
}

HWND FindDefButton(HWND parent)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return child;
        if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
            if (HWND found = FindDefButton(child)) return found;
    }
    return nullptr;
}

/* A push button that takes the focus looks like the default; when a control that is not a
 * push button takes it, the dialog's default button gets the look back. */
void DialogSetDefButton(HWND dialog, HWND to)
{
    DialogInfo *info = DialogOf(dialog);
    HWND old = FindDefButton(dialog);
    LRESULT code = to ? SendMessageA(to, WM_GETDLGCODE, 0, 0) : 0;
    if (to && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) {
        to = info->def_id ? GetDlgItem(dialog, (int)info->def_id) : nullptr;
        code = to ? SendMessageA(to, WM_GETDLGCODE, 0, 0) : 0;
        if (!(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) to = nullptr;
    }
    if (old && old != to) SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (to && (code & DLGC_UNDEFPUSHBUTTON)) SendMessageA(to, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

static bool Ended(HWND dialog)
{
    DialogInfo *info = DialogOf(dialog);
    return !info || info->ended;
}

INT_PTR RunModalDialog(HWND dialog, HWND owner)
{
    DialogInfo *info = DialogOf(dialog);
    if (owner && IsWindowEnabled(owner) && !info->ended) {
        EnableWindow(owner, FALSE);
        info->disabled_owner = owner;
    }
    if (FromHandle(dialog) && !Ended(dialog) && !IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
    RunModalLoop(dialog, Ended);
    INT_PTR result = -1;
    if ((info = FromHandle(dialog) ? DialogOf(dialog) : nullptr)) {
        result = info->result;
        if (info->disabled_owner) EnableWindow(info->disabled_owner, TRUE);
        info->disabled_owner = nullptr;
        DestroyWindow(dialog);
    }
    return result;
}

}  // namespace user32

namespace {

void Offset(RECT *r, LONG dx, LONG dy)
{
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
}

HWND CreateFromTemplate(HINSTANCE instance, const void *data, size_t available, HWND parent, DLGPROC proc,
                        LPARAM param)
{
    DialogTemplate t;
    if (!ParseDialogTemplate(data, available, &t)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DWORD style = t.style;
    DWORD exstyle = t.exstyle;
    if (style & DS_CONTROL) {
        // A dialog inside a dialog: no frame, and its controls join the parent's tab order.
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exstyle |= WS_EX_CONTROLPARENT;
    }
    if (style & DS_MODALFRAME) exstyle |= WS_EX_DLGMODALFRAME;

    // Base units of 4 by 8 make one dialog unit one pixel.
    RECT r = {t.x, t.y, t.x + t.cx, t.y + t.cy};
    HWND owner = parent;
    if (!(style & WS_CHILD)) {
        if (style & DS_CENTER) {
            RECT screen;
            GetWindowRect(GetDesktopWindow(), &screen);
            Offset(&r, (screen.right - t.cx) / 2 - r.left, (screen.bottom - t.cy) / 2 - r.top);
        } else if (owner && !(style & DS_ABSALIGN)) {
            POINT origin = {0, 0};
            ClientToScreen(owner, &origin);
            Offset(&r, origin.x, origin.y);
        }
    }
    LPCSTR class_name = t.class_name.empty() ? WC_DIALOG : t.class_name.c_str();
    HWND dialog = CreateWindowExA(exstyle, class_name, t.caption.c_str(), style & ~WS_VISIBLE, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, parent, nullptr, instance, nullptr);
    if (!dialog) return nullptr;
    DialogOf(dialog);
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, (LONG_PTR)proc);

    for (const DialogItem &item : t.items) {
        LPCSTR text = item.text_is_ordinal ? MAKEINTRESOURCEA(item.ordinal) : item.text.c_str();
        HWND control = CreateWindowExA(item.exstyle | WS_EX_NOPARENTNOTIFY, item.class_name.c_str(), text,
                                       item.style | WS_CHILD, item.x, item.y, item.cx, item.cy, dialog,
                                       (HMENU)(ULONG_PTR)item.id, instance,
                                       item.data.empty() ? nullptr : (LPVOID)item.data.data());
        if (!control && !(style & DS_NOFAILCREATE)) {
            DestroyWindow(dialog);
            return nullptr;
        }
    }

    // The template's default button is the dialog's default: the one Enter presses and that
    // gets the default look back when the focus leaves another push button.
    if (HWND def = FindDefButton(dialog)) DialogOf(dialog)->def_id = (UINT)GetDlgCtrlID(def);

    HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    // TRUE asks for the default focus: the first tab stop, found again since the
    // handler may have changed the controls.
    if (SendMessageA(dialog, WM_INITDIALOG, (WPARAM)focus, param) && IsWindow(dialog) &&
        (!(style & DS_CONTROL) || (style & WS_VISIBLE))) {
        focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (focus) {
            DialogSetFocus(focus);
            DialogSetDefButton(dialog, focus);
            if (DialogInfo *info = DialogOf(dialog)) info->saved_focus = focus;
        }
    }
    if (!IsWindow(dialog)) return nullptr;
    if ((t.style & WS_VISIBLE) && !IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

const void *LoadTemplate(HINSTANCE instance, LPCSTR name, size_t *size)
{
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    *size = SizeofResource(instance, found);
    return loaded ? LockResource(loaded) : nullptr;
}

HWND OwnerFor(HWND owner)
{
    Window *w = owner ? FromHandle(owner) : nullptr;
    return w ? TopLevelOf(w)->handle : nullptr;
}

// Runs the dialog modally with its owner disabled; -1 when it cannot be created.
INT_PTR RunDialogFromTemplate(HINSTANCE instance, const void *tmpl, size_t available, HWND owner, DLGPROC proc,
                              LPARAM param)
{
    owner = OwnerFor(owner);
    HWND dialog = CreateFromTemplate(instance, tmpl, available, owner, proc, param);
    if (!dialog) return -1;
    return RunModalDialog(dialog, owner);
}

void SaveFocus(HWND dialog)
{
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus)) DialogOf(dialog)->saved_focus = focus;
}

void RestoreFocus(HWND dialog)
{
    DialogInfo *info = DialogOf(dialog);
    HWND focus = info->saved_focus;
    if (!focus || !IsChild(dialog, focus) || !IsWindowEnabled(focus) || !IsWindowVisible(focus))
        focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (focus) SetFocus(focus);
}

LRESULT DefaultDialog(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogInfo *info = DialogOf(hwnd);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SHOWWINDOW:
        if (!wParam) SaveFocus(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) RestoreFocus(hwnd);
        else SaveFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(hwnd);
        return 0;
    case DM_SETDEFID: {
        if (info->ended) return TRUE;
        HWND old = info->def_id ? GetDlgItem(hwnd, (int)info->def_id) : nullptr;
        HWND to = wParam ? GetDlgItem(hwnd, (int)wParam) : nullptr;
        if (old && old != to && (SendMessageA(old, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
            SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        info->def_id = (UINT)wParam;
        if (to && (SendMessageA(to, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
            SendMessageA(to, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        return TRUE;
    }
    case DM_GETDEFID: {
        if (info->ended) return 0;
        if (info->def_id) return MAKELONG(info->def_id, DC_HASDEFID);
        HWND def = FindDefButton(hwnd);
        return def ? MAKELONG(GetDlgCtrlID(def), DC_HASDEFID) : 0;
    }
    case WM_NEXTDLGCTL: {
        HWND to = lParam ? (HWND)wParam : GetNextDlgTabItem(hwnd, GetFocus(), (BOOL)wParam);
        if (to && IsWindow(to)) {
            DialogSetFocus(to);
            DialogSetDefButton(hwnd, to);
        }
        return 0;
    }
    case WM_CLOSE: {
        // Closing a dialog is pressing its Cancel button, unless that button is disabled.
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
        return 0;
    }
    case WM_NCDESTROY:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return 0;
}

}  // namespace

/***********************************************************************
 *              DefDlgProcA
 *
 * The dialog procedure sees every message first; what it leaves (returns FALSE for) gets
 * the dialog manager's handling. Results travel in DWLP_MSGRESULT except for the messages
 * whose result is the procedure's own return value.
 */
extern "C" LRESULT WINAPI DefDlgProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!ValidWindow(hwnd)) return 0;
    DialogOf(hwnd);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
    auto proc = (DLGPROC)GetWindowLongPtrA(hwnd, DWLP_DLGPROC);
    INT_PTR result = proc ? proc(hwnd, message, wParam, lParam) : 0;
    if (!result && IsWindow(hwnd)) {
        switch (message) {
        case WM_ERASEBKGND:
        case WM_SHOWWINDOW:
        case WM_ACTIVATE:
        case WM_SETFOCUS:
        case DM_SETDEFID:
        case DM_GETDEFID:
        case WM_NEXTDLGCTL:
        case WM_CLOSE:
        case WM_NCDESTROY:
            return DefaultDialog(hwnd, message, wParam, lParam);
        case WM_INITDIALOG:
            break;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
    }
    if (message == WM_INITDIALOG || !IsWindow(hwnd)) return result;
    return GetWindowLongPtrA(hwnd, DWLP_MSGRESULT);
}

/***********************************************************************
 *              CreateDialogIndirectParamA
 */
extern "C" HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND parent,
                                                  DLGPROC proc, LPARAM param)
{
    return CreateFromTemplate(instance, tmpl, kTemplateUnbounded, parent, proc, param);
}

/***********************************************************************
 *              CreateDialogParamA
 */
extern "C" HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc,
                                          LPARAM param)
{
    size_t size;
    const void *tmpl = LoadTemplate(instance, name, &size);
    return tmpl ? CreateFromTemplate(instance, tmpl, size, parent, proc, param) : nullptr;
}

/***********************************************************************
 *              DialogBoxIndirectParamA
 *
 * Runs the dialog modally with its owner disabled; -1 when it cannot be created.
 */
extern "C" INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND owner,
                                                  DLGPROC proc, LPARAM param)
{
    return RunDialogFromTemplate(instance, tmpl, kTemplateUnbounded, owner, proc, param);
}

/***********************************************************************
 *              DialogBoxParamA
 */
extern "C" INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param)
{
    size_t size;
    const void *tmpl = LoadTemplate(instance, name, &size);
    if (!tmpl) return -1;
    return RunDialogFromTemplate(instance, tmpl, size, owner, proc, param);
}

/***********************************************************************
 *              EndDialog
 *
 * Ends the modal run after the current message: the owner is enabled again, the dialog
 * hidden; the modal loop destroys it.
 */
extern "C" BOOL WINAPI EndDialog(HWND hwnd, INT_PTR result)
{
    if (!ValidWindow(hwnd)) return FALSE;
    DialogInfo *info = DialogOf(hwnd);
    info->ended = true;
    info->result = result;
    if (info->disabled_owner) {
        EnableWindow(info->disabled_owner, TRUE);
        info->disabled_owner = nullptr;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(hwnd, WM_NULL, 0, 0);  // wakes the modal loop, which may be waiting
    return TRUE;
}

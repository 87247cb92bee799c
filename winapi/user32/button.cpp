/* The button control: push buttons and check boxes with their check, pushed and focus state. */
#include "user32_private.h"

using namespace user32;

namespace {

struct ButtonState {
    UINT state;  // BST_ bits
};

UINT Type(HWND hwnd)
{
    return (UINT)GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
}

ButtonState *StateOf(HWND hwnd)
{
    Window *w = FromHandle(hwnd);
    return w ? (ButtonState *)w->control : nullptr;
}

UINT MaxCheck(UINT type)
{
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE: return BST_INDETERMINATE;
    }
    return BST_UNCHECKED;  // push buttons and group boxes have no check state
}

void SetBits(HWND hwnd, ButtonState *s, UINT clear, UINT set)
{
    UINT state = (s->state & ~clear) | set;
    if (state == s->state) return;
    s->state = state;
    NotifyChanged(hwnd);
}

void Notify(HWND hwnd, UINT code)
{
    HWND parent = GetParent(hwnd);
    if (parent) SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), (LPARAM)hwnd);
}

/* The press is complete: automatic boxes change their check state, then the parent hears of it. */
void Click(HWND hwnd, ButtonState *s)
{
    UINT type = Type(hwnd);
    UINT check = s->state & 3;
    if (type == BS_AUTOCHECKBOX) SendMessageA(hwnd, BM_SETCHECK, check ? BST_UNCHECKED : BST_CHECKED, 0);
    else if (type == BS_AUTO3STATE) SendMessageA(hwnd, BM_SETCHECK, (check + 1) % 3, 0);
    else if (type == BS_AUTORADIOBUTTON) SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    Notify(hwnd, BN_CLICKED);
}

}  // namespace

namespace user32 {

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ButtonState *s = StateOf(hwnd);
    if (!s && message != WM_NCCREATE) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCCREATE:
        FromHandle(hwnd)->control = new ButtonState{0};
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
        delete s;
        FromHandle(hwnd)->control = nullptr;
        return 0;
    case WM_GETDLGCODE:
        switch (Type(hwnd)) {
        case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        }
        return DLGC_BUTTON;
    case BM_GETCHECK:
        return s->state & 3;
    case BM_SETCHECK: {
        UINT max = MaxCheck(Type(hwnd));
        if (max == BST_UNCHECKED) return 0;
        SetBits(hwnd, s, 3, wParam > max ? max : (UINT)wParam);
        return 0;
    }
    case BM_GETSTATE:
        return s->state;
    case BM_SETSTATE:
        SetBits(hwnd, s, BST_PUSHED, wParam ? BST_PUSHED : 0);
        return 0;
    case BM_SETSTYLE: {
        Window *w = FromHandle(hwnd);
        w->style = (w->style & ~BS_TYPEMASK) | ((DWORD)wParam & BS_TYPEMASK);
        NotifyChanged(hwnd);
        return 0;
    }
    case BM_CLICK:
        // A disabled button cannot be pressed, not even by program.
        if (!IsWindowEnabled(hwnd)) return 0;
        SendMessageA(hwnd, WM_LBUTTONDOWN, 1, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if ((s = StateOf(hwnd))) SetBits(hwnd, s, 0, BST_PUSHED);
        return 0;
    case WM_LBUTTONUP:
        if (!(s->state & BST_PUSHED)) return 0;
        SetBits(hwnd, s, BST_PUSHED, 0);
        Click(hwnd, s);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) SetBits(hwnd, s, 0, BST_PUSHED);
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE || !(s->state & BST_PUSHED)) return 0;
        SetBits(hwnd, s, BST_PUSHED, 0);
        Click(hwnd, s);
        return 0;
    case WM_SETFOCUS:
        SetBits(hwnd, s, 0, BST_FOCUS);
        if (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY) Notify(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        SetBits(hwnd, s, BST_FOCUS | BST_PUSHED, 0);
        if (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY) Notify(hwnd, BN_KILLFOCUS);
        return 0;
    case WM_CHAR:
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace user32

/* Window classes: the program's own and the system's (button, edit, static, the dialog). */
#include "user32_private.h"

#include <strings.h>

#include <algorithm>
#include <memory>

namespace user32 {
namespace {

std::vector<std::unique_ptr<WindowClass>> &Classes()
{
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

ATOM next_atom = 0xC000;  // the platform's range for registered class atoms

std::string ClassNameOf(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) {
        ATOM atom = LOWORD(name);
        for (auto &c : Classes())
            if (c->atom == atom) return c->name;
        return std::string();
    }
    return name;
}

WindowClass *Add(const std::string &name, ATOM atom, UINT style, WNDPROC proc, int cbWndExtra,
                 HINSTANCE instance, HBRUSH background)
{
    auto c = std::make_unique<WindowClass>();
    c->name = name;
    c->atom = atom;
    c->style = style;
    c->proc = proc;
    c->cbWndExtra = cbWndExtra;
    c->instance = instance;
    c->background = background;
    c->windows = 0;
    c->system = false;
    Classes().push_back(std::move(c));
    return Classes().back().get();
}

}  // namespace

WindowClass *FindClass(LPCSTR name)
{
    RegisterBuiltinClasses();
    if (!name) return nullptr;
    if (IS_INTRESOURCE(name)) {
        for (auto &c : Classes())
            if (c->atom == LOWORD(name)) return c.get();
        return nullptr;
    }
    for (auto &c : Classes())
        if (strcasecmp(c->name.c_str(), name) == 0) return c.get();
    return nullptr;
}

void RegisterBuiltinClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    // The system's class names as GetClassName reports them, and the dialog's atom.
    Add("Button", next_atom++, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ButtonProc, 0, nullptr, nullptr);
    Add("Edit", next_atom++, CS_DBLCLKS, EditProc, 0, nullptr, nullptr);
    Add("Static", next_atom++, CS_DBLCLKS, StaticProc, 0, nullptr, nullptr);
    Add("#32770", 0x8002, CS_SAVEBITS | CS_DBLCLKS, DefDlgProcA, DLGWINDOWEXTRA, nullptr, nullptr);
    Add("#32769", 0x8001, 0, DefWindowProcA, 0, nullptr, nullptr);  // the desktop
    for (auto &c : Classes()) c->system = true;
}

}  // namespace user32

using namespace user32;

static ATOM Register(UINT style, WNDPROC proc, int cbWndExtra, HINSTANCE instance, HBRUSH background,
                     LPCSTR name)
{
    RegisterBuiltinClasses();
    if (!name || !proc || cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string text = ClassNameOf(name);
    if (text.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (auto &c : Classes()) {
        // A program's class hides a system class of the same name, as a local class does.
        if (!c->system && strcasecmp(c->name.c_str(), text.c_str()) == 0 && c->instance == instance) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    WindowClass *c = Add(text, next_atom++, style, proc, cbWndExtra, instance, background);
    // Local classes are found before system ones.
    auto &all = Classes();
    std::rotate(all.begin(), all.end() - 1, all.end());
    return c->atom;
}

/***********************************************************************
 *              RegisterClassA
 */
extern "C" ATOM WINAPI RegisterClassA(const WNDCLASSA *wc)
{
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(wc->style, wc->lpfnWndProc, wc->cbWndExtra, wc->hInstance, wc->hbrBackground,
                    wc->lpszClassName);
}

/***********************************************************************
 *              RegisterClassExA
 */
extern "C" ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *wc)
{
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(wc->style, wc->lpfnWndProc, wc->cbWndExtra, wc->hInstance, wc->hbrBackground,
                    wc->lpszClassName);
}

/***********************************************************************
 *              UnregisterClassA
 */
extern "C" BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE instance)
{
    RegisterBuiltinClasses();
    std::string text = ClassNameOf(name);
    auto &all = Classes();
    for (auto it = all.begin(); it != all.end(); ++it) {
        WindowClass *c = it->get();
        if (c->system || strcasecmp(c->name.c_str(), text.c_str()) != 0 || c->instance != instance) continue;
        if (c->windows) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
        all.erase(it);
        return TRUE;
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
}

/***********************************************************************
 *              GetClassNameA
 */
extern "C" int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int size)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return 0;
    if (!buffer || size <= 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return CopyText(w->cls->name, buffer, (size_t)size);
}

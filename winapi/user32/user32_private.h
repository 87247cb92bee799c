/* Inside user32: window objects, classes, the thread's queue and the display in use. One
 * thread owns everything, so nothing is locked. */
#ifndef WINAPI_USER32_PRIVATE_H
#define WINAPI_USER32_PRIVATE_H

#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "../display/display.h"

/* Window manager error codes (winerror.h of the platform). */
#ifndef ERROR_INVALID_WINDOW_HANDLE
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#endif
#ifndef ERROR_TLW_WITH_WSCHILD
#define ERROR_TLW_WITH_WSCHILD 1406L
#endif
#ifndef ERROR_CLASS_ALREADY_EXISTS
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#endif
#ifndef ERROR_CLASS_DOES_NOT_EXIST
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#endif
#ifndef ERROR_CLASS_HAS_WINDOWS
#define ERROR_CLASS_HAS_WINDOWS 1412L
#endif
#ifndef ERROR_INVALID_INDEX
#define ERROR_INVALID_INDEX 1413L
#endif


namespace user32 {

struct WindowClass {
    std::string name;
    ATOM atom;
    UINT style;
    WNDPROC proc;
    int cbWndExtra;
    HINSTANCE instance;
    HBRUSH background;
    int windows;  // how many live windows use it
    bool system;
};

struct DialogInfo {
    HWND saved_focus = nullptr;  // the control that had the focus when the dialog lost it
    UINT def_id = 0;             // DM_SETDEFID's id, 0 for none
    bool ended = false;          // EndDialog was called
    INT_PTR result = 0;
    HWND disabled_owner = nullptr;  // the owner a modal loop disabled, enabled again at the end
};

struct Window {
    HWND handle;
    WindowClass *cls;
    WNDPROC proc;
    Window *parent;  // the desktop for top-level windows; nullptr only for the desktop itself
    Window *owner;
    std::vector<Window *> children;  // z-order, topmost first
    DWORD style;
    DWORD exstyle;
    LONG_PTR id;
    LONG_PTR userdata;
    HINSTANCE instance;
    std::string text;
    RECT rect;  // in the parent's client coordinates; there is no non-client area
    std::vector<unsigned char> extra;
    std::vector<std::pair<std::string, HANDLE>> props;
    bool needs_paint;
    bool erase;
    RECT update;
    bool destroying;
    void *control;       // a built-in control's state, owned by its window procedure
    DialogInfo *dialog;  // set for dialogs
};

/* Handles */
Window *FromHandle(HWND hwnd);            // nullptr for a handle that is not a live window
Window *ValidWindow(HWND hwnd);           // as FromHandle, and sets ERROR_INVALID_WINDOW_HANDLE
Window *Desktop();
bool IsEffectivelyVisible(const Window *w);
bool IsAncestor(const Window *ancestor, const Window *w);
Window *TopLevelOf(Window *w);

/* Classes */
WindowClass *FindClass(LPCSTR name);
void RegisterBuiltinClasses();

/* The queue */
void QueueRemoveWindow(HWND hwnd);  // drops its posted messages and timers
void QueueAddPaint();
void QueueRemovePaint();
DWORD TickCount();
void RunModalLoop(HWND dialog, bool (*ended)(HWND));

/* Painting */
void InvalidateTree(Window *w);   // the window and its visible descendants, whole
void ValidateTree(Window *w);

/* Focus and activation */
void FocusLost(Window *w);        // w (or a descendant) is going away: forget focus and activation
void ActivateOther(Window *w);    // w stops being active: give activation to its owner or another

/* Dialogs */
DialogInfo *DialogOf(HWND hwnd);  // creates it for a window of the dialog class when missing
void DialogDestroyed(Window *w);
void DialogSetFocus(HWND control);               // focus, and select all of an edit box
void DialogSetDefButton(HWND dialog, HWND to);   // the default-button look follows the focus
HWND FindDefButton(HWND parent);                 // the push button that looks like the default
INT_PTR RunModalDialog(HWND dialog, HWND owner);

/* The display in use */
const WinapiDisplay *Display();   // the chosen one, or a silent one until a window exists
void RequireDisplay();            // ends the program with a message when none was chosen
void NotifyChanged(HWND hwnd);
[[noreturn]] void Fatal(const char *what);  // says what on standard error, ends the program

/* Built-in window procedures */
LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);

/* Copies text into a caller's buffer of size characters as WM_GETTEXT does; returns the count. */
int CopyText(const std::string &text, LPSTR buffer, size_t size);

}  // namespace user32

#endif

/* Window objects: handles, creation, destruction and the window tree. */
#include "user32_private.h"

#include <algorithm>

namespace user32 {
namespace {

/* A handle is a slot index in the low 16 bits and the slot's generation above it, so a
 * destroyed window's handle stays invalid after its slot is reused. */
struct HandleTable {
    std::vector<Window *> slots{nullptr};
    std::vector<uint16_t> generations{0};
    std::vector<uint16_t> free_slots;
};

HandleTable &Table()
{
    static HandleTable table;
    return table;
}

HWND AllocateHandle(Window *w)
{
    HandleTable &t = Table();
    size_t index;
    if (!t.free_slots.empty()) {
        index = t.free_slots.back();
        t.free_slots.pop_back();
    } else {
        index = t.slots.size();
        if (index > 0xFFFF) return nullptr;
        t.slots.push_back(nullptr);
        t.generations.push_back(0);
    }
    if (++t.generations[index] == 0) t.generations[index] = 1;
    t.slots[index] = w;
    return (HWND)(ULONG_PTR)(((ULONG_PTR)t.generations[index] << 16) | index);
}

void ReleaseHandle(HWND hwnd)
{
    HandleTable &t = Table();
    size_t index = (ULONG_PTR)hwnd & 0xFFFF;
    t.slots[index] = nullptr;
    t.free_slots.push_back((uint16_t)index);
}

void Unlink(Window *w)
{
    if (!w->parent) return;
    auto &siblings = w->parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), w));
}

std::vector<HWND> Handles(const std::vector<Window *> &windows)
{
    std::vector<HWND> handles;
    handles.reserve(windows.size());
    for (Window *w : windows) handles.push_back(w->handle);
    return handles;
}

void SendDestroy(HWND hwnd)
{
    Window *w = FromHandle(hwnd);
    if (!w) return;
    w->destroying = true;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    w = FromHandle(hwnd);
    if (!w) return;
    for (HWND child : Handles(w->children)) SendDestroy(child);
}

void Free(HWND hwnd)
{
    Window *w = FromHandle(hwnd);
    if (!w) return;
    for (HWND child : Handles(w->children)) Free(child);
    w = FromHandle(hwnd);
    if (!w) return;
    QueueRemoveWindow(hwnd);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    w = FromHandle(hwnd);
    if (!w) return;
    if (w->needs_paint) QueueRemovePaint();
    DialogDestroyed(w);
    Unlink(w);
    w->cls->windows--;
    ReleaseHandle(hwnd);
    NotifyChanged(hwnd);
    delete w;
}

}  // namespace

Window *FromHandle(HWND hwnd)
{
    ULONG_PTR value = (ULONG_PTR)hwnd;
    size_t index = value & 0xFFFF;
    HandleTable &t = Table();
    if (index == 0 || index >= t.slots.size() || (value >> 16) != t.generations[index]) return nullptr;
    return t.slots[index];
}

Window *ValidWindow(HWND hwnd)
{
    Window *w = FromHandle(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

Window *Desktop()
{
    static Window *desktop;
    if (!desktop) {
        desktop = new Window();
        desktop->cls = FindClass("#32769");
        desktop->cls->windows++;
        desktop->proc = desktop->cls->proc;
        desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        desktop->handle = AllocateHandle(desktop);
    }
    return desktop;
}

bool IsEffectivelyVisible(const Window *w)
{
    for (; w && w->parent; w = w->parent)
        if (!(w->style & WS_VISIBLE)) return false;
    return w != nullptr;
}

bool IsAncestor(const Window *ancestor, const Window *w)
{
    for (w = w ? w->parent : nullptr; w; w = w->parent)
        if (w == ancestor) return true;
    return false;
}

Window *TopLevelOf(Window *w)
{
    while (w->parent && w->parent != Desktop()) w = w->parent;
    return w;
}

}  // namespace user32

using namespace user32;

/***********************************************************************
 *              CreateWindowExA
 */
extern "C" HWND WINAPI CreateWindowExA(DWORD exstyle, LPCSTR class_name, LPCSTR window_name, DWORD style,
                                       int x, int y, int width, int height, HWND parent_handle,
                                       HMENU menu, HINSTANCE instance, LPVOID param)
{
    RequireDisplay();
    WindowClass *cls = FindClass(class_name);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);  // Wine's code for an unknown class
        return nullptr;
    }
    Window *parent = Desktop();
    Window *owner = nullptr;
    if (style & WS_CHILD) {
        if (!parent_handle) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        if (!(parent = ValidWindow(parent_handle))) return nullptr;
    } else if (parent_handle) {
        Window *given = ValidWindow(parent_handle);
        if (!given) return nullptr;
        owner = given == Desktop() ? nullptr : TopLevelOf(given);
    }

    if (!(style & WS_CHILD)) {
        SIZE screen;
        Display()->GetScreenSize(&screen);
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) {
            width = screen.cx * 3 / 4;
            height = screen.cy * 3 / 4;
        }
    } else {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) width = height = 0;
    }

    Window *w = new Window();
    w->handle = AllocateHandle(w);
    if (!w->handle) {
        delete w;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    w->cls = cls;
    w->proc = cls->proc;
    w->parent = parent;
    w->owner = owner;
    // Overlapped windows always have a caption, as on the platform.
    if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION | WS_CLIPSIBLINGS;
    w->style = style & ~WS_VISIBLE;
    w->exstyle = exstyle;
    w->id = (style & WS_CHILD) ? (LONG_PTR)menu : 0;
    w->instance = instance;
    w->rect = {x, y, x + width, y + height};
    w->extra.assign((size_t)cls->cbWndExtra, 0);
    cls->windows++;
    if (style & WS_CHILD)
        parent->children.push_back(w);  // children go below their siblings: template order
    else
        parent->children.insert(parent->children.begin(), w);

    HWND hwnd = w->handle;
    CREATESTRUCTA cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent_handle;
    cs.cy = height;
    cs.cx = width;
    cs.y = y;
    cs.x = x;
    cs.style = (LONG)style;
    cs.lpszName = window_name;
    cs.lpszClass = class_name;
    cs.dwExStyle = exstyle;
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, (LPARAM)&cs)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!(w = FromHandle(hwnd))) return nullptr;
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
    if (!(w = FromHandle(hwnd))) return nullptr;
    NotifyChanged(hwnd);
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return FromHandle(hwnd) ? hwnd : nullptr;
}

/***********************************************************************
 *              DestroyWindow
 *
 * Owned windows go first; then WM_DESTROY reaches the window before its children, and
 * WM_NCDESTROY reaches the children before the window, as on the platform.
 */
extern "C" BOOL WINAPI DestroyWindow(HWND hwnd)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return FALSE;
    if (w == Desktop()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) return TRUE;
    if (w->parent == Desktop()) {
        for (HWND other : Handles(Desktop()->children)) {
            Window *o = FromHandle(other);
            if (o && o->owner == w) DestroyWindow(other);
        }
    }
    if (!(w = FromHandle(hwnd))) return TRUE;
    if (w->style & WS_VISIBLE) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!(w = FromHandle(hwnd))) return TRUE;
    }
    FocusLost(w);
    SendDestroy(hwnd);
    Free(hwnd);
    return TRUE;
}

/***********************************************************************
 *              IsWindow
 */
extern "C" BOOL WINAPI IsWindow(HWND hwnd)
{
    return FromHandle(hwnd) != nullptr;
}

/***********************************************************************
 *              IsChild
 */
extern "C" BOOL WINAPI IsChild(HWND parent_handle, HWND hwnd)
{
    Window *parent = FromHandle(parent_handle);
    Window *w = FromHandle(hwnd);
    if (!parent || !w) return FALSE;
    for (; w && (w->style & WS_CHILD); w = w->parent)
        if (w->parent == parent) return TRUE;
    return FALSE;
}

/***********************************************************************
 *              GetParent
 *
 * A child's parent; a pop-up's owner; nothing for other top-level windows.
 */
extern "C" HWND WINAPI GetParent(HWND hwnd)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return nullptr;
    if (w->style & WS_CHILD) return w->parent->handle;
    if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
    return nullptr;
}

/***********************************************************************
 *              GetWindow
 */
extern "C" HWND WINAPI GetWindow(HWND hwnd, UINT command)
{
    Window *w = ValidWindow(hwnd);
    if (!w) return nullptr;
    if (command == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
    if (command == GW_OWNER) return w->owner ? w->owner->handle : nullptr;
    if (command == GW_ENABLEDPOPUP) return nullptr;
    if (!w->parent) return nullptr;
    const auto &siblings = w->parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), w);
    switch (command) {
    case GW_HWNDFIRST: return siblings.front()->handle;
    case GW_HWNDLAST: return siblings.back()->handle;
    case GW_HWNDNEXT: return it + 1 == siblings.end() ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV: return it == siblings.begin() ? nullptr : (*(it - 1))->handle;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

/***********************************************************************
 *              GetDesktopWindow
 */
extern "C" HWND WINAPI GetDesktopWindow(void)
{
    return Desktop()->handle;
}

/***********************************************************************
 *              EnumWindows
 */
extern "C" BOOL WINAPI EnumWindows(WNDENUMPROC callback, LPARAM lparam)
{
    BOOL result = TRUE;
    for (HWND hwnd : Handles(Desktop()->children)) {
        if (!FromHandle(hwnd)) continue;
        if (!(result = callback(hwnd, lparam))) break;
    }
    return result;
}

static BOOL EnumDescendants(HWND parent, WNDENUMPROC callback, LPARAM lparam)
{
    Window *p = FromHandle(parent);
    if (!p) return TRUE;
    for (HWND hwnd : Handles(p->children)) {
        if (!FromHandle(hwnd)) continue;
        if (!callback(hwnd, lparam)) return FALSE;
        if (!EnumDescendants(hwnd, callback, lparam)) return FALSE;
    }
    return TRUE;
}

/***********************************************************************
 *              EnumChildWindows
 */
extern "C" BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lparam)
{
    if (!parent) parent = Desktop()->handle;
    if (!ValidWindow(parent)) return FALSE;
    return EnumDescendants(parent, callback, lparam);
}

/***********************************************************************
 *              GetWindowThreadProcessId
 */
extern "C" DWORD WINAPI GetWindowThreadProcessId(HWND hwnd, LPDWORD process_id)
{
    if (!ValidWindow(hwnd)) return 0;
    if (process_id) *process_id = GetCurrentProcessId();
    return GetCurrentThreadId();
}

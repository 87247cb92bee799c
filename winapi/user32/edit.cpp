/* The edit control: single-line boxes that the user types into, and multi-line boxes that
 * wrap their text and scroll by lines. The text itself is the window's text. */
#include "edit_lines.h"
#include "user32_private.h"

#include <algorithm>
#include <cstring>

using namespace user32;

namespace {

const size_t kDefaultLimit = 30000;
const size_t kLargestLimit = 0x7FFFFFFE;
const int kCharWidth = 4;   // pixels of one character: dialog units, 4 to a character
const int kLineHeight = 8;  // and 8 to a line

struct EditState {
    size_t anchor;  // the selection runs from anchor to caret
    size_t caret;
    size_t limit;
    bool modified;
    int first_line;     // multi-line: the top line shown
    size_t first_char;  // single-line: the first character shown
};

Window *WindowOf(HWND hwnd)
{
    return FromHandle(hwnd);
}

bool Multiline(const Window *w)
{
    return (w->style & ES_MULTILINE) != 0;
}

size_t SelStart(const EditState *s)
{
    return std::min(s->anchor, s->caret);
}

size_t SelEnd(const EditState *s)
{
    return std::max(s->anchor, s->caret);
}

void Notify(HWND hwnd, UINT code)
{
    HWND parent = GetParent(hwnd);
    if (parent) SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), (LPARAM)hwnd);
}

/* The formatting rectangle: inside a border (one character or line of it) and left of a
 * vertical scroll bar (one character wide). */
RECT FormatRect(const Window *w)
{
    RECT r = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    if ((w->style & WS_BORDER) || (w->exstyle & WS_EX_CLIENTEDGE)) {
        r.left += kCharWidth;
        r.right -= kCharWidth;
        if (Multiline(w)) {
            r.top += kLineHeight;
            r.bottom -= kLineHeight;
        }
    }
    if (w->style & WS_VSCROLL) r.right -= kCharWidth;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

std::vector<EditLine> Lines(const Window *w)
{
    if (!Multiline(w)) return {{0, w->text.size()}};
    RECT r = FormatRect(w);
    return EditLayout(w->text, (int)((r.right - r.left) / kCharWidth));
}

int VisibleLines(const Window *w)
{
    RECT r = FormatRect(w);
    int rows = (int)((r.bottom - r.top) / kLineHeight);
    return rows < 1 ? 1 : rows;
}

/* A single-line box with ES_AUTOHSCROLL scrolls sideways to keep the caret in view. */
void KeepCaretVisible(HWND hwnd, EditState *s)
{
    Window *w = WindowOf(hwnd);
    if (!w || Multiline(w)) return;
    size_t before = s->first_char;
    if (!(w->style & ES_AUTOHSCROLL)) {
        s->first_char = 0;
    } else {
        RECT r = FormatRect(w);
        size_t columns = std::max<LONG>(1, (r.right - r.left) / kCharWidth);
        if (s->caret < s->first_char) s->first_char = s->caret;
        else if (s->caret >= s->first_char + columns) s->first_char = s->caret - columns + 1;
    }
    if (s->first_char != before) NotifyChanged(hwnd);
}

int LineOf(const std::vector<EditLine> &lines, size_t index)
{
    int line = 0;
    for (size_t i = 0; i < lines.size() && lines[i].start <= index; i++) line = (int)i;
    return line;
}

/* Scrolls a multi-line box by lines, never past its last line at the bottom; returns the
 * lines actually scrolled. */
int ScrollLines(HWND hwnd, EditState *s, int delta)
{
    Window *w = WindowOf(hwnd);
    int count = (int)Lines(w).size();
    int last_top = std::max(0, count - VisibleLines(w));
    int target = std::min(std::max(s->first_line + delta, 0), last_top);
    int moved = target - s->first_line;
    if (moved) {
        s->first_line = target;
        NotifyChanged(hwnd);
    }
    return moved;
}

int ScrollBy(HWND hwnd, EditState *s, UINT code)
{
    Window *w = WindowOf(hwnd);
    switch (code) {
    case SB_LINEUP: return ScrollLines(hwnd, s, -1);
    case SB_LINEDOWN: return ScrollLines(hwnd, s, 1);
    case SB_PAGEUP: return ScrollLines(hwnd, s, -VisibleLines(w));
    case SB_PAGEDOWN: return ScrollLines(hwnd, s, VisibleLines(w));
    case SB_TOP: return ScrollLines(hwnd, s, -s->first_line);
    case SB_BOTTOM: return ScrollLines(hwnd, s, (int)Lines(w).size());
    }
    return 0;
}

/* Replaces the selection as typing does: within the length limit when asked, with EN_UPDATE
 * and EN_CHANGE after the change. */
void ReplaceSelection(HWND hwnd, EditState *s, std::string insert, bool honor_limit)
{
    Window *w = WindowOf(hwnd);
    size_t a = SelStart(s), b = SelEnd(s);
    size_t remaining = w->text.size() - (b - a);
    bool truncated = false;
    if (honor_limit && remaining + insert.size() > s->limit) {
        insert.resize(s->limit > remaining ? s->limit - remaining : 0);
        truncated = true;
    }
    if (insert.empty() && a == b) {
        if (truncated) Notify(hwnd, EN_MAXTEXT);
        return;
    }
    w->text.replace(a, b - a, insert);
    s->anchor = s->caret = a + insert.size();
    s->modified = true;
    NotifyChanged(hwnd);
    KeepCaretVisible(hwnd, s);
    Notify(hwnd, EN_UPDATE);
    Notify(hwnd, EN_CHANGE);
    if (truncated) Notify(hwnd, EN_MAXTEXT);
}

void Type(HWND hwnd, EditState *s, char ch)
{
    Window *w = WindowOf(hwnd);
    if (w->style & ES_READONLY) return;
    if (ch == '\b') {
        if (s->anchor == s->caret) {
            if (s->caret == 0) return;
            s->anchor = s->caret - 1;
        }
        ReplaceSelection(hwnd, s, std::string(), false);
    } else if (ch == '\r' || ch == '\t') {
        if (Multiline(w)) ReplaceSelection(hwnd, s, ch == '\r' ? "\r\n" : "\t", true);
    } else if ((unsigned char)ch >= 0x20) {
        ReplaceSelection(hwnd, s, std::string(1, ch), true);
    }
}

void MoveCaret(HWND hwnd, EditState *s, size_t to, bool extend)
{
    s->caret = to;
    if (!extend) s->anchor = to;
    NotifyChanged(hwnd);
    KeepCaretVisible(hwnd, s);
}

void Key(HWND hwnd, EditState *s, UINT vk)
{
    Window *w = WindowOf(hwnd);
    if (Multiline(w)) {
        switch (vk) {
        case VK_UP: ScrollBy(hwnd, s, SB_LINEUP); return;
        case VK_DOWN: ScrollBy(hwnd, s, SB_LINEDOWN); return;
        case VK_PRIOR: ScrollBy(hwnd, s, SB_PAGEUP); return;
        case VK_NEXT: ScrollBy(hwnd, s, SB_PAGEDOWN); return;
        case VK_HOME: ScrollBy(hwnd, s, SB_TOP); return;
        case VK_END: ScrollBy(hwnd, s, SB_BOTTOM); return;
        }
    }
    bool shift = GetKeyState(VK_SHIFT) < 0;
    size_t length = w->text.size();
    switch (vk) {
    case VK_LEFT:
        if (!shift && s->anchor != s->caret) MoveCaret(hwnd, s, SelStart(s), false);
        else if (s->caret > 0) MoveCaret(hwnd, s, s->caret - 1, shift);
        return;
    case VK_RIGHT:
        if (!shift && s->anchor != s->caret) MoveCaret(hwnd, s, SelEnd(s), false);
        else if (s->caret < length) MoveCaret(hwnd, s, s->caret + 1, shift);
        return;
    case VK_HOME: MoveCaret(hwnd, s, 0, shift); return;
    case VK_END: MoveCaret(hwnd, s, length, shift); return;
    case VK_DELETE:
        if (w->style & ES_READONLY) return;
        if (s->anchor == s->caret) {
            if (s->caret >= length) return;
            s->anchor = s->caret + 1;
        }
        ReplaceSelection(hwnd, s, std::string(), false);
        return;
    }
}

size_t Clamp(LONG_PTR index, size_t length)
{
    if (index < 0 || (size_t)index > length) return length;
    return (size_t)index;
}

}  // namespace

namespace user32 {

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = WindowOf(hwnd);
    EditState *s = w ? (EditState *)w->control : nullptr;
    if (!s && message != WM_NCCREATE) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCCREATE:
        w->control = new EditState{0, 0, kDefaultLimit, false, 0, 0};
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
        delete s;
        w->control = nullptr;
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (Multiline(w) ? DLGC_WANTALLKEYS : 0);
    case WM_SETTEXT:
        // The length limit does not apply; only a single-line box reports the change.
        w->text = lParam ? (LPCSTR)lParam : "";
        s->anchor = s->caret = 0;
        s->first_line = 0;
        s->first_char = 0;
        s->modified = false;
        NotifyChanged(hwnd);
        if (!Multiline(w)) {
            Notify(hwnd, EN_UPDATE);
            Notify(hwnd, EN_CHANGE);
        }
        return TRUE;
    case EM_GETSEL: {
        size_t a = SelStart(s), b = SelEnd(s);
        if (wParam) *(DWORD *)wParam = (DWORD)a;
        if (lParam) *(DWORD *)lParam = (DWORD)b;
        return MAKELONG(std::min<size_t>(a, 0xFFFF), std::min<size_t>(b, 0xFFFF));
    }
    case EM_SETSEL: {
        size_t length = w->text.size();
        if ((int)wParam == -1) {
            s->anchor = s->caret;
        } else {
            s->anchor = Clamp((int)wParam, length);
            s->caret = Clamp((int)lParam, length);
        }
        NotifyChanged(hwnd);
        KeepCaretVisible(hwnd, s);
        return 0;
    }
    case EM_REPLACESEL:
        ReplaceSelection(hwnd, s, lParam ? (LPCSTR)lParam : "", true);
        return 0;
    case EM_LIMITTEXT:
        s->limit = wParam ? (size_t)wParam : kLargestLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return (LRESULT)s->limit;
    case EM_SETREADONLY:
        if (wParam) w->style |= ES_READONLY;
        else w->style &= ~ES_READONLY;
        NotifyChanged(hwnd);
        return TRUE;
    case EM_GETMODIFY:
        return s->modified;
    case EM_SETMODIFY:
        s->modified = wParam != 0;
        return 0;
    case EM_GETRECT:
        if (lParam) *(RECT *)lParam = FormatRect(w);
        return 0;
    case EM_GETLINECOUNT:
        return (LRESULT)Lines(w).size();
    case EM_GETFIRSTVISIBLELINE:
        return Multiline(w) ? s->first_line : (LRESULT)s->first_char;
    case EM_LINEINDEX: {
        auto lines = Lines(w);
        int line = (int)wParam == -1 ? LineOf(lines, s->caret) : (int)wParam;
        if (line < 0 || (size_t)line >= lines.size()) return -1;
        return (LRESULT)lines[(size_t)line].start;
    }
    case EM_LINELENGTH: {
        auto lines = Lines(w);
        size_t index = (int)wParam == -1 ? s->caret : Clamp((int)wParam, w->text.size());
        return (LRESULT)lines[(size_t)LineOf(lines, index)].length;
    }
    case EM_GETLINE: {
        // The buffer's first word holds its size; the copy has no terminator.
        auto lines = Lines(w);
        if (!lParam || wParam >= lines.size()) return 0;
        WORD size;
        memcpy(&size, (const void *)lParam, sizeof(size));
        size_t count = std::min<size_t>(size, lines[wParam].length);
        memcpy((void *)lParam, w->text.data() + lines[wParam].start, count);
        return (LRESULT)count;
    }
    case EM_LINESCROLL:
        if (!Multiline(w)) return FALSE;
        ScrollLines(hwnd, s, (int)lParam);
        return TRUE;
    case EM_SCROLL:
        if (!Multiline(w)) return FALSE;
        return MAKELRESULT((WORD)(short)ScrollBy(hwnd, s, (UINT)wParam), TRUE);
    case WM_VSCROLL:
        if (Multiline(w)) ScrollBy(hwnd, s, LOWORD(wParam));
        return 0;
    case WM_CHAR:
        Type(hwnd, s, (char)wParam);
        return 0;
    case WM_KEYDOWN:
        Key(hwnd, s, (UINT)wParam);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        NotifyChanged(hwnd);
        Notify(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyChanged(hwnd);
        Notify(hwnd, EN_KILLFOCUS);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace user32

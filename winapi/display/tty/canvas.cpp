#include "canvas.h"

#include <algorithm>

namespace tty {

Cells Intersect(const Cells &a, const Cells &b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Overlap(const Cells &a, const Cells &b)
{
    return !Intersect(a, b).Empty();
}

static attr_t looks[kWarning + 1];

attr_t LookAttr(Look look)
{
    return looks[look];
}

/* Colours where the terminal has them; otherwise plain text, reverse video and bold. */
void InitLooks()
{
    if (has_colors() && start_color() == OK) {
        init_pair(1, COLOR_WHITE, COLOR_BLUE);
        init_pair(2, COLOR_BLACK, COLOR_WHITE);
        init_pair(3, COLOR_WHITE, COLOR_BLUE);
        init_pair(4, COLOR_BLACK, COLOR_CYAN);
        init_pair(5, COLOR_WHITE, COLOR_BLACK);
        init_pair(6, COLOR_BLUE, COLOR_WHITE);
        init_pair(7, COLOR_WHITE, COLOR_RED);
        looks[kDesktop] = COLOR_PAIR(1);
        looks[kWindow] = COLOR_PAIR(2);
        looks[kCaption] = COLOR_PAIR(3) | A_BOLD;
        looks[kField] = COLOR_PAIR(4);
        looks[kHighlight] = COLOR_PAIR(5) | A_BOLD;
        looks[kDisabled] = COLOR_PAIR(2) | A_DIM;
        looks[kBar] = COLOR_PAIR(6);
        looks[kWarning] = COLOR_PAIR(7) | A_BOLD;
        return;
    }
    looks[kDesktop] = A_NORMAL;
    looks[kWindow] = A_NORMAL;
    looks[kCaption] = A_BOLD;
    looks[kField] = A_UNDERLINE;
    looks[kHighlight] = A_REVERSE;
    looks[kDisabled] = A_DIM;
    looks[kBar] = A_NORMAL;
    looks[kWarning] = A_REVERSE | A_BOLD;
}

void Canvas::Fill(const Cells &cells, attr_t attr) const
{
    Cells c = Intersect(clip_, cells);
    for (int y = c.top; y < c.bottom; y++) {
        move(y, c.left);
        for (int x = c.left; x < c.right; x++) addch(' ' | attr);
    }
}

void Canvas::Put(int x, int y, chtype ch) const
{
    if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) return;
    mvaddch(y, x, ch);
}

void Canvas::Text(int x, int y, const std::string &text, attr_t attr, int width) const
{
    if (y < clip_.top || y >= clip_.bottom) return;
    int count = width < 0 ? (int)text.size() : std::min(width, (int)text.size());
    int first = std::max(0, clip_.left - x);
    int last = std::min(count, clip_.right - x);
    if (first >= last) return;
    move(y, x + first);
    for (int i = first; i < last; i++) {
        unsigned char c = (unsigned char)text[(size_t)i];
        // Control characters take no cell; bytes above ASCII have no glyph in this mode.
        addch((c < 0x20 || c == 0x7F ? ' ' : c >= 0x80 ? '?' : c) | attr);
    }
}

void Canvas::Box(const Cells &cells, attr_t attr) const
{
    if (cells.Width() < 2 || cells.Height() < 2) return;
    int r = cells.right - 1, b = cells.bottom - 1;
    for (int x = cells.left + 1; x < r; x++) {
        Put(x, cells.top, kLineAcross | attr);
        Put(x, b, kLineAcross | attr);
    }
    for (int y = cells.top + 1; y < b; y++) {
        Put(cells.left, y, kLineDown | attr);
        Put(r, y, kLineDown | attr);
    }
    Put(cells.left, cells.top, kCorner | attr);
    Put(r, cells.top, kCorner | attr);
    Put(cells.left, b, kCorner | attr);
    Put(r, b, kCorner | attr);
}

}  // namespace tty

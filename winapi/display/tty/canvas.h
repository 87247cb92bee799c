/* Drawing in character cells on the terminal's screen, kept inside a clipping rectangle. */
#ifndef WINAPI_DISPLAY_TTY_CANVAS_H
#define WINAPI_DISPLAY_TTY_CANVAS_H

#include <curses.h>

#include <string>

namespace tty {

/* Plain ASCII for lines and marks: it shows the same on every terminal and in every locale. */
const chtype kLineAcross = '-';
const chtype kLineDown = '|';
const chtype kCorner = '+';
const chtype kFilled = '#';
const chtype kTrack = ':';

/* Cells from left/top up to, not including, right/bottom. */
struct Cells {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

Cells Intersect(const Cells &a, const Cells &b);
bool Overlap(const Cells &a, const Cells &b);

/* The looks the display uses, set up once colours are known. */
enum Look { kDesktop, kWindow, kCaption, kField, kHighlight, kDisabled, kBar, kWarning };
attr_t LookAttr(Look look);
void InitLooks();

class Canvas {
public:
    explicit Canvas(const Cells &clip) : clip_(clip) {}
    Canvas Within(const Cells &cells) const { return Canvas(Intersect(clip_, cells)); }
    const Cells &Clip() const { return clip_; }
    bool Empty() const { return clip_.Empty(); }

    void Fill(const Cells &cells, attr_t attr) const;
    void Put(int x, int y, chtype ch) const;
    /* Writes at most `width` characters of text from x (all of it for a negative width). */
    void Text(int x, int y, const std::string &text, attr_t attr, int width = -1) const;
    void Box(const Cells &cells, attr_t attr) const;

private:
    Cells clip_;
};

}  // namespace tty

#endif

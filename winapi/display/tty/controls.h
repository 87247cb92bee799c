/* How each kind of window looks in the terminal, drawn from its state as user32 keeps it. */
#ifndef WINAPI_DISPLAY_TTY_CONTROLS_H
#define WINAPI_DISPLAY_TTY_CONTROLS_H

#include <windows.h>

#include "canvas.h"

namespace tty {

/* Where the terminal's cursor belongs: in the control that has the focus. */
struct Cursor {
    HWND owner;  // the focused control it was placed for
    bool shown;
    int x, y;
};

/* The cells a window takes before static texts spread into free room: its own rectangle, or
 * for a single-line edit box the one row its text is on. */
Cells OccupiedCellsOf(HWND hwnd);

/* The cells a window draws in: as above; for a static text whose lines need more rows or
 * columns than it has (a terminal cell is coarser than the platform's font), also free room
 * beside and below it that no other control of its parent takes. */
Cells ExtentOf(HWND hwnd);

/* Draws the window's own face (not its children) on the canvas, clipped to it. */
void DrawWindow(const Canvas &canvas, HWND hwnd, Cursor *cursor);

/* The frame of a top-level window: border and caption. */
void DrawFrame(const Canvas &canvas, HWND hwnd);

}  // namespace tty

#endif

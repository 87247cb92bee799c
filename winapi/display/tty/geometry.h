/* Where windows lie on the terminal: one character cell is 4 by 8 dialog units, and one
 * dialog unit is one pixel of user32's screen. The lowest top-level window is centred. */
#ifndef WINAPI_DISPLAY_TTY_GEOMETRY_H
#define WINAPI_DISPLAY_TTY_GEOMETRY_H

#include <windows.h>

#include "canvas.h"

namespace tty {

const int kCellWidth = 4;
const int kCellHeight = 8;

/* Places the screen's pixel origin in the terminal so that `main` (with its frame) is centred,
 * or at the top left when the terminal is too small for it; returns whether that moved it. */
bool PlaceOrigin(HWND main, int columns, int lines);

/* A window's rectangle in cells: edges rounded down, never narrower or lower than one cell
 * when it has any size at all. */
Cells CellsOf(HWND hwnd);

/* The row of a line of text centred in a window's height, as a single-line edit box centres
 * its text, so that a box sits on the row of the label beside it. */
int CentredLineRow(HWND hwnd);

/* A top-level window with its frame: one cell around it when it has a border or caption. */
bool HasFrame(HWND hwnd);
Cells FrameOf(HWND hwnd);

}  // namespace tty

#endif

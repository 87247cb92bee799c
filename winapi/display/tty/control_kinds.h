/* What the drawing of each kind of control shares, and the drawing functions themselves:
 * one file per kind. */
#ifndef WINAPI_DISPLAY_TTY_CONTROL_KINDS_H
#define WINAPI_DISPLAY_TTY_CONTROL_KINDS_H

#include <windows.h>

#include <string>

#include "canvas.h"
#include "controls.h"

namespace tty {

std::string TextOf(HWND hwnd);
DWORD StyleOf(HWND hwnd);
attr_t FaceAttr(HWND hwnd);  // the look of a control's face: disabled or not
void PlaceCursor(Cursor *cursor, int x, int y);
/* A border (WS_BORDER or a client edge) drawn around `own`; returns the cells inside it. */
Cells DrawBorder(const Canvas &canvas, HWND hwnd, const Cells &own, attr_t attr);

Cells StaticExtent(HWND hwnd, const Cells &own);
void DrawStatic(const Canvas &canvas, HWND hwnd, const Cells &own);
void DrawButton(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor);
void DrawEdit(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor);
void DrawProgress(const Canvas &canvas, HWND hwnd, const Cells &own);
void DrawTreeView(const Canvas &canvas, HWND hwnd, const Cells &own, bool focused, Cursor *cursor);

}  // namespace tty

#endif

/* The terminal display: windows drawn with curses, keys read from the terminal. The Linux
 * setup program uses it when standard input and output are a terminal. */
#ifndef WINAPI_DISPLAY_TTY_H
#define WINAPI_DISPLAY_TTY_H

#include "../display.h"

extern const WinapiDisplay winapi_tty_display;

#endif

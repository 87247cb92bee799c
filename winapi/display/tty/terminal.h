/* The terminal while windows are shown: curses on standard input and output, and the way back
 * to the terminal as it was on every way the program can end. */
#ifndef WINAPI_DISPLAY_TTY_TERMINAL_H
#define WINAPI_DISPLAY_TTY_TERMINAL_H

namespace tty {

/* Takes over the terminal; FALSE (with a message on standard error) when curses cannot. */
bool TerminalOpen();
/* Gives the terminal back; safe to call more than once and from a signal handler. */
void TerminalRestore();
/* Standard input's descriptor, for waiting on keys. */
int TerminalInput();

}  // namespace tty

#endif

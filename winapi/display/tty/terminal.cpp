#include "terminal.h"

#include <curses.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include "canvas.h"

namespace tty {
namespace {

SCREEN *screen;
volatile sig_atomic_t active;
// What the program writes on standard error while the screen is taken would vanish with the
// screen; it is kept aside and shown once the terminal is back.
int saved_stderr = -1;
int held_stderr = -1;

void HoldStandardError()
{
    fflush(stderr);
    held_stderr = memfd_create("tty-stderr", 0);
    if (held_stderr < 0) return;
    saved_stderr = dup(STDERR_FILENO);
    if (saved_stderr < 0 || dup2(held_stderr, STDERR_FILENO) < 0) {
        close(held_stderr);
        held_stderr = -1;
    }
}

/* Only async-signal-safe calls: this also runs from signal handlers. */
void ReleaseStandardError()
{
    if (held_stderr < 0) return;
    dup2(saved_stderr, STDERR_FILENO);
    char buffer[4096];
    ssize_t got;
    lseek(held_stderr, 0, SEEK_SET);
    while ((got = read(held_stderr, buffer, sizeof buffer)) > 0)
        if (write(STDERR_FILENO, buffer, (size_t)got) < 0) break;
    close(held_stderr);
    close(saved_stderr);
    held_stderr = saved_stderr = -1;
}

void RestoreAtExit()
{
    fflush(stderr);
    TerminalRestore();
}

/* The terminal comes back first; then the signal does what it would have done. */
void OnSignal(int sig)
{
    TerminalRestore();
    raise(sig);  // the handler was reset, so this ends the program once the handler returns
}

void CatchEndingSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    // Interrupts and kills, and the crashes: a broken program must not leave the terminal raw.
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        sigaction(sig, &action, nullptr);
}

}  // namespace

bool TerminalOpen()
{
    screen = newterm(nullptr, stdout, stdin);
    if (!screen) {
        fprintf(stderr, "%s: cannot use this terminal (TERM=%s)\n", program_invocation_short_name,
                getenv("TERM") ? getenv("TERM") : "");
        return false;
    }
    set_term(screen);
    cbreak();  // Ctrl+C still interrupts
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);
    set_escdelay(25);
    InitLooks();
    active = 1;
    HoldStandardError();
    atexit(RestoreAtExit);
    CatchEndingSignals();
    return true;
}

void TerminalRestore()
{
    if (!active) return;
    active = 0;
    endwin();
    ReleaseStandardError();
}

int TerminalInput()
{
    return STDIN_FILENO;
}

}  // namespace tty

/* Keys from the terminal, as the platform's keyboard would give them. */
#ifndef WINAPI_DISPLAY_TTY_KEYS_H
#define WINAPI_DISPLAY_TTY_KEYS_H

namespace tty {

/* Reads every key that is waiting and queues it for the focus window; returns whether the
 * terminal was resized meanwhile. */
bool ReadKeys();

}  // namespace tty

#endif

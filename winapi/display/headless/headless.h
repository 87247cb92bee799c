/* The headless display: draws nothing and has no input; waiting only lets time pass. Tests
 * and the scenario driver use it. */
#ifndef WINAPI_DISPLAY_HEADLESS_H
#define WINAPI_DISPLAY_HEADLESS_H

#include "../display.h"

extern const WinapiDisplay winapi_headless_display;

#endif

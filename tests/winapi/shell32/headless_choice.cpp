// The Linux build of a program that needs no terminal: its windows go to the headless display,
// chosen before main as a preloaded driver would choose it.
#include <winapi_linux.h>

static const bool g_headless = WinapiUseDisplay("headless");

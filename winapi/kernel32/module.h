// The program's own module as kernel32 sees it.
#ifndef WINAPI_KERNEL32_MODULE_H
#define WINAPI_KERNEL32_MODULE_H

#include <string>

#include "windef.h"

// The program's module handle: the address at which its image starts, as on Windows.
HMODULE ProgramModule();

// The Windows path of the program's file.
std::string ProgramFileName();

#endif

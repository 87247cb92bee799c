/* What the parts of comctl32 share among themselves. */
#ifndef WINAPI_COMCTL32_PRIVATE_H
#define WINAPI_COMCTL32_PRIVATE_H

#include <windows.h>

/* Registers the library's window classes once, so that dialog templates naming them work. */
void RegisterCommonControlClasses(void);

void ProgressRegisterClass(void);
void TreeViewRegisterClass(void);

/* LoadStringA's work, on the module's resources through kernel32. */

#endif

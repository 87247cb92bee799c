/* What the parts of comctl32 share among themselves. */
#ifndef WINAPI_COMCTL32_PRIVATE_H
#define WINAPI_COMCTL32_PRIVATE_H

/* Registers the library's window classes once, so that dialog templates naming them work. */
void RegisterCommonControlClasses(void);

void ProgressRegisterClass(void);

#endif

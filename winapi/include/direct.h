/* Folders of the C run-time library, as <direct.h> declares them on Windows. */
#ifndef WINAPI_DIRECT_H
#define WINAPI_DIRECT_H

#ifdef __cplusplus
extern "C" {
#endif

/* Creates the folder (a Windows path): 0, or -1 with errno EEXIST when the name exists and
 * ENOENT when the path leading to it does not. */
int _mkdir(const char *dirname);

#ifdef __cplusplus
}
#endif

#endif

/* What a shell link gives back through IShellLinkA once loaded from its file, as a program
 * reading the link sees it. Builds over the Linux build's winapi and with mingw-w64. */
#ifndef TESTS_COMMON_LINK_TEXT_H
#define TESTS_COMMON_LINK_TEXT_H

#include <windows.h>

#include <string>

struct LinkText {
    std::string target, arguments, workdir, description;
};

/* Loads the link file at a Windows path into a new shell link object and reads it back, the
 * target through GetPath with pathFlags. COM is the caller's to initialise. S_OK, or the
 * HRESULT of the step that failed. */
HRESULT ReadLinkText(const char *path, DWORD pathFlags, LinkText &text);

#endif

// Shell links for the installed game: one on the desktop, in the programs folder or in a
// program group inside it, each written by CreateShellLink.
#ifndef FVPSETUP_INSTALL_SHORTCUTS_H
#define FVPSETUP_INSTALL_SHORTCUTS_H

#include <windows.h>

// "<desktop>\<lpszTitle>.lnk", described by its title. lpszArguments may be NULL.
void CreateDesktopShortcut(LPCSTR lpszTitle, LPCSTR lpszTarget, LPCSTR lpszWorkingDir, LPCSTR lpszArguments);

// "<programs>\[<lpszGroup>\]<lpszTitle>.lnk"; the group folder is made first when it is
// missing. lpszGroup and lpszArguments may be NULL.
void CreateProgramsShortcut(LPCSTR lpszGroup, LPCSTR lpszTitle, LPCSTR lpszTarget, LPCSTR lpszWorkingDir,
                            LPCSTR lpszArguments);

// Writes the link file lpszLinkPath, replacing one of that name. lpszArguments may be NULL.
// Every failure is silent: the link is simply not there.
void CreateShellLink(LPCSTR lpszLinkPath, LPCSTR lpszDescription, LPCSTR lpszTarget, LPCSTR lpszWorkingDir,
                     LPCSTR lpszArguments);

#endif

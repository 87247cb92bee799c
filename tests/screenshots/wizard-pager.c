/* Steps the setup wizard page by page so that each page can be pictured.

     wizard-pager SETUP_EXE

   Starts SETUP_EXE. For each page in turn it waits until the wizard shows it, has it painted
   and prints "page N X Y WIDTH HEIGHT TITLE" (the window's place on the screen); then it reads
   commands from its input:
     hold     holds the setup program still (a page that moves on by itself stays for its
              picture) and answers "held"
     next     presses Next              wait     waits for the page to move on by itself
     cancel   presses Cancel and waits for the program to end
   Exit status 0 when the program ended after cancel, 1 when a wait ran out (with a line why). */
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <stdio.h>
#include <string.h>

static const DWORD WAIT_LIMIT_MS = 20000;
static const DWORD POLL_MS = 20;

struct Search {
    DWORD processId;
    HWND wizard;
};

/* The wizard is the program's visible top-level window with a Next or Finish button. */
static BOOL CALLBACK FindWizard(HWND hwnd, LPARAM lParam)
{
    struct Search *search = (struct Search *)lParam;
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId != search->processId || !IsWindowVisible(hwnd))
        return TRUE;
    if (GetDlgItem(hwnd, 0x3024) == NULL && GetDlgItem(hwnd, 0x3025) == NULL)
        return TRUE;
    search->wizard = hwnd;
    return FALSE;
}

static int CurrentPage(HWND wizard)
{
    DWORD_PTR page = 0, index = (DWORD_PTR)-1;
    if (!SendMessageTimeoutA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_BLOCK, 1000, &page) || page == 0)
        return -1;
    if (!SendMessageTimeoutA(wizard, PSM_HWNDTOINDEX, page, 0, SMTO_BLOCK, 1000, &index))
        return -1;
    return (int)index;
}

/* Waits until the wizard shows page INDEX (0-based); returns its window or NULL. */
static HWND WaitForPage(DWORD processId, int index)
{
    DWORD start = GetTickCount();
    do {
        struct Search search = { processId, NULL };
        EnumWindows(FindWizard, (LPARAM)&search);
        if (search.wizard != NULL && CurrentPage(search.wizard) == index)
            return search.wizard;
        Sleep(POLL_MS);
    } while (GetTickCount() - start < WAIT_LIMIT_MS);
    return NULL;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: wizard-pager SETUP_EXE\n");
        return 2;
    }
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    if (!CreateProcessA(argv[1], NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "wizard-pager: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }

    for (int index = 0;; index++) {
        HWND wizard = WaitForPage(process.dwProcessId, index);
        if (wizard == NULL) {
            fprintf(stderr, "wizard-pager: page %d did not show within %lu ms\n", index + 1, WAIT_LIMIT_MS);
            TerminateProcess(process.hProcess, 1);
            return 1;
        }
        /* Drawn as the active window, as it is on a desktop where it was just started: with no
           window manager on the virtual screen, Wine leaves it looking inactive. */
        SetForegroundWindow(wizard);
        SendMessageTimeoutA(wizard, WM_NCACTIVATE, TRUE, 0, SMTO_BLOCK, 1000, NULL);
        RedrawWindow(wizard, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        DWORD_PTR ignored;
        SendMessageTimeoutA(wizard, WM_NULL, 0, 0, SMTO_BLOCK, 1000, &ignored);

        char title[256] = "";
        GetWindowTextA(wizard, title, sizeof(title));
        RECT place;
        GetWindowRect(wizard, &place);
        printf("page %d %ld %ld %ld %ld %s\n", index + 1, place.left, place.top, place.right - place.left,
               place.bottom - place.top, title);
        fflush(stdout);

        char command[64];
        BOOL held = FALSE;
        for (;;) {
            if (fgets(command, sizeof(command), stdin) == NULL)
                strcpy(command, "cancel");
            command[strcspn(command, "\r\n")] = '\0';
            if (strcmp(command, "hold") != 0)
                break;
            if (!held && SuspendThread(process.hThread) != (DWORD)-1)
                held = TRUE;
            printf("held\n");
            fflush(stdout);
        }
        if (held)
            ResumeThread(process.hThread);

        if (strcmp(command, "next") == 0) {
            PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        } else if (strcmp(command, "cancel") == 0) {
            PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            if (WaitForSingleObject(process.hProcess, WAIT_LIMIT_MS) != WAIT_OBJECT_0) {
                fprintf(stderr, "wizard-pager: the setup program did not end after Cancel\n");
                TerminateProcess(process.hProcess, 1);
                return 1;
            }
            return 0;
        } else if (strcmp(command, "wait") != 0) {
            fprintf(stderr, "wizard-pager: unknown command \"%s\"\n", command);
            TerminateProcess(process.hProcess, 1);
            return 1;
        }
    }
}

/* Initialisation of the common controls: registering their window classes. */
#include <windows.h>
#include <commctrl.h>

#include "comctl32_private.h"

void RegisterCommonControlClasses(void)
{
    static bool registered;
    if (registered)
        return;
    registered = true;
    ProgressRegisterClass();
    TreeViewRegisterClass();
}

/***********************************************************************
 *      InitCommonControls   (COMCTL32.@)
 */
void WINAPI InitCommonControls(void)
{
    RegisterCommonControlClasses();
}

/***********************************************************************
 *      InitCommonControlsEx   (COMCTL32.@)
 *
 * FALSE when the structure is not the one this version knows.
 */
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX *picce)
{
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    if (picce->dwICC & (ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES))
        RegisterCommonControlClasses();
    return TRUE;
}

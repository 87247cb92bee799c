// A program that only asks for a folder with the shell's browser, for the terminal tests:
// what was chosen goes to standard error, which shows once the terminal is given back.
#include <stdio.h>
#include <windows.h>
#include <shlobj.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CoInitialize(NULL);
    BROWSEINFOA info = {};
    char name[MAX_PATH] = "";
    info.pszDisplayName = name;
    info.lpszTitle = "Choose a directory";
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    char path[MAX_PATH] = "";
    if (chosen) SHGetPathFromIDListA(chosen, path);
    fprintf(stderr, "chosen=[%s]\n", chosen ? path : "none");
    CoUninitialize();
    return 0;
}

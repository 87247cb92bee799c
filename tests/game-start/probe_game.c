/* Stands in for the game in the scenarios of what Finish starts: a 64-bit Windows program,
   so that any x86_64 Wine runs it, which writes where and how it was started to
   "started.txt" in its current folder and ends. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    char folder[MAX_PATH], text[2 * MAX_PATH + 64];
    DWORD written;
    HANDLE file;
    int length;
    (void)hInstance;
    (void)hPrevInstance;
    (void)lpCmdLine;
    (void)nShowCmd;

    if (!GetCurrentDirectoryA(sizeof(folder), folder))
        return 1;
    length = wsprintfA(text, "started in %s\r\ncommand line %s\r\n", folder, GetCommandLineA());
    file = CreateFileA("started.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    if (!WriteFile(file, text, (DWORD)length, &written, NULL) || written != (DWORD)length) {
        CloseHandle(file);
        return 1;
    }
    return CloseHandle(file) ? 0 : 1;
}

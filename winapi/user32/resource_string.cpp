/* LoadStringA: texts from the string table of a module's resources. */
#include <windows.h>

/* The table keeps strings in blocks of 16 (RT_STRING resource id / 16 + 1), each a
 * length-prefixed UTF-16 text; ANSI here is Latin-1. Returns the length copied, 0 when the
 * string is absent or empty. */
int WINAPI LoadStringA(HINSTANCE hInstance, UINT id, LPSTR buffer, int bufferSize)
{
    if (!buffer || bufferSize <= 0)
        return 0;
    buffer[0] = '\0';
    HRSRC block = FindResourceA(hInstance, MAKEINTRESOURCEA((id >> 4) + 1), RT_STRING);
    if (!block)
        return 0;
    const WORD *p = (const WORD *)LockResource(LoadResource(hInstance, block));
    if (!p)
        return 0;
    for (UINT i = 0; i < (id & 15); i++)
        p += 1 + *p;
    int length = *p++;
    int copied = 0;
    for (; copied < length && copied < bufferSize - 1; copied++)
        buffer[copied] = p[copied] < 0x100 ? (char)p[copied] : '?';
    buffer[copied] = '\0';
    return copied;
}

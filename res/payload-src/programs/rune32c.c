/* Sample support library of the payload: deals and shuffles a deck with a
   small generator, so that a game can replay a deal from its number. */
#include <windows.h>

#define RUNE_API __declspec(dllexport)

RUNE_API DWORD WINAPI RuneVersion(void)
{
    return MAKELONG(4, 2);
}

/* Fills deck[0..51] with the cards 0..51 in the order of deal number `deal`. */
RUNE_API void WINAPI RuneShuffle(DWORD deal, BYTE deck[52])
{
    DWORD state = deal;
    int i;

    for (i = 0; i < 52; ++i)
        deck[i] = (BYTE)i;
    for (i = 51; i > 0; --i) {
        int j;
        BYTE swap;
        state = state * 214013u + 2531011u;
        j = (int)((state >> 16) % (DWORD)(i + 1));
        swap = deck[i];
        deck[i] = deck[j];
        deck[j] = swap;
    }
}

BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpvReserved)
{
    (void)hinstDLL;
    (void)fdwReason;
    (void)lpvReserved;
    return TRUE;
}

// Prints what our WinExec returns for one command line, in the prefix WINEPREFIX names, so
// that a script can hold it against what Wine does with the same program.
#include <stdio.h>

#include "winbase.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: winexec_run COMMAND_LINE\n");
        return 2;
    }
    printf("%u\n", WinExec(argv[1], 1));
    return 0;
}

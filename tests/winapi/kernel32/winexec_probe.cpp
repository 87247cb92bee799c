// A host program for the WinExec tests: writes where and how it was started to the file
// named by FVP_PROBE_OUT, whole (written aside, then renamed), so a reader never sees half.
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

int main(int argc, char **argv)
{
    const char *out = getenv("FVP_PROBE_OUT");
    if (!out)
        return 1;
    std::string part = std::string(out) + ".part";
    FILE *file = fopen(part.c_str(), "w");
    if (!file)
        return 1;
    char cwd[PATH_MAX], program[PATH_MAX];
    const char *prefix = getenv("WINEPREFIX");
    fprintf(file, "cwd=%s\n", getcwd(cwd, sizeof cwd) ? cwd : "?");
    fprintf(file, "program=%s\n", realpath(argv[0], program) ? program : argv[0]);
    fprintf(file, "prefix=%s\n", prefix ? prefix : "");
    fprintf(file, "session=%ld\n", (long)getsid(0));
    for (int i = 1; i < argc; ++i)
        fprintf(file, "arg=%s\n", argv[i]);
    fclose(file);
    return rename(part.c_str(), out) == 0 ? 0 : 1;
}

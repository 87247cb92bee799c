#include "bench_prefix.h"

#include <stdlib.h>

#include <windows.h>
#include <winapi_linux.h>

std::string EnterScratchPrefix()
{
    char base[] = "/tmp/fvp-bench-XXXXXX";
    if (!mkdtemp(base))
        return std::string();
    std::string folder = base;
    setenv("WINEPREFIX", (folder + "/prefix").c_str(), 1);
    WinapiUseDisplay("headless");
    return folder;
}

int LeaveScratchPrefix(const std::string &folder)
{
    unsetenv("WINEPREFIX");
    return system(("rm -rf '" + folder + "'").c_str()) == 0 ? 0 : 1;
}

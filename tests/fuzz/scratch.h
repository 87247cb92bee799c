// Host files for the targets that read through a path: a folder for the whole run, and the
// input written whole into one file of it before each run.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

// A new folder under /tmp named after the target; the run ends at once when there is none.
inline std::string ScratchFolder(const std::string &target)
{
    std::string name = "/tmp/fvp-fuzz-" + target + "-XXXXXX";
    if (!mkdtemp(&name[0]))
        abort();
    return name;
}

inline void WriteWhole(const std::string &path, const uint8_t *data, size_t size)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0)
        abort();
}

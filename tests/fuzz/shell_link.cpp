// prefixdump decodes the links left in a prefix, which another program may have written.
// Decoding any bytes must stay inside them.
#include <stdint.h>

#include <string>
#include <vector>

#include "shell_link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Held by a string of its own, so that a read past the file's end is caught.
    std::string bytes((const char *)data, size);
    std::vector<std::string> lines;
    std::string error;
    DecodeShellLinkBytes(bytes, lines, error);
    return 0;
}

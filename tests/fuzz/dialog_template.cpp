// Dialog templates come from the program's resources and from the pages' callers. Reading
// one must stay inside the bytes it was given, and a template it accepts must fit in them.
#include <stdint.h>
#include <stdlib.h>

#include <vector>

#include "../../winapi/user32/dialog_template.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of exactly `size` bytes, so that a read past them is caught.
    std::vector<uint8_t> bytes(data, data + size);
    user32::DialogTemplate tmpl;
    if (user32::ParseDialogTemplate(bytes.data(), bytes.size(), &tmpl) && tmpl.size > size)
        abort();
    return 0;
}

// The program's resources are read from its own file, which may arrive cut or damaged.
// Reading the table must stay inside the bytes, whatever they hold.
#include <stdint.h>
#include <stdlib.h>

#include "resource_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    unsigned sum = 0;
    for (const ResourceEntry &entry : ReadResourceTable(data, size)) {
        if (entry.data < data || entry.data + entry.size > data + size)
            abort();
        // Every byte of every entry is touched, so that a read outside the input is caught.
        for (DWORD i = 0; i < entry.size; i++)
            sum += entry.data[i];
    }
    volatile unsigned keep = sum;
    (void)keep;
    return 0;
}

// The registry files are the user's: written by Wine, or edited by hand. Whatever the text,
// reading must not crash or hang, and what was read, and every line that was not understood,
// must come back whole after a rewrite.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "regfile.h"

namespace {

bool SameValues(const RegKey &a, const RegKey &b)
{
    if (a.values.size() != b.values.size())
        return false;
    for (size_t i = 0; i < a.values.size(); i++) {
        const RegValue &x = a.values[i], &y = b.values[i];
        if (x.name != y.name || x.type != y.type || x.data != y.data)
            return false;
    }
    return true;
}

// Names, classes, links and values of the two trees; walked with a list of pairs, since a
// hostile file nests keys deeper than any stack.
bool SameTree(const RegKey &a, const RegKey &b)
{
    std::vector<std::pair<const RegKey *, const RegKey *>> pending{{&a, &b}};
    while (!pending.empty()) {
        const RegKey &x = *pending.back().first, &y = *pending.back().second;
        pending.pop_back();
        if (x.name != y.name || x.hasClass != y.hasClass || x.keyClass != y.keyClass || x.isLink != y.isLink ||
            !SameValues(x, y) || x.unparsedLines != y.unparsedLines || x.orphanLines != y.orphanLines ||
            x.subkeys.size() != y.subkeys.size())
            return false;
        for (size_t i = 0; i < x.subkeys.size(); i++)
            pending.push_back({x.subkeys[i].get(), y.subkeys[i].get()});
    }
    return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text((const char *)data, size);
    RegKey parsed;
    RegFileHeader header;
    if (!ParseRegistryText(text, parsed, header))
        return 0;
    std::string written = FormatRegistryText(parsed, header);
    RegKey reread;
    RegFileHeader rereadHeader;
    if (!ParseRegistryText(written, reread, rereadHeader))
        abort();
    if (rereadHeader.relativeTo != header.relativeTo || rereadHeader.arch != header.arch ||
        rereadHeader.unparsedLines != header.unparsedLines || !SameTree(parsed, reread))
        abort();
    if (FormatRegistryText(reread, rereadHeader) != written)
        abort();
    return 0;
}

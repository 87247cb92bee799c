// Keys and values in memory: lookup and insertion in Wine's sorted order.
#include "regtree.h"

#include <time.h>

#include "../kernel32/codepage.h"

// Lower case of a UTF-16 unit for the scripts a Western code page reaches: Latin, Greek,
// Cyrillic.
static char16_t LowerUnit(char16_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x178)
        return 0xFF;
    if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && !(c & 1))
        return c + 1;
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && (c & 1))
        return c + 1;
    return c;
}

int CompareNames(const std::u16string &a, const std::u16string &b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; i++) {
        int d = (int)LowerUnit(a[i]) - (int)LowerUnit(b[i]);
        if (d)
            return d;
    }
    return (int)a.size() - (int)b.size();
}

std::u16string LowerName(const std::u16string &name)
{
    std::u16string lower = name;
    for (char16_t &c : lower)
        c = LowerUnit(c);
    return lower;
}

template <class T, class Name>
static T *BinarySearch(const std::vector<T> &items, const std::u16string &name, Name nameOf, size_t *index)
{
    size_t lo = 0, hi = items.size();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        int res = CompareNames(nameOf(items[mid]), name);
        if (res == 0) {
            if (index)
                *index = mid;
            return const_cast<T *>(&items[mid]);
        }
        if (res > 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    if (index)
        *index = lo;
    return nullptr;
}

RegKey *RegKey::FindSubkey(const std::u16string &wanted, size_t *index) const
{
    auto found = BinarySearch(subkeys, wanted, [](const std::unique_ptr<RegKey> &k) -> const std::u16string & { return k->name; },
                              index);
    return found ? found->get() : nullptr;
}

RegValue *RegKey::FindValue(const std::u16string &wanted, size_t *index)
{
    return BinarySearch(values, wanted, [](const RegValue &v) -> const std::u16string & { return v.name; }, index);
}

RegKey::~RegKey()
{
    // Freed one key at a time: a file may nest keys deeper than destructors could recurse.
    std::vector<std::unique_ptr<RegKey>> pending = std::move(subkeys);
    while (!pending.empty()) {
        std::unique_ptr<RegKey> key = std::move(pending.back());
        pending.pop_back();
        for (std::unique_ptr<RegKey> &sub : key->subkeys)
            pending.push_back(std::move(sub));
        key->subkeys.clear();
    }
}

const RegValue *RegKey::FindValue(const std::u16string &wanted) const
{
    return BinarySearch(values, wanted, [](const RegValue &v) -> const std::u16string & { return v.name; }, nullptr);
}

// One key's own contents, without its subkeys.
static std::unique_ptr<RegKey> CopyOfKey(const RegKey &key)
{
    auto copy = std::make_unique<RegKey>();
    copy->name = key.name;
    copy->keyClass = key.keyClass;
    copy->hasClass = key.hasClass;
    copy->isLink = key.isLink;
    copy->isVolatile = key.isVolatile;
    copy->modified = key.modified;
    copy->values = key.values;
    copy->mounted = key.mounted;
    return copy;
}

std::unique_ptr<RegKey> CloneKey(const RegKey &key)
{
    // A walk with a stack of its own: a tree may nest deeper than calls could recurse.
    std::unique_ptr<RegKey> root = CopyOfKey(key);
    std::vector<std::pair<const RegKey *, RegKey *>> pending = {{&key, root.get()}};
    while (!pending.empty()) {
        const RegKey *from = pending.back().first;
        RegKey *to = pending.back().second;
        pending.pop_back();
        to->subkeys.reserve(from->subkeys.size());
        for (const auto &sub : from->subkeys) {
            to->subkeys.push_back(CopyOfKey(*sub));
            pending.push_back({sub.get(), to->subkeys.back().get()});
        }
    }
    return root;
}

RegKey *RegKey::AddSubkey(const std::u16string &subName, ULONGLONG time)
{
    size_t index;
    if (RegKey *existing = FindSubkey(subName, &index))
        return existing;
    auto key = std::make_unique<RegKey>();
    key->name = subName;
    key->modified = time;
    RegKey *raw = key.get();
    subkeys.insert(subkeys.begin() + index, std::move(key));
    return raw;
}

ULONGLONG CurrentFileTime()
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    const ULONGLONG ticks1601To1970 = 116444736000000000ULL;
    return ticks1601To1970 + (ULONGLONG)ts.tv_sec * 10000000ULL + (ULONGLONG)ts.tv_nsec / 100;
}

std::u16string AnsiToWide(const char *text, size_t length)
{
    std::u16string wide;
    wide.reserve(length);
    for (size_t i = 0; i < length; i++)
        wide.push_back(AnsiToUnicode((unsigned char)text[i]));
    return wide;
}

std::string WideToAnsi(const std::u16string &text)
{
    std::string ansi;
    ansi.reserve(text.size());
    for (char16_t w : text) {
        unsigned char c;
        ansi.push_back(UnicodeToAnsi(w, c) ? (char)c : '?');
    }
    return ansi;
}

std::vector<std::u16string> SplitPath(const std::u16string &path)
{
    std::vector<std::u16string> names;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(u'\\', start);
        if (end == std::u16string::npos)
            end = path.size();
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

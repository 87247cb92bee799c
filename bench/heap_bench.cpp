// The heap that the copy page's installation of this program's payload needs at its peak,
// in bytes. Built around payloads of different sizes: the figures must not grow with the
// payload, since no payload is ever held decompressed in memory.
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>

#include <atomic>
#include <string>

#include <windows.h>
#include <winapi_linux.h>

#include "CopyPage.h"
#include "bench_prefix.h"

extern "C" void *__libc_malloc(size_t size);
extern "C" void *__libc_calloc(size_t count, size_t size);
extern "C" void *__libc_realloc(void *p, size_t size);
extern "C" void __libc_free(void *p);

namespace {

std::atomic<long> g_inUse;
std::atomic<long> g_peak;

void Count(void *p, long sign)
{
    if (!p)
        return;
    long now = g_inUse += sign * (long)malloc_usable_size(p);
    long peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}

class BenchCopyPage : public CCopyPage
{
public:
    using CCopyPage::InstallFiles;
};

} // namespace

// Every allocation of the process passes through these counters.
extern "C" void *malloc(size_t size)
{
    void *p = __libc_malloc(size);
    Count(p, 1);
    return p;
}

extern "C" void *calloc(size_t count, size_t size)
{
    void *p = __libc_calloc(count, size);
    Count(p, 1);
    return p;
}

extern "C" void *realloc(void *old, size_t size)
{
    Count(old, -1);
    void *p = __libc_realloc(old, size);
    Count(p ? p : old, 1);
    return p;
}

extern "C" void free(void *p)
{
    Count(p, -1);
    __libc_free(p);
}

int main()
{
    std::string dir = EnterScratchPrefix();
    if (dir.empty())
        return 1;
    CreateDirectoryA("C:\\install", NULL);

    BenchCopyPage page;
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof szTemp, szTemp);
    page.m_strTempDir = szTemp;
    page.m_strInstallDir = "C:\\install\\";

    long before = g_inUse;
    g_peak = before;
    page.InstallFiles();
    printf("%ld\n", (long)g_peak - before);

    return LeaveScratchPrefix(dir);
}

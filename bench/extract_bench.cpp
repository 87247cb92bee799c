// The copy page's extraction of the 21 rows (temporary copy, inflate, delete) against the
// floor: each payload inflated in memory and its file written once.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include <windows.h>
#include <winapi_linux.h>
#include <zlib.h>

#include "CopyPage.h"
#include "bench_clock.h"
#include "bench_prefix.h"

namespace {

// The page's installation of the payload, without a window around it.
class BenchCopyPage : public CCopyPage
{
public:
    using CCopyPage::InstallFiles;
};

void InflateInMemoryAndWrite(const char *pszFolder)
{
    std::vector<unsigned char> out;
    for (size_t i = 0; i < CATALOGUE_ROWS; i++) {
        const CatalogueRow &row = CATALOGUE[i];
        HRSRC hInfo = FindResourceA(NULL, MAKEINTRESOURCEA(row.nID), RT_RCDATA);
        const unsigned char *data = (const unsigned char *)LockResource(LoadResource(NULL, hInfo));
        z_stream zs = {};
        zs.next_in = (Bytef *)data;
        zs.avail_in = SizeofResource(NULL, hInfo);
        inflateInit(&zs);
        out.resize(1 << 20);
        int result;
        do {
            if (zs.total_out == out.size())
                out.resize(out.size() * 2);
            zs.next_out = out.data() + zs.total_out;
            zs.avail_out = (uInt)(out.size() - zs.total_out);
            result = inflate(&zs, Z_NO_FLUSH);
        } while (result == Z_OK);
        if (result != Z_STREAM_END)
            abort();
        FILE *f = fopen((std::string(pszFolder) + row.pszFileName).c_str(), "wb");
        fwrite(out.data(), 1, zs.total_out, f);
        fclose(f);
        inflateEnd(&zs);
    }
}

} // namespace

int main()
{
    std::string dir = EnterScratchPrefix();
    if (dir.empty())
        return 1;
    CreateDirectoryA("C:\\floor", NULL);
    CreateDirectoryA("C:\\install", NULL);

    BenchCopyPage page;
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof szTemp, szTemp);
    page.m_strTempDir = szTemp;
    page.m_strInstallDir = "C:\\install\\";

    double ratio = RatioOfBest([] { InflateInMemoryAndWrite("C:\\floor\\"); },
                               [&] { page.InstallFiles(); }, 9);
    printf("extract_vs_floor %.3f\n", ratio);

    return LeaveScratchPrefix(dir);
}

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
#include "resource.h"

namespace {

// The page's installation of the payload, without a window around it.
class BenchCopyPage : public CCopyPage
{
public:
    using CCopyPage::InstallFiles;
};

const struct
{
    UINT nID;
    const char *pszFileName;
} PAYLOAD[] = {
    {IDR_RUNE32C_DLL, "rune32c.dll"}, {IDR_BRAMBLECOTE_URL, "Bramblecote Studios.url"},
    {IDR_FVP_1_MID, "fvp_1.mid"}, {IDR_FVPAT_EXE, "fvpat.exe"}, {IDR_NOTES_DOC, "notes.doc"},
    {IDR_FVPAT_HLP, "fvpat.hlp"}, {IDR_TERMS_DOC, "terms.doc"}, {IDR_BLURB_DIZ, "blurb.diz"},
    {IDR_FVP_2_MID, "fvp_2.mid"}, {IDR_TUNES_TXT, "tunes.txt"},
    {IDR_TUNES_DIR_TXT, "tunes_dir.txt"}, {IDR_TEXTS_DAT, "texts.dat"},
    {IDR_FVP_3_MID, "fvp_3.mid"}, {IDR_FVP_VOYAGE_MID, "fvp_voyage.mid"},
    {IDR_SEED_RND, "seed.rnd"}, {IDR_CORE_GOB, "core.gob"}, {IDR_SHOP_GOB, "shop.gob"},
    {IDR_SHOP_EXE, "shop.exe"}, {IDR_PLAIN_DCK, "plain.dck"}, {IDR_MYSTIC_DCK, "mystic.dck"},
    {IDR_LARGE_DCK, "large.dck"},
};

void InflateInMemoryAndWrite(const char *pszFolder)
{
    std::vector<unsigned char> out;
    for (const auto &row : PAYLOAD) {
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
    char base[] = "/tmp/fvp-bench-XXXXXX";
    if (!mkdtemp(base))
        return 1;
    std::string dir = base;
    setenv("WINEPREFIX", (dir + "/prefix").c_str(), 1);
    WinapiUseDisplay("headless");
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

    unsetenv("WINEPREFIX");
    return system(("rm -rf '" + dir + "'").c_str()) == 0 ? 0 : 1;
}

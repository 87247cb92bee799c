// InflateFile, pump and callbacks included, against zlib's own streaming loop over the same
// file with fread/fwrite; and an empty-queue PeekMessageA.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include <windows.h>
#include <winapi_linux.h>
#include <zlib.h>

#include "FileInflater.h"
#include "bench_clock.h"
#include "bench_prefix.h"

namespace {

const size_t DATA_SIZE = 64u << 20;

// Runs of text that packs well between runs of bytes that do not pack.
std::vector<unsigned char> MixedData()
{
    std::vector<unsigned char> data(DATA_SIZE);
    unsigned seed = 2024;
    const char text[] = "Seven of hearts on the eight of spades; the stock turns over again. ";
    size_t i = 0;
    while (i < data.size()) {
        seed = seed * 1103515245 + 12345;
        size_t run = 256 + (seed >> 16) % 4096;
        bool random = (seed >> 8) & 1;
        for (size_t j = 0; j < run && i < data.size(); ++j, ++i) {
            if (random) {
                seed = seed * 1103515245 + 12345;
                data[i] = (unsigned char)(seed >> 24);
            } else {
                data[i] = (unsigned char)text[j % (sizeof text - 1)];
            }
        }
    }
    return data;
}

void WriteCompressed(const std::string &path, const std::vector<unsigned char> &data)
{
    uLongf size = compressBound(data.size());
    std::vector<unsigned char> packed(size);
    if (compress2(packed.data(), &size, data.data(), data.size(), Z_DEFAULT_COMPRESSION) != Z_OK)
        abort();
    FILE *f = fopen(path.c_str(), "wb");
    fwrite(packed.data(), 1, size, f);
    fclose(f);
}

// zlib's own loop: read a block, inflate until the output stops filling, write each block.
void ReferenceInflate(const std::string &source, const std::string &dest, size_t blockSize)
{
    std::vector<unsigned char> in(blockSize), out(blockSize);
    FILE *fin = fopen(source.c_str(), "rb");
    FILE *fout = fopen(dest.c_str(), "wb");
    z_stream zs = {};
    inflateInit(&zs);
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        zs.avail_in = (uInt)fread(in.data(), 1, blockSize, fin);
        if (zs.avail_in == 0)
            break;
        zs.next_in = in.data();
        do {
            zs.next_out = out.data();
            zs.avail_out = (uInt)blockSize;
            result = inflate(&zs, Z_NO_FLUSH);
            fwrite(out.data(), 1, blockSize - zs.avail_out, fout);
        } while (zs.avail_out == 0 && result == Z_OK);
    }
    inflateEnd(&zs);
    fclose(fin);
    fclose(fout);
}

double PeekEmptyNanoseconds()
{
    const int calls = 5000000;
    MSG msg;
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        double seconds = SecondsOf([&] {
            for (int i = 0; i < calls; ++i)
                PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);
        });
        if (seconds < best)
            best = seconds;
    }
    return best * 1e9 / calls;
}

} // namespace

int main()
{
    std::string dir = EnterScratchPrefix();
    if (dir.empty())
        return 1;

    std::string source = dir + "/payload.z", dest = dir + "/out.bin";
    WriteCompressed(source, MixedData());
    // The decompressor opens its files as the program does, by Windows path (Z: is /).
    std::string dosSource = "Z:" + source, dosDest = "Z:" + dest;
    for (char &c : dosSource)
        if (c == '/')
            c = '\\';
    for (char &c : dosDest)
        if (c == '/')
            c = '\\';

    CFileInflater inflater;
    auto inflateFile = [&] {
        if (inflater.InflateFile(dosSource.c_str(), dosDest.c_str()) != 0)
            abort();
    };
    double reference4k, reference16k, ours;
    double ratio4k = RatioOfBest([&] { ReferenceInflate(source, dest, 4096); }, inflateFile, 11,
                                 &reference4k, &ours);
    double ratio16k = RatioOfBest([&] { ReferenceInflate(source, dest, 16384); }, inflateFile, 11,
                                  &reference16k);
    fprintf(stderr, "best seconds: zlib 4 KiB %.4f, zlib 16 KiB %.4f, InflateFile %.4f\n",
            reference4k, reference16k, ours);
    printf("inflate_vs_zlib %.3f\n", ratio4k);
    printf("inflate_vs_zlib16k %.3f\n", ratio16k);
    printf("peek_empty_ns %.1f\n", PeekEmptyNanoseconds());

    return LeaveScratchPrefix(dir);
}

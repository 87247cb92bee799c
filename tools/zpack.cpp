// zpack: packs one file into one zlib stream (default level, so the stream
// starts 0x78 0x9C), the form in which the setup program carries each
// installed file.
//
//   zpack <input file> <output file>

#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

bool ReadWholeFile(const char* path, std::vector<unsigned char>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteWholeFile(const char* path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zpack <input file> <output file>\n");
        return 2;
    }

    std::vector<unsigned char> input;
    if (!ReadWholeFile(argv[1], input)) {
        std::fprintf(stderr, "zpack: cannot read %s\n", argv[1]);
        return 1;
    }

    uLongf packedSize = compressBound(static_cast<uLong>(input.size()));
    std::vector<unsigned char> packed(packedSize);
    int result = compress2(packed.data(), &packedSize, input.data(),
                           static_cast<uLong>(input.size()), Z_DEFAULT_COMPRESSION);
    if (result != Z_OK) {
        std::fprintf(stderr, "zpack: compress2 failed on %s (zlib error %d)\n", argv[1], result);
        return 1;
    }
    packed.resize(packedSize);

    if (!WriteWholeFile(argv[2], packed)) {
        std::fprintf(stderr, "zpack: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

// A payload stream is whatever the program's file holds, maybe damaged in transit.
// CFileInflater must end on any input, succeed exactly when zlib finds a complete stream,
// and then write what zlib decodes.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zlib.h>

#include <string>

#include "FileInflater.h"
#include "scratch.h"

namespace {

std::string g_source, g_dest;

void PrepareFiles()
{
    std::string folder = ScratchFolder("inflate");
    g_source = folder + "/stream.z";
    g_dest = folder + "/out";
}

// What zlib decodes of the stream, and whether the stream ended.
bool Decode(const uint8_t *data, size_t size, std::string &out)
{
    z_stream zs;
    memset(&zs, 0, sizeof zs);
    if (inflateInit(&zs) != Z_OK)
        abort();
    zs.next_in = (Bytef *)data;
    zs.avail_in = (uInt)size;
    int res;
    do {
        unsigned char buffer[4096];
        zs.next_out = buffer;
        zs.avail_out = sizeof buffer;
        res = inflate(&zs, Z_NO_FLUSH);
        out.append((const char *)buffer, sizeof buffer - zs.avail_out);
    } while (res == Z_OK && (zs.avail_in || !zs.avail_out));
    inflateEnd(&zs);
    return res == Z_STREAM_END;
}

std::string ReadFile(const std::string &path)
{
    std::string text;
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        abort();
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    fclose(file);
    return text;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (g_source.empty())
        PrepareFiles();
    WriteWhole(g_source, data, size);

    CFileInflater *inflater = new CFileInflater;
    int result = inflater->InflateFile(g_source.c_str(), g_dest.c_str());
    delete inflater;

    std::string expected;
    bool complete = Decode(data, size, expected);
    if ((result == 0) != complete)
        abort();
    if (complete && ReadFile(g_dest) != expected)
        abort();
    return 0;
}

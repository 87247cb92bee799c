// Checks that a built program (PE or ELF) or a compiled .res carries the
// installed files as it must: one RT_RCDATA resource per file under the
// file's id and no other, each a zlib stream with header 0x78 0x9C that
// inflates to exactly the file in the payload folder; and that the file is
// at least as large as the setup program's own completeness check demands.
//
//   res_payload_check <program or .res> <payload folder> [--min-size BYTES]

#include "rcdata_reader.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct CatalogueRow {
    std::uint32_t id;
    const char* name;
};

const CatalogueRow kCatalogue[] = {
    {2005, "rune32c.dll"}, {2006, "Bramblecote Studios.url"}, {2007, "fvp_1.mid"},
    {2004, "fvpat.exe"},   {2014, "notes.doc"},               {2016, "fvpat.hlp"},
    {2017, "terms.doc"},   {2018, "blurb.diz"},               {2050, "fvp_2.mid"},
    {2051, "tunes.txt"},   {2052, "tunes_dir.txt"},           {2054, "texts.dat"},
    {2055, "fvp_3.mid"},   {2056, "fvp_voyage.mid"},          {2057, "seed.rnd"},
    {2002, "core.gob"},    {2019, "shop.gob"},                {2015, "shop.exe"},
    {2021, "plain.dck"},   {2022, "mystic.dck"},              {2023, "large.dck"},
};

// The build's FVP_MIN_PROGRAM_SIZE, what the program's start-up check demands.
const unsigned long kMinimumProgramSize = FVP_MIN_PROGRAM_SIZE;

bool ReadFile(const std::string& path, Bytes& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Empty when the stream is well-formed and inflates to `expected` with
// nothing left over; otherwise what is wrong.
std::string CompareStream(const Bytes& stream, const Bytes& expected)
{
    if (stream.size() < 2 || stream[0] != 0x78 || stream[1] != 0x9C)
        return "does not start with 0x78 0x9C";
    Bytes inflated(expected.size() + 1);
    uLongf inflatedSize = inflated.size();
    uLong consumed = stream.size();
    int result = uncompress2(inflated.data(), &inflatedSize, stream.data(), &consumed);
    if (result == Z_BUF_ERROR && inflatedSize == inflated.size())
        return "inflates to more than the file's " + std::to_string(expected.size()) + " bytes";
    if (result != Z_OK)
        return "does not inflate (zlib error " + std::to_string(result) + ")";
    if (consumed != stream.size())
        return "has " + std::to_string(stream.size() - consumed) + " bytes after the zlib stream";
    inflated.resize(inflatedSize);
    if (inflated != expected)
        return "inflates to " + std::to_string(inflatedSize) + " bytes that differ from the file";
    return std::string();
}

} // namespace

int main(int argc, char** argv)
{
    unsigned long minimumSize = kMinimumProgramSize;
    if (argc == 5 && std::strcmp(argv[3], "--min-size") == 0) {
        minimumSize = std::strtoul(argv[4], nullptr, 10);
    } else if (argc != 3) {
        std::fprintf(stderr, "usage: res_payload_check <program or .res> <payload folder> [--min-size BYTES]\n");
        return 2;
    }
    const std::string programPath = argv[1];
    const std::string payloadDir = argv[2];

    Bytes program;
    if (!ReadFile(programPath, program)) {
        std::printf("cannot read %s\n", programPath.c_str());
        return 1;
    }
    RcDataById resources;
    std::string error;
    if (!ReadRcData(program, resources, error)) {
        std::printf("%s: %s\n", programPath.c_str(), error.c_str());
        return 1;
    }

    int faults = 0;
    if (program.size() < minimumSize) {
        std::printf("%s has %zu bytes, fewer than %lu\n", programPath.c_str(), program.size(), minimumSize);
        ++faults;
    }
    std::size_t packedTotal = 0;
    for (const CatalogueRow& row : kCatalogue) {
        auto found = resources.find(row.id);
        if (found == resources.end()) {
            std::printf("RCDATA %u (\"%s\") is missing\n", row.id, row.name);
            ++faults;
            continue;
        }
        Bytes expected;
        if (!ReadFile(payloadDir + "/" + row.name, expected)) {
            std::printf("cannot read the payload file \"%s\" in %s\n", row.name, payloadDir.c_str());
            ++faults;
        } else {
            std::string fault = CompareStream(found->second, expected);
            if (!fault.empty()) {
                std::printf("RCDATA %u (\"%s\") %s\n", row.id, row.name, fault.c_str());
                ++faults;
            }
        }
        packedTotal += found->second.size();
        resources.erase(found);
    }
    for (const auto& unexpected : resources) {
        std::printf("RCDATA %u is not an installed file\n", unexpected.first);
        ++faults;
    }

    std::printf("%s: %zu bytes, payload streams %zu bytes, %d fault(s)\n", programPath.c_str(), program.size(),
                packedTotal, faults);
    return faults == 0 ? 0 : 1;
}

// Reads the RT_RCDATA resources out of a compiled .res file, a PE program
// or an ELF program that carries a .res between winapi_resource_data and
// winapi_resource_data_end.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;
using RcDataById = std::map<std::uint32_t, Bytes>;

// Each returns false and says why in `error` when the image is malformed or
// names an RCDATA resource twice or by string.
bool ReadRcDataFromRes(const Bytes& res, RcDataById& out, std::string& error);
bool ReadRcDataFromPe(const Bytes& image, RcDataById& out, std::string& error);
bool ReadRcDataFromElf(const Bytes& image, RcDataById& out, std::string& error);

// Chooses the reader by the file's signature.
bool ReadRcData(const Bytes& file, RcDataById& out, std::string& error);

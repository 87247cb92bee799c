#include "setup_process.h"

std::string ApplicationNameFromPath(const std::string& path)
{
    size_t start = path.find_last_of("\\/:");
    std::string name = start == std::string::npos ? path : path.substr(start + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

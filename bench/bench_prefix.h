// A scratch machine for one benchmark run: a new folder whose "prefix" is the Wine-style
// prefix the program installs into, with the headless display chosen.
#pragma once

#include <string>

// The scratch folder, made and set as the prefix; empty when it cannot be made.
std::string EnterScratchPrefix();

// Leaves the prefix and removes the folder; the benchmark's exit status (0 when removed).
int LeaveScratchPrefix(const std::string &folder);

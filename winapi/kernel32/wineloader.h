// What runs a Windows program on this host: the `wine` on PATH, and whether the Wine it
// belongs to has the Windows side of the program's architecture.
#pragma once

#include <string>
#include <vector>

// The machine field of a PE image's file header (IMAGE_FILE_MACHINE_*), or 0 when the file
// is no PE image: too short, no "MZ", or no "PE\0\0" where its header says.
unsigned PeMachine(const std::string &host);

// `wine` in the host's PATH, as a shell would find it.
bool FindWine(std::string &path);

// Whether the Wine that `wine` belongs to can run programs of `machine`: it carries that
// architecture's Windows-side ntdll.dll (<root>/lib*/wine/<arch>-windows/, or under a
// multiarch folder <root>/lib*/<triplet>/wine/). A layout without any such folder is an
// installation we cannot read, and is trusted to run what it is given.
bool WineRunsMachine(const std::string &wine, unsigned machine);

// The environment of a program we start: ours, with WINEPREFIX naming our prefix.
std::vector<std::string> WineEnvironment();

#include "test_prefix.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include <windows.h>
#include <winapi_linux.h>

void TestPrefix::SetUp()
{
    char base[] = "/tmp/fvp-install-test-XXXXXX";
    ASSERT_NE(mkdtemp(base), nullptr);
    m_root = base;
    setenv("WINEPREFIX", m_root.c_str(), 1);
    // Lays the prefix out, as its first use by the program would.
    char szTemp[MAX_PATH];
    ASSERT_NE(GetTempPathA(sizeof szTemp, szTemp), 0u);
    static bool displayChosen = WinapiUseDisplay("headless");
    ASSERT_TRUE(displayChosen);
}

void TestPrefix::TearDown()
{
    unsetenv("WINEPREFIX");
    ASSERT_EQ(system(("rm -rf '" + m_root + "'").c_str()), 0);
}

std::string TestPrefix::HostPath(const std::string &relative) const
{
    return m_root + "/drive_c/" + relative;
}

void TestPrefix::WriteHostFile(const std::string &relative, const std::string &bytes) const
{
    std::ofstream(HostPath(relative), std::ios::binary) << bytes;
}

std::string TestPrefix::ReadHostFile(const std::string &relative) const
{
    std::ifstream in(HostPath(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool TestPrefix::HostFileExists(const std::string &relative) const
{
    struct stat st;
    return stat(HostPath(relative).c_str(), &st) == 0;
}

void TestPrefix::MakeHostFolder(const std::string &relative) const
{
    ASSERT_EQ(system(("mkdir -p '" + HostPath(relative) + "'").c_str()), 0);
}

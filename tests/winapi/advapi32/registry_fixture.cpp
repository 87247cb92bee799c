#include "registry_fixture.h"

#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

static int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    return remove(path);
}

void RegistryTest::SetUp()
{
    char base[] = "/tmp/regtest-XXXXXX";
    ASSERT_NE(mkdtemp(base), nullptr);
    m_base = base;
    m_root = m_base + "/prefix";
    mkdir(m_root.c_str(), 0777);
    setenv("WINEPREFIX", m_root.c_str(), 1);
}

void RegistryTest::TearDown()
{
    unsetenv("WINEPREFIX");
    nftw(m_base.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string RegistryTest::Dos(const std::string &name) const
{
    std::string path = "Z:" + Host(name);
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string RegistryTest::ReadHostFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void RegistryTest::ReplaceHostFile(const std::string &path, const std::string &contents)
{
    std::string temp = path + ".other";
    std::ofstream(temp, std::ios::binary) << contents;
    rename(temp.c_str(), path.c_str());
}

#include "prefix_fixture.h"

#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "winbase.h"

static int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    return remove(path);
}

void PrefixTest::SetUp()
{
    char base[] = "/tmp/k32test-XXXXXX";
    ASSERT_NE(mkdtemp(base), nullptr);
    m_base = base;
    m_root = m_base + "/prefix";
    m_scratch = m_base + "/scratch";
    mkdir(m_scratch.c_str(), 0777);
    setenv("WINEPREFIX", m_root.c_str(), 1);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
}

void PrefixTest::TearDown()
{
    unsetenv("WINEPREFIX");
    nftw(m_base.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void PrefixTest::WriteHostFile(const std::string &path, const std::string &contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

std::string PrefixTest::ReadHostFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool PrefixTest::HostExists(const std::string &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

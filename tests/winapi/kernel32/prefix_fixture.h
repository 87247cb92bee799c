// A fresh prefix for each test: WINEPREFIX points at a new temporary folder, and the
// current folder starts at C:\.
#ifndef TESTS_WINAPI_KERNEL32_PREFIX_FIXTURE_H
#define TESTS_WINAPI_KERNEL32_PREFIX_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

class PrefixTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host path of a file or folder under the prefix root.
    std::string Host(const std::string &relative) const { return m_root + "/" + relative; }
    // A host folder outside the prefix, removed with it.
    std::string Scratch() const { return m_scratch; }

    static void WriteHostFile(const std::string &path, const std::string &contents);
    static std::string ReadHostFile(const std::string &path);
    static bool HostExists(const std::string &path);

private:
    std::string m_base;
    std::string m_root;
    std::string m_scratch;
};

#endif

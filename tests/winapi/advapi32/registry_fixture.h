// A fresh, empty prefix for each registry test (WINEPREFIX points at a new temporary
// folder), with helpers to read and write its files as another process would.
#ifndef TESTS_WINAPI_ADVAPI32_REGISTRY_FIXTURE_H
#define TESTS_WINAPI_ADVAPI32_REGISTRY_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host path of a file in the prefix root ("system.reg").
    std::string Host(const std::string &name) const { return m_root + "/" + name; }
    // The same file as a Windows path through drive Z:.
    std::string Dos(const std::string &name) const;

    static std::string ReadHostFile(const std::string &path);
    // Replaces a file the way another process (or Wine) would: whole, by rename.
    static void ReplaceHostFile(const std::string &path, const std::string &contents);

private:
    std::string m_base;
    std::string m_root;
};

#endif

// A fresh Wine-style prefix for each test (WINEPREFIX points at a new folder, removed
// afterwards), the headless display, and the files of drive C: seen from the host.
#pragma once

#include <gtest/gtest.h>

#include <string>

class TestPrefix : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Host path of a name relative to C:\ (forward slashes).
    std::string HostPath(const std::string &relative) const;
    void WriteHostFile(const std::string &relative, const std::string &bytes) const;
    std::string ReadHostFile(const std::string &relative) const;
    bool HostFileExists(const std::string &relative) const;
    void MakeHostFolder(const std::string &relative) const;

    std::string m_root;
};

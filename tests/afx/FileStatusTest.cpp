// CFile::GetStatus on a file, a folder and a name that does not exist.
#include <gtest/gtest.h>

#include <afx.h>

namespace {

class FileStatusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_GT(GetTempPathA(MAX_PATH, m_szFolder), 0u);
        CreateDirectoryA(m_szFolder, NULL);
        m_strFile = CString(m_szFolder) + "afx_status.bin";
        HANDLE hFile = CreateFileA(m_strFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
        char bytes[1234] = {};
        DWORD nWritten = 0;
        WriteFile(hFile, bytes, sizeof(bytes), &nWritten, NULL);
        CloseHandle(hFile);
        ASSERT_EQ(nWritten, sizeof(bytes));
    }

    void TearDown() override { DeleteFileA(m_strFile); }

    char m_szFolder[MAX_PATH];
    CString m_strFile;
};

TEST_F(FileStatusTest, ReportsSizeAttributesAndFullName)
{
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(m_strFile, status));
    EXPECT_EQ(status.m_size, 1234);
    EXPECT_EQ(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);
    EXPECT_STREQ(status.m_szFullName, m_strFile);
}

TEST_F(FileStatusTest, FolderIsReportedAsFolder)
{
    CString strFolder(m_szFolder);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(strFolder.Left(strFolder.GetLength() - 1), status));
    EXPECT_NE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);
}

TEST_F(FileStatusTest, MissingFileIsNoStatus)
{
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(m_strFile + ".missing", status));
    EXPECT_FALSE(CFile::GetStatus(CString(m_szFolder) + "no such folder\\file", status));
}

} // namespace

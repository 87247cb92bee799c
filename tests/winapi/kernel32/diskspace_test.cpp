// GetDiskFreeSpaceA: the real file system behind a drive, the roots it accepts, and the
// counts for sizes a test forces (none free, 4 GiB and its multiples, too many clusters).
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "prefix_fixture.h"
#include "winapi_linux.h"
#include "winbase.h"
#include "winerror.h"

namespace {

const ULONGLONG kGiB = 1024ull * 1024 * 1024;
const ULONGLONG kTiB = 1024 * kGiB;

class DiskSpaceTest : public PrefixTest {
protected:
    void TearDown() override
    {
        WinapiClearDiskFreeSpaceOverrides();
        PrefixTest::TearDown();
    }
};

struct Counts {
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    ULONGLONG ClusterBytes() const { return (ULONGLONG)sectorsPerCluster * bytesPerSector; }
    ULONGLONG FreeBytes() const { return ClusterBytes() * freeClusters; }
    ULONGLONG TotalBytes() const { return ClusterBytes() * totalClusters; }
};

BOOL Query(LPCSTR root, Counts &c)
{
    return GetDiskFreeSpaceA(root, &c.sectorsPerCluster, &c.bytesPerSector, &c.freeClusters, &c.totalClusters);
}

TEST_F(DiskSpaceTest, CountsComeFromTheDrivesFileSystem)
{
    Counts c;
    ASSERT_TRUE(Query("C:\\", c));
    EXPECT_EQ(c.sectorsPerCluster, 8u);
    EXPECT_EQ(c.bytesPerSector, 512u);
    struct statvfs st;
    ASSERT_EQ(statvfs(Host("drive_c").c_str(), &st), 0);
    EXPECT_EQ(c.totalClusters, (ULONGLONG)st.f_frsize * st.f_blocks / 4096);
    EXPECT_LE(c.freeClusters, c.totalClusters);

    // A second drive on another file system reports that one.
    if (statvfs("/dev/shm", &st) != 0)
        GTEST_SKIP() << "this host has no /dev/shm";
    ASSERT_EQ(symlink("/dev/shm", Host("dosdevices/d:").c_str()), 0);
    ASSERT_TRUE(Query("d:\\", c));
    EXPECT_EQ(c.totalClusters, (ULONGLONG)st.f_frsize * st.f_blocks / 4096);
}

TEST_F(DiskSpaceTest, RootsAreAcceptedAsWineAcceptsThem)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\windows\\system32", NULL));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    const char *good[] = {NULL, "C:\\", "c:/", "C:", "\\", "C:\\windows\\", "system32"};
    for (const char *root : good) {
        Counts c;
        EXPECT_TRUE(Query(root, c)) << (root ? root : "(null)");
    }
    struct Case {
        const char *root;
        DWORD error;
    } bad[] = {
        {"", ERROR_PATH_NOT_FOUND},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
        {"\\\\s", ERROR_PATH_NOT_FOUND},
        {"\\\\server\\share\\", ERROR_PATH_NOT_FOUND},
        {"gam", ERROR_FILE_NOT_FOUND},
        {"C:\\missing\\", ERROR_FILE_NOT_FOUND},
    };
    for (const Case &c : bad) {
        Counts counts;
        SetLastError(0);
        EXPECT_FALSE(Query(c.root, counts)) << c.root;
        EXPECT_EQ(GetLastError(), c.error) << c.root;
    }
}

TEST_F(DiskSpaceTest, ForcedSizesGiveClusterCountsThatMultiplyBack)
{
    struct Case {
        ULONGLONG freeBytes, totalBytes;
        ULONGLONG expectedFree; // what the counts multiply back to
    } cases[] = {
        {0, 100 * kGiB, 0},
        {4095, 100 * kGiB, 0},
        {4 * kGiB, 100 * kGiB, 4 * kGiB},
        {8 * kGiB, 100 * kGiB, 8 * kGiB},
        {12 * kGiB, 100 * kGiB, 12 * kGiB},
        {4 * kGiB + 5000, 100 * kGiB, 4 * kGiB + 4096},
        // More clusters than 32 bits count: bigger clusters, never a wrapped count.
        {64 * kTiB, 64 * kTiB, 64 * kTiB},
        {20 * kTiB + 4096, 64 * kTiB, 20 * kTiB},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(WinapiSetDiskFreeSpaceOverride('c', c.freeBytes, c.totalBytes));
        Counts counts;
        ASSERT_TRUE(Query("C:\\", counts));
        EXPECT_EQ(counts.FreeBytes(), c.expectedFree) << c.freeBytes;
        EXPECT_GE(counts.TotalBytes() + counts.ClusterBytes(), c.totalBytes) << c.totalBytes;
        EXPECT_LE(counts.TotalBytes(), c.totalBytes) << c.totalBytes;
    }
    EXPECT_FALSE(WinapiSetDiskFreeSpaceOverride('c', 2, 1));
    EXPECT_FALSE(WinapiSetDiskFreeSpaceOverride('1', 0, 1));
}

TEST_F(DiskSpaceTest, ForcedFailureLeavesTheCountsAlone)
{
    ASSERT_TRUE(WinapiFailDiskFreeSpace('C', ERROR_GEN_FAILURE));
    Counts c = {11, 22, 33, 44};
    SetLastError(0);
    EXPECT_FALSE(Query("c:\\", c));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_GEN_FAILURE);
    EXPECT_EQ(c.sectorsPerCluster, 11u);
    EXPECT_EQ(c.freeClusters, 33u);
    // Other drives answer as before.
    ASSERT_EQ(symlink("/", Host("dosdevices/e:").c_str()), 0);
    EXPECT_TRUE(Query("E:\\", c));
    WinapiClearDiskFreeSpaceOverrides();
    EXPECT_TRUE(Query("C:\\", c));
}

} // namespace

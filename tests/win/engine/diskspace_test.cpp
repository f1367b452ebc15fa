// The disk space check: which drives are checked, how the files are counted
// in whole clusters on their destination drive, what a drive whose free
// space cannot be read contributes, and the rows of the shortage list.
#include <windows.h>
#include <gtest/gtest.h>
#include <map>

#include "engine/diskspace.h"
#include "paths/pathvars.h"

namespace {

// Drives as a table: letter → type, sectors per cluster × 512 bytes, free
// clusters, and whether the free-space query succeeds.
struct CDrive {
    UINT type;
    DWORD sectorsPerCluster;
    DWORD freeClusters;
    bool readable;
};

class CTableDrives : public IDriveFacts {
public:
    explicit CTableDrives(std::map<char, CDrive> drives) : m_drives(std::move(drives)) {}
    UINT DriveType(const std::string& root) override
    {
        auto it = m_drives.find(root[0]);
        return it == m_drives.end() ? DRIVE_NO_ROOT_DIR : it->second.type;
    }
    bool QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster, DWORD& bytesPerSector,
                      DWORD& freeClusters) override
    {
        const CDrive& d = m_drives.at(root[0]);
        // What a failed call would leave: stale values that must not count.
        sectorsPerCluster = 0xCDCDCDCD;
        bytesPerSector = 0xCDCDCDCD;
        freeClusters = 0xCDCDCDCD;
        if (!d.readable)
            return false;
        sectorsPerCluster = d.sectorsPerCluster;
        bytesPerSector = 512;
        freeClusters = d.freeClusters;
        return true;
    }

private:
    std::map<char, CDrive> m_drives;
};

std::unique_ptr<CFileItem> File(const std::string& destDir, int32_t size)
{
    auto item = std::make_unique<CFileItem>();
    item->m_strDestDir = destDir;
    item->m_nSize = size;
    return item;
}

class DiskSpace : public testing::Test {
protected:
    void SetUp() override { SetInstDir("D:\\APP"); }
    void TearDown() override { SetInstDir(""); }

    // The needed clusters of each drive, "C=4 D=0".
    static std::string Needs(const CDiskSpaceSurvey& survey)
    {
        std::string text;
        for (const CDiskItem& d : survey.GetDisks())
            text += (text.empty() ? "" : " ") + std::string(1, d.m_cDrive) + "=" +
                    std::to_string(d.m_nNeededClusters);
        return text;
    }
};

}  // namespace

TEST_F(DiskSpace, FixedNetworkAndRamDrivesAreCheckedInLetterOrder)
{
    CTableDrives drives({{'A', {DRIVE_REMOVABLE, 1, 100, true}},
                         {'C', {DRIVE_FIXED, 8, 1000, true}},
                         {'D', {DRIVE_FIXED, 1, 1000, true}},
                         {'E', {DRIVE_CDROM, 4, 0, true}},
                         {'N', {DRIVE_REMOTE, 2, 5, true}},
                         {'R', {DRIVE_RAMDISK, 1, 7, true}},
                         {'U', {DRIVE_UNKNOWN, 1, 7, true}}});
    CDiskSpaceSurvey survey;
    survey.GatherDrives(drives);
    EXPECT_EQ("C=0 D=0 N=0 R=0", Needs(survey));
    ASSERT_NE(nullptr, survey.FindDisk('C'));
    EXPECT_EQ(4096u, survey.FindDisk('C')->m_dwClusterSize);
    EXPECT_EQ(1000u, survey.FindDisk('C')->m_dwFreeClusters);
    EXPECT_EQ(nullptr, survey.FindDisk('A'));
}

TEST_F(DiskSpace, FilesCountInWholeClustersOnTheDriveOfTheirDestination)
{
    CTableDrives drives({{'C', {DRIVE_FIXED, 8, 1000, true}}, {'D', {DRIVE_FIXED, 1, 1000, true}}});
    // Typed by hand: the drive letter of either case counts.
    SetInstDir("d:\\app");
    CItemList<CFileItem> files;
    // On the 4096-byte clusters of C: (the Windows directory): 1 byte, one
    // cluster, one cluster and a byte = 4.
    files.push_back(File("$WinDir$", 1));
    files.push_back(File("$WinDir$\\X", 4096));
    files.push_back(File("$windir$", 4097));
    // Empty and relative destinations lie in the install directory (D:).
    files.push_back(File("", 513));
    files.push_back(File("BIN", 512));
    // A size of 0 or below counts nothing.
    files.push_back(File("$WinDir$", 0));
    files.push_back(File("$WinDir$", -5));
    CDiskSpaceSurvey survey;
    survey.GatherDrives(drives);
    survey.CountFiles(files);
    EXPECT_EQ("C=4 D=3", Needs(survey));
}

TEST_F(DiskSpace, FilesForDrivesWithoutARecordAreNotCounted)
{
    CTableDrives drives({{'A', {DRIVE_REMOVABLE, 1, 1, true}}, {'C', {DRIVE_FIXED, 1, 1, true}}});
    CItemList<CFileItem> files;
    files.push_back(File("", 100000));
    for (const char* dir : {"A:\\", "\\\\server\\share\\app", "Q:\\APP"}) {
        SCOPED_TRACE(dir);
        SetInstDir(dir);
        CDiskSpaceSurvey survey;
        survey.GatherDrives(drives);
        survey.CountFiles(files);
        EXPECT_EQ("C=0", Needs(survey));
        EXPECT_TRUE(survey.IsEnough());
    }
}

TEST_F(DiskSpace, TheSystemDirectoryCountsOnTheSystemDrive)
{
    CTableDrives drives({{'C', {DRIVE_FIXED, 1, 1000, true}}, {'D', {DRIVE_FIXED, 1, 1000, true}}});
    CItemList<CFileItem> files;
    files.push_back(File("$SysDir$", 1024));
    CDiskSpaceSurvey survey;
    survey.GatherDrives(drives);
    survey.CountFiles(files);
    const char system = GetSystemDir()[0];
    EXPECT_EQ(2u, survey.FindDisk(system)->m_nNeededClusters);
}

TEST_F(DiskSpace, ADriveIsShortWhenItNeedsMoreClustersThanAreFree)
{
    CTableDrives drives({{'C', {DRIVE_FIXED, 1, 4, true}}, {'D', {DRIVE_FIXED, 1, 2, true}}});
    CItemList<CFileItem> files;
    files.push_back(File("$WinDir$", 4 * 512));
    CDiskSpaceSurvey survey;
    survey.GatherDrives(drives);
    survey.CountFiles(files);
    EXPECT_TRUE(survey.IsEnough());
    files.push_back(File("", 3 * 512));
    survey.GatherDrives(drives);
    survey.CountFiles(files);
    EXPECT_FALSE(survey.IsEnough());
    EXPECT_FALSE(survey.FindDisk('C')->IsShort());
    EXPECT_TRUE(survey.FindDisk('D')->IsShort());
}

TEST_F(DiskSpace, ManyLargeFilesDoNotWrapTheNeed)
{
    // 3000 files of 2 GB on 512-byte clusters need 12,582,912,000 clusters,
    // more than 32 bits hold; wrapped, the need would look small.
    CTableDrives drives({{'D', {DRIVE_FIXED, 1, 0xFFFFFFFF, true}}});
    CItemList<CFileItem> files;
    for (int i = 0; i < 3000; ++i)
        files.push_back(File("", 0x7FFFFFFF));
    CDiskSpaceSurvey survey;
    survey.GatherDrives(drives);
    survey.CountFiles(files);
    EXPECT_EQ(3000ull * 4194304, survey.FindDisk('D')->m_nNeededClusters);
    EXPECT_FALSE(survey.IsEnough());
}

TEST_F(DiskSpace, ADriveWhoseFreeSpaceCannotBeReadHasNoRoom)
{
    CTableDrives drives({{'C', {DRIVE_FIXED, 8, 1000, true}}, {'N', {DRIVE_REMOTE, 8, 1000, false}}});
    SetInstDir("N:\\APP");
    CDiskSpaceSurvey survey;
    survey.GatherDrives(drives);
    const CDiskItem& n = *survey.FindDisk('N');
    EXPECT_FALSE(n.m_bFreeSpaceKnown);
    EXPECT_EQ(0u, n.m_dwFreeClusters);
    // Nothing goes there: it does not matter.
    EXPECT_TRUE(survey.IsEnough());
    // A file goes there: short, counted in bytes.
    CItemList<CFileItem> files;
    files.push_back(File("", 3000));
    survey.CountFiles(files);
    EXPECT_FALSE(survey.IsEnough());
    EXPECT_EQ("N:\\\t0KB\t2KB", FormatShortDiskRow(n));
}

TEST_F(DiskSpace, ShortRowsShowFreeAndNeededSpaceInKilobytes)
{
    CDiskItem d;
    d.m_cDrive = 'D';
    d.m_dwClusterSize = 4096;
    d.m_dwFreeClusters = 3;
    d.m_nNeededClusters = 5;
    EXPECT_EQ("D:\\\t12KB\t20KB", FormatShortDiskRow(d));
    // Beyond 2 TB free (32 KB clusters): no overflow into negative numbers.
    d.m_dwClusterSize = 32768;
    d.m_dwFreeClusters = 0xFFFFFFFF;
    d.m_nNeededClusters = 0x100000000ull;
    EXPECT_EQ("D:\\\t137438953440KB\t137438953472KB", FormatShortDiskRow(d));
}

TEST_F(DiskSpace, TheSystemsDrivesAreSurveyed)
{
    // The test prefix has C: (fixed) and no host drive Z:.
    CSystemDriveFacts system;
    CDiskSpaceSurvey survey;
    survey.GatherDrives(system);
    const CDiskItem* c = survey.FindDisk('C');
    ASSERT_NE(nullptr, c);
    EXPECT_TRUE(c->m_bFreeSpaceKnown);
    EXPECT_GT(c->m_dwClusterSize, 0u);
    EXPECT_GT(c->m_dwFreeClusters, 0u);
    EXPECT_EQ(nullptr, survey.FindDisk('Z'));
}

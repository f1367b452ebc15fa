#include "engine/diskspace.h"

#include "paths/pathvars.h"

namespace {
char UpperLetter(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

UINT CSystemDriveFacts::DriveType(const std::string& root)
{
    return ::GetDriveTypeA(root.c_str());
}

bool CSystemDriveFacts::QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster,
                                     DWORD& bytesPerSector, DWORD& freeClusters)
{
    DWORD totalClusters = 0;
    return ::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                               &totalClusters) != FALSE;
}

void CDiskSpaceSurvey::GatherDrives(IDriveFacts& drives)
{
    m_disks.clear();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        const UINT type = drives.DriveType(root);
        if (type != DRIVE_FIXED && type != DRIVE_REMOTE && type != DRIVE_RAMDISK)
            continue;
        CDiskItem disk;
        disk.m_cDrive = letter;
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0;
        // What a failed call leaves in its outputs is never used: such a
        // drive has no room, so a file for it makes the check short and the
        // user may reconnect it and check again, or go on. A drive that no
        // file goes to needs nothing and so does not matter.
        if (drives.QueryFreeSpace(root, sectorsPerCluster, bytesPerSector, freeClusters) &&
            uint64_t(sectorsPerCluster) * bytesPerSector != 0 &&
            uint64_t(sectorsPerCluster) * bytesPerSector <= 0xFFFFFFFFu) {
            disk.m_dwClusterSize = sectorsPerCluster * bytesPerSector;
            disk.m_dwFreeClusters = freeClusters;
        } else {
            disk.m_bFreeSpaceKnown = false;
            disk.m_dwClusterSize = 1;
            disk.m_dwFreeClusters = 0;
        }
        m_disks.push_back(disk);
    }
}

void CDiskSpaceSurvey::CountFiles(const CItemList<CFileItem>& files)
{
    for (const auto& file : files) {
        std::string dir = file->GetDestinationDirectory();
        ExpandPathVariables(dir);
        if (dir.empty() || file->m_nSize <= 0)
            continue;
        CDiskItem* disk = FindDisk(dir[0]);
        if (!disk)
            continue;
        const uint64_t size = static_cast<uint64_t>(file->m_nSize);
        disk->m_nNeededClusters += (size + disk->m_dwClusterSize - 1) / disk->m_dwClusterSize;
    }
}

bool CDiskSpaceSurvey::IsEnough() const
{
    for (const CDiskItem& disk : m_disks)
        if (disk.IsShort())
            return false;
    return true;
}

// Destinations are written by hand in scripts and wizards ("c:\app"), while
// the records hold the upper-case letters the enumeration gave: a lower-case
// destination must count on its drive all the same.
CDiskItem* CDiskSpaceSurvey::FindDisk(char letter)
{
    const char upper = UpperLetter(letter);
    for (CDiskItem& disk : m_disks)
        if (disk.m_cDrive == upper)
            return &disk;
    return nullptr;
}

std::string FormatShortDiskRow(const CDiskItem& disk)
{
    return std::string(1, disk.m_cDrive) + ":\\\t" + std::to_string(disk.FreeKB()) + "KB\t" +
           std::to_string(disk.NeededKB()) + "KB";
}

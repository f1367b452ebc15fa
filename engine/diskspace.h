#pragma once
// How many clusters the files of an installation need on each drive, against
// the drive's free clusters. No windows here: the disk-space dialogs
// (diskspacedialogs.h) run this on their timer ticks and show the result.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

#include "script/setupdoc.h"

// One checked drive.
struct CDiskItem {
    char m_cDrive = 0;               // upper-case letter A to Z
    DWORD m_dwClusterSize = 0;       // bytes per sector × sectors per cluster
    DWORD m_dwFreeClusters = 0;
    // 64 bits: many large files for one drive must not wrap to a small need.
    uint64_t m_nNeededClusters = 0;
    // False when the drive's free space could not be read (a network drive
    // that went away): it then counts as having no room at all, and its
    // files are counted in bytes (a cluster size of 1).
    bool m_bFreeSpaceKnown = true;

    bool IsShort() const { return m_nNeededClusters > m_dwFreeClusters; }
    uint64_t FreeKB() const { return uint64_t(m_dwFreeClusters) * m_dwClusterSize / 1024; }
    uint64_t NeededKB() const { return m_nNeededClusters * m_dwClusterSize / 1024; }
};

// The drive facts the check reads; the system's by default, a script's in tests.
class IDriveFacts {
public:
    virtual ~IDriveFacts() = default;
    // GetDriveTypeA of a root such as "C:\".
    virtual UINT DriveType(const std::string& root) = 0;
    // GetDiskFreeSpaceA of a root; false when the call fails.
    virtual bool QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster, DWORD& bytesPerSector,
                              DWORD& freeClusters) = 0;
};

class CSystemDriveFacts : public IDriveFacts {
public:
    UINT DriveType(const std::string& root) override;
    bool QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster, DWORD& bytesPerSector,
                      DWORD& freeClusters) override;
};

class CDiskSpaceSurvey {
public:
    // Records every fixed, network and RAM drive from A to Z with its free
    // clusters; removable, CD-ROM, unknown and missing drives are skipped.
    void GatherDrives(IDriveFacts& drives);
    // Adds each file's size, rounded up to whole clusters, to the drive of
    // its expanded destination directory (the first character, compared
    // without regard to letter case). Files for drives without a record (a
    // floppy, a UNC path) are not counted; a size of 0 or below counts nothing.
    void CountFiles(const CItemList<CFileItem>& files);
    // True when no drive needs more clusters than it has free.
    bool IsEnough() const;

    const std::vector<CDiskItem>& GetDisks() const { return m_disks; }
    // The record of a drive letter (either case), or null.
    CDiskItem* FindDisk(char letter);

private:
    std::vector<CDiskItem> m_disks;
};

// The row of a short drive in the shortage list: drive root, free and needed
// space in KB, separated by tabs ("D:\<tab>512KB<tab>2048KB").
std::string FormatShortDiskRow(const CDiskItem& disk);

#pragma once
// The media a product ships on, and how much of one a set of files takes,
// counted the way the medium's file system stores them:
//   - FAT12 floppies: every file takes whole clusters, each subdirectory
//     takes clusters of its own for its entries (32 bytes each, "." and ".."
//     included), and the root directory has a fixed number of entries; a
//     name that is not an 8.3 short name in one letter case per part takes
//     long-name (VFAT) entries as well, one per 13 characters;
//   - a CD: ISO 9660 with a Joliet tree (Japanese names), 2048-byte sectors
//     for every file, every directory of both trees, the volume descriptors
//     and the path tables;
//   - a size given: FAT-like clusters of a given size, the root directory
//     taking clusters like any other directory.
// Names and paths are code page 932.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct CMediumKind {
    enum class Layout { Fat, Iso9660 };
    std::string m_strName;          // "1.44M", as the command line names it
    std::string m_strDescription;   // "1.44 MB floppy"
    Layout m_layout = Layout::Fat;
    uint32_t m_dwClusterSize = 512; // bytes of a cluster (a sector of a CD)
    uint64_t m_nClusters = 0;       // clusters (sectors) of the whole file space
    uint32_t m_nRootEntries = 0;    // FAT: entries of the fixed root directory; 0: the root takes clusters
    const char* m_pszFormat = nullptr;   // mformat's -f value of a floppy that can be written as an image
};

// "1.44M", "1.2M", "720K", "cd650", or BYTES or BYTES/CLUSTER (bytes of file
// space in clusters of CLUSTER bytes, 512 unless given). False for anything
// else.
bool ParseMediumKind(const std::string& text, CMediumKind& kind);
// The names ParseMediumKind knows, for the usage text.
const char* MediumKindNames();

// A file name that a FAT volume can hold (and Windows can create): not
// empty, no characters below 0x20 nor \ / : * ? " < > |, not "." or "..",
// no half double-byte character, at most 255 characters.
bool IsValidFatName(const std::string& name);
// The directory entries a name takes on FAT: 1 for an 8.3 short name whose
// base and extension are each in one letter case; otherwise 1 more per 13
// characters of its long name (every name with a character beyond ASCII).
int FatEntriesForName(const std::string& name);
// The name as FAT compares names: ASCII letters in upper case (never the
// second byte of a double-byte character).
std::string FatNameKey(const std::string& name);

// One disk being filled. Add places a file, creating its directories, and
// says whether it still fits; a file that does not fit leaves the disk as it
// was. With `capacity` false the disk has no end (to measure what a set of
// files needs).
class CDiskSpace {
public:
    virtual ~CDiskSpace() = default;
    // path: the directories, then the file's name.
    virtual bool Add(const std::vector<std::string>& path, uint64_t size) = 0;
    // Clusters (sectors) in use.
    virtual uint64_t Used() const = 0;
    // Entries of the fixed root directory in use (FAT floppies), else 0.
    virtual uint32_t RootEntries() const = 0;
};

std::unique_ptr<CDiskSpace> MakeDiskSpace(const CMediumKind& kind, bool capacity = true);

// Clusters a file of `size` bytes takes: whole clusters, none for an empty file.
uint64_t ClustersFor(uint64_t size, uint32_t clusterSize);

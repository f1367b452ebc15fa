#pragma once
// The media builder's plan: from a setup script and the product's files,
// which file goes to which disk under which name, compressed or not, what
// each disk then holds cluster by cluster on the chosen medium, and the
// script the medium carries. Platform-free: the product folder is an
// interface, so the plan is tested and fuzzed without a file system.
//
// The medium has disks DISK1, DISK2, ... as the script's disk numbers say
// (or, spanning, as the files fill them in script order). Each file line
// puts its source file on its disk, in its source subdirectory, under its
// source name; a source name ending in "_" is the file compressed (SZDD).
// The product folder holds the files uncompressed, in the same
// subdirectories: a file under its source name, or for a compressed one the
// file whose compressed name is the source name (the destination file name
// when it is that one). Disk 1 also holds the launcher (under the vendor's
// name for it), _SETUP.EX_ (the installer compressed), the script SETUP.INF
// and, when the script has uninstall support, VMUNST10.EX_; every disk holds
// its marker file DISKn at its root.
#include <cstdint>
#include <string>
#include <vector>

#include "checker/findings.h"
#include "media/findings.h"
#include "media/geometry.h"

struct CProductEntry {
    std::string m_strName;   // code page 932
    bool m_bDirectory = false;
    uint64_t m_nSize = 0;    // of a file
};

class IProductFolder {
public:
    virtual ~IProductFolder() = default;
    // The entries of a directory of the folder (dir: its path below the
    // folder, empty for the folder itself). False when it is no directory.
    virtual bool List(const std::vector<std::string>& dir, std::vector<CProductEntry>& entries) = 0;
    virtual bool Read(const std::vector<std::string>& path, std::vector<uint8_t>& data) = 0;
};

// The programs of disk 1, as built.
struct CDiskOnePrograms {
    std::vector<uint8_t> m_launcher;
    std::vector<uint8_t> m_setup;         // goes on the medium compressed, as _SETUP.EX_
    std::vector<uint8_t> m_uninstaller;   // VMUNST10.EXE, compressed as VMUNST10.EX_
};

struct CPlanOptions {
    CMediumKind m_medium;
    std::string m_strLauncherName = "SETUP.EXE";   // code page 932
    bool m_bSpan = false;       // assign disk numbers so that every disk fits
    bool m_bFixSizes = false;   // write the real sizes into the script
};

struct CPlannedFile {
    int m_nDisk = 1;
    std::vector<std::string> m_path;          // below the disk's root, code page 932
    bool m_bFromProduct = false;              // copied as it is from m_productPath
    std::vector<std::string> m_productPath;   // below the product folder
    std::vector<uint8_t> m_data;              // otherwise its bytes
    uint64_t m_nSize = 0;                     // on the medium
    uint64_t m_nInstalledSize = 0;            // once installed (expanded)
    bool m_bCompressed = false;
    std::vector<int> m_lines;                 // the script lines it serves; none for the installer's own files
};

struct CDiskUse {
    int m_nDisk = 0;
    uint64_t m_nFiles = 0;
    uint64_t m_nUsed = 0;          // clusters
    uint32_t m_nRootEntries = 0;   // of a fixed root directory
    bool m_bFits = true;
};

struct CMediaPlan {
    CMediumKind m_medium;
    std::vector<CPlannedFile> m_files;   // by disk, each disk's files in the order they are written
    std::vector<CDiskUse> m_disks;
    std::string m_strScript;             // DISK1\SETUP.INF: code page 932, CR LF
    std::vector<CMediaFinding> m_findings;   // in line order; notes of the report last
    bool HasErrors() const;
};

CMediaPlan PlanMedia(const std::string& script, IProductFolder& product, const CDiskOnePrograms& programs,
                     const CPlanOptions& options);

// The script checker's findings on the planned medium's script, with the
// planned medium as the medium it checks (every source there, sizes).
std::vector<CFinding> CheckPlannedMedium(const CMediaPlan& plan);

// A path of the medium as the script and the checker write it ("DISK2\DATA\A.DL_").
std::string MediumPathText(int disk, const std::vector<std::string>& path);

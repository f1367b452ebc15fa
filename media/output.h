#pragma once
// The media builder's side of the build machine: the product folder read
// through the host's file system, and the planned medium written into a
// new output folder. Nothing half-written is left: the medium is written
// into a folder beside the output and renamed into place only when every
// file (and image) has been written.
#include <string>
#include <vector>

#include "media/plan.h"

class CHostProductFolder : public IProductFolder {
public:
    explicit CHostProductFolder(const std::string& hostDir) : m_strDir(hostDir) {}
    bool List(const std::vector<std::string>& dir, std::vector<CProductEntry>& entries) override;
    bool Read(const std::vector<std::string>& path, std::vector<uint8_t>& data) override;
    std::string HostPath(const std::vector<std::string>& path) const;

private:
    std::string m_strDir;
};

struct COutputOptions {
    bool m_bReplace = false;   // an earlier medium in the output folder is replaced
    bool m_bImages = false;    // each floppy is also written as DISKn.IMG (FAT12)
};

// Writes the plan's disks as OUT/DISK1/, OUT/DISK2/, ... (and the images
// OUT/DISKn.IMG). False, with its findings, when nothing was written.
bool WriteMedium(const CMediaPlan& plan, IProductFolder& product, const std::string& outDir,
                 const COutputOptions& options, std::vector<CMediaFinding>& findings);

// A floppy image of a disk's directory, written with mtools (mformat, mmd,
// mcopy). False with the tools' words when it could not be written.
bool WriteFloppyImage(const CMediumKind& kind, int disk, const std::string& diskDir, const std::string& image,
                      std::string& problem);
// Whether this build can write images at all.
bool CanWriteFloppyImages();

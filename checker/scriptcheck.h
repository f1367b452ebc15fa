#pragma once
// The script checker: reads a SETUP.INF exactly as the installer does (its
// own INI parser for the item sections, the private-profile rules for
// "Config", the line-format tables of script/lineformat.h) and reports what
// the installer would silently skip, misread or fall back on.
#include <string>
#include <vector>

#include "checker/findings.h"

// What a check of the medium needs to know of the files on it. Paths are
// code page 932 text with backslashes, relative to the medium's directory.
class IMedium {
public:
    virtual ~IMedium() = default;
    virtual bool IsFile(const std::string& path) = 0;
    // The size the file has once installed: for a file stored compressed
    // (SZDD), the size it expands to. False when it cannot be read.
    virtual bool InstalledSize(const std::string& path, long long& size) = 0;
};

// The root of disk n of a medium: "DISKn\" below the medium's directory, as
// the media builder lays it out; a medium of one disk may also be the disk's
// root itself (its marker file DISK1 at the top; root ""). False when the
// medium has no such disk.
bool FindDiskRoot(IMedium& medium, int disk, std::string& root);

// Checks a script (code page 932 text as the installer reads it). With a
// medium, also checks that every file line's source is on its disk and that
// its declared size is the size of the installed file. Findings come in line
// order.
std::vector<CFinding> CheckScript(const std::string& script, IMedium* medium = nullptr);

// Damerau-Levenshtein distance of two texts, ASCII letter case ignored.
int EditDistance(const std::string& a, const std::string& b);

#pragma once
// The medium of a check: a directory of the build machine, its paths given
// in code page 932 with backslashes as the script writes them.
#include <string>

#include "checker/scriptcheck.h"

class CDirectoryMedium : public IMedium {
public:
    explicit CDirectoryMedium(const std::string& directory) : m_strDirectory(directory) {}
    bool IsFile(const std::string& path) override;
    bool InstalledSize(const std::string& path, long long& size) override;

private:
    // The path of the build machine's file system.
    std::string HostPath(const std::string& path) const;

    std::string m_strDirectory;   // host encoding and separators
};

// The size a file expands to when it is SZDD-compressed: its header's
// length; -1 for any other file. `header` is the file's first bytes.
long long SzddExpandedSize(const std::string& header);

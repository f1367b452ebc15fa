#pragma once
// The directory on the hard disk into which the launcher stages the
// installer and the script, and from which the installer then runs.
#include <string>

class CStagingDir {
public:
    // "%s\_SETUP_.DIR" on the drive of the Windows directory: C:\_SETUP_.DIR
    // for C:\WINDOWS.
    explicit CStagingDir(const std::string& windowsDir);

    const std::string& GetPath() const { return m_strPath; }

    // Creates the directory. One left by an earlier run is simply used again;
    // a failure shows only later, when nothing can be installed into it.
    void Create() const;

    // Installs sourceDir\sourceName into the directory as stagedName through
    // VerInstallFileA, which expands a compressed source. False on failure.
    bool Install(const std::string& sourceDir, const std::string& sourceName,
                 const std::string& stagedName) const;

    // Deletes the directory with everything in it (also what the installer
    // left there), except names beginning with a dot and read-only files,
    // which stay together with the directories that hold them.
    void Remove() const;

private:
    std::string m_strPath;
};

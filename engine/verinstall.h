#pragma once
// The version-information file installation as the copy uses it: find where
// a file belongs, then install it there (expanding a compressed source). The
// system's functions by default; tests script the results that the platform
// they run on cannot produce (Wine never reports a file in use, nor a
// different language or code page).
#include <windows.h>
#include <string>

class IVersionInstaller {
public:
    virtual ~IVersionInstaller() = default;
    // VerFindFileA: the result bits (VFF_*), and the directory of an existing
    // copy (curDir, "" when there is none) and the one to install into.
    virtual DWORD FindFile(DWORD flags, const std::string& fileName, const std::string& winDir,
                           const std::string& appDir, std::string& curDir, std::string& destDir) = 0;
    // VerInstallFileA: the result bits (VIF_*). tempFile is both ways: a
    // temporary name from an earlier call, and the one this call left beside
    // the destination (some systems return it with a leading backslash).
    virtual DWORD InstallFile(DWORD flags, const std::string& srcName, const std::string& destName,
                              const std::string& srcDir, const std::string& destDir,
                              const std::string& curDir, std::string& tempFile) = 0;
};

// VerFindFileA and VerInstallFileA with buffers of MAX_PATH characters.
class CVersionInstaller : public IVersionInstaller {
public:
    DWORD FindFile(DWORD flags, const std::string& fileName, const std::string& winDir,
                   const std::string& appDir, std::string& curDir, std::string& destDir) override;
    DWORD InstallFile(DWORD flags, const std::string& srcName, const std::string& destName,
                      const std::string& srcDir, const std::string& destDir, const std::string& curDir,
                      std::string& tempFile) override;
};

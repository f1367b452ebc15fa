#include "engine/verinstall.h"

#include <winver.h>

namespace {
// The functions take their input strings as writable pointers (they do not
// write them); each gets a copy of its own.
struct CArg {
    explicit CArg(const std::string& s) : text(s) {}
    LPSTR Get() { return &text[0]; }
    std::string text;
};
}  // namespace

DWORD CVersionInstaller::FindFile(DWORD flags, const std::string& fileName, const std::string& winDir,
                                  const std::string& appDir, std::string& curDir, std::string& destDir)
{
    char cur[MAX_PATH] = "";
    char dest[MAX_PATH] = "";
    UINT curLen = MAX_PATH;
    UINT destLen = MAX_PATH;
    CArg name(fileName), windows(winDir), app(appDir);
    const DWORD result =
        ::VerFindFileA(flags, name.Get(), windows.Get(), app.Get(), cur, &curLen, dest, &destLen);
    // A buffer too small is filled with as much as fits.
    cur[MAX_PATH - 1] = '\0';
    dest[MAX_PATH - 1] = '\0';
    curDir = cur;
    destDir = dest;
    return result;
}

DWORD CVersionInstaller::InstallFile(DWORD flags, const std::string& srcName, const std::string& destName,
                                     const std::string& srcDir, const std::string& destDir,
                                     const std::string& curDir, std::string& tempFile)
{
    char temp[MAX_PATH] = "";
    lstrcpynA(temp, tempFile.c_str(), MAX_PATH);
    UINT tempLen = MAX_PATH;
    CArg source(srcName), dest(destName), sourceDir(srcDir), targetDir(destDir), current(curDir);
    const DWORD result = ::VerInstallFileA(flags, source.Get(), dest.Get(), sourceDir.Get(), targetDir.Get(),
                                           current.Get(), temp, &tempLen);
    temp[MAX_PATH - 1] = '\0';
    tempFile = temp;
    return result;
}

#include "launcher/stagingdir.h"

#include <windows.h>

#include "launcher/handles.h"
#include "launcher/mediumpath.h"

namespace {

// VerInstallFileA opens its source through LZOpenFileA, that is OpenFile,
// whose OFSTRUCT holds a path of at most 127 bytes; Wine's implementation
// also formats the path into a buffer of 260 bytes without checking.
bool FitsVerInstallFile(const std::string& path)
{
    return path.size() < sizeof(OFSTRUCT::szPathName);
}

// A new empty file with a unique name in dir, or "" when none can be made.
std::string CreateTempFileIn(const std::string& dir)
{
    char name[MAX_PATH];
    if (dir.size() > MAX_PATH - 14 || !::GetTempFileNameA(dir.c_str(), "src", 0, name))
        return std::string();
    return name;
}

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA entry;
    {
        CFindHandle find(::FindFirstFileA(JoinPath(dir, "*.*").c_str(), &entry));
        if (find) {
            do {
                // Skips "." and "..", and with them every other name that
                // begins with a dot: such a file stays, and so does its directory.
                if (entry.cFileName[0] == '.')
                    continue;
                const std::string path = JoinPath(dir, entry.cFileName);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    ::DeleteFileA(path.c_str());   // a read-only file stays
            } while (::FindNextFileA(find.Get(), &entry));
        }
    }
    ::RemoveDirectoryA(dir.c_str());   // fails, harmlessly, while something stays
}

} // namespace

CStagingDir::CStagingDir(const std::string& windowsDir)
    : m_strPath(JoinPath(BeforeFirstBackslash(windowsDir), "_SETUP_.DIR"))
{
}

void CStagingDir::Create() const
{
    ::CreateDirectoryA(m_strPath.c_str(), nullptr);
}

bool CStagingDir::Install(const std::string& sourceDir, const std::string& sourceName,
                          const std::string& stagedName) const
{
    // A medium mounted deep in a network share is out of VerInstallFileA's
    // reach: the file is first copied as it is (compressed or not) into the
    // staging directory, and installed from there.
    std::string fromDir = sourceDir;
    std::string fromName = sourceName;
    std::string bounce;
    const std::string source = JoinPath(sourceDir, sourceName);
    if (!FitsVerInstallFile(source)) {
        bounce = CreateTempFileIn(m_strPath);
        if (bounce.empty())
            return false;
        if (!::CopyFileA(source.c_str(), bounce.c_str(), FALSE)) {
            ::DeleteFileA(bounce.c_str());
            return false;
        }
        fromDir = BeforeLastBackslash(bounce);
        fromName = bounce.substr(fromDir.size() + 1);
    }

    // MinGW declares the names as LPSTR; VerInstallFileA only reads them.
    auto in = [](const std::string& s) { return const_cast<LPSTR>(s.c_str()); };
    char tempName[MAX_PATH] = "";
    UINT tempNameLength = sizeof tempName;
    const DWORD result = ::VerInstallFileA(VIFF_FORCEINSTALL, in(fromName), in(stagedName), in(fromDir),
                                           in(m_strPath), in(m_strPath), tempName, &tempNameLength);
    if (!bounce.empty())
        ::DeleteFileA(bounce.c_str());
    return result == 0;
}

void CStagingDir::Remove() const
{
    RemoveTree(m_strPath);
}

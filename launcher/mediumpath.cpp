#include "launcher/mediumpath.h"

namespace {

// Calls a function of the GetWindowsDirectoryA kind, which returns the length
// copied or, for too small a buffer, the size it needs.
template <typename Fetch>
std::string FetchString(Fetch fetch)
{
    std::string buf(MAX_PATH, '\0');
    for (;;) {
        const UINT n = fetch(&buf[0], static_cast<UINT>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(n);   // n counts the terminating NUL here
    }
}

// Positions of the backslashes that separate the path's parts. The scan
// steps over double-byte characters: the second byte of "表" (0x95 0x5C) or
// "ソ" (0x83 0x5C) is the byte of a backslash but separates nothing.
template <typename Visit>
void ForEachBackslash(const std::string& path, Visit visit)
{
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\')
            visit(i);
        else if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size())
            ++i;
    }
}

} // namespace

std::string GetWindowsDir()
{
    return FetchString([](char* buf, UINT size) { return ::GetWindowsDirectoryA(buf, size); });
}

std::string GetModulePath()
{
    // GetModuleFileNameA does not say how much room it needs: a result that
    // fills the buffer may have been cut, so the buffer grows until it fits.
    std::string buf(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameA(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
        if (n < buf.size() - 1) {
            buf.resize(n);
            return buf;
        }
        if (buf.size() >= 32768)   // no path of the system is longer
            return std::string();
        buf.resize(buf.size() * 2);
    }
}

std::string BeforeFirstBackslash(const std::string& path)
{
    std::size_t first = std::string::npos;
    ForEachBackslash(path, [&first](std::size_t i) {
        if (first == std::string::npos)
            first = i;
    });
    return path.substr(0, first);
}

std::string BeforeLastBackslash(const std::string& path)
{
    std::size_t last = std::string::npos;
    ForEachBackslash(path, [&last](std::size_t i) { last = i; });
    return path.substr(0, last);
}

std::string JoinPath(const std::string& dir, const std::string& name)
{
    return dir + '\\' + name;
}

// The launcher once asked OpenFile(OF_EXIST), whose OFSTRUCT holds no path of
// 128 bytes or more: a medium mounted deep in a network share looked as if
// it had no installer on it. The file attributes have no such limit.
bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

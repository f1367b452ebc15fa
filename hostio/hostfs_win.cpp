#include "hostio/hostfs.h"

#include <windows.h>

HostKind HostKindOf(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return HostKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? HostKind::Directory : HostKind::File;
}

bool HostFileSize(const std::string& path, uint64_t& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool HostListDirectory(const std::string& path, std::vector<std::string>& names)
{
    names.clear();
    WIN32_FIND_DATAA data;
    const HANDLE find = ::FindFirstFileA(HostJoin(path, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return HostKindOf(path) == HostKind::Directory;   // an empty drive root has no entries
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return true;
}

bool HostMakeDirectory(const std::string& path)
{
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool HostRemoveTree(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        ::SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        std::vector<std::string> names;
        HostListDirectory(path, names);
        for (const std::string& name : names)
            HostRemoveTree(HostJoin(path, name));
        return ::RemoveDirectoryA(path.c_str()) != FALSE;
    }
    return ::DeleteFileA(path.c_str()) != FALSE;
}

bool HostRename(const std::string& from, const std::string& to)
{
    return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;   // fails when the target exists
}

std::string HostJoin(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    const char last = dir.back();
    return last == '\\' || last == '/' || last == ':' ? dir + name : dir + "\\" + name;
}

unsigned long HostProcessId()
{
    return ::GetCurrentProcessId();
}

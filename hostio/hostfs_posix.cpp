#include "hostio/hostfs.h"

#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

HostKind HostKindOf(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return HostKind::Missing;
    if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0)
        return HostKind::Other;   // a dangling link
    return S_ISREG(st.st_mode) ? HostKind::File : S_ISDIR(st.st_mode) ? HostKind::Directory : HostKind::Other;
}

bool HostFileSize(const std::string& path, uint64_t& size)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool HostListDirectory(const std::string& path, std::vector<std::string>& names)
{
    names.clear();
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return true;
}

bool HostMakeDirectory(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0;
}

bool HostRemoveTree(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return true;
    if (S_ISDIR(st.st_mode)) {
        std::vector<std::string> names;
        HostListDirectory(path, names);
        for (const std::string& name : names)
            HostRemoveTree(HostJoin(path, name));
        return ::rmdir(path.c_str()) == 0;
    }
    return ::unlink(path.c_str()) == 0;
}

bool HostRename(const std::string& from, const std::string& to)
{
    if (HostKindOf(to) != HostKind::Missing)
        return false;   // rename() would replace a file or an empty directory
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string HostJoin(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

unsigned long HostProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

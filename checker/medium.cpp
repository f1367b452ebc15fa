#include "checker/medium.h"

#include <cstdio>
#include <sys/stat.h>

#include "hostio/codepage.h"
#include "compress/szdd.h"

long long SzddExpandedSize(const std::string& header)
{
    CSzddHeader szdd;
    if (SzddReadHeader(reinterpret_cast<const uint8_t*>(header.data()), header.size(), szdd) !=
        SzddStatus::Ok)
        return -1;
    return static_cast<long long>(szdd.m_dwLength);
}

std::string CDirectoryMedium::HostPath(const std::string& path) const
{
    std::string host = ToHostPath(path);
    return m_strDirectory + (m_strDirectory.empty() || IsHostSeparator(m_strDirectory.back()) ? "" : kHostSeparator) + host;
}

bool CDirectoryMedium::IsFile(const std::string& path)
{
    struct stat st;
    return ::stat(HostPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool CDirectoryMedium::InstalledSize(const std::string& path, long long& size)
{
    const std::string host = HostPath(path);
    struct stat st;
    if (::stat(host.c_str(), &st) != 0)
        return false;
    std::FILE* file = std::fopen(host.c_str(), "rb");
    if (!file)
        return false;
    char header[kSzddHeaderSize];
    const std::size_t n = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    const long long expanded = SzddExpandedSize(std::string(header, n));
    size = expanded >= 0 ? expanded : static_cast<long long>(st.st_size);
    return true;
}

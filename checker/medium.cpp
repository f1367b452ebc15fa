#include "checker/medium.h"

#include <cstdio>
#include <sys/stat.h>

#include "checker/codepage.h"

long long SzddExpandedSize(const std::string& header)
{
    static const char kMagic[] = "SZDD\x88\xF0\x27\x33";
    if (header.size() < 14 || header.compare(0, 8, kMagic, 8) != 0 || header[8] != 'A')
        return -1;
    const auto b = [&](std::size_t i) { return static_cast<unsigned long long>(static_cast<unsigned char>(header[i])); };
    return static_cast<long long>(b(10) | (b(11) << 8) | (b(12) << 16) | (b(13) << 24));
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
    char header[14];
    const std::size_t n = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    const long long expanded = SzddExpandedSize(std::string(header, n));
    size = expanded >= 0 ? expanded : static_cast<long long>(st.st_size);
    return true;
}

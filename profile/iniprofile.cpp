#include "profile/iniprofile.h"
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string& SharedResult()
{
    static std::string result;
    return result;
}

// A list of NUL-terminated names ended by an empty name, as the
// private-profile functions give it for a null key (or null section).
std::vector<std::string> ReadNameList(const char* section, const std::string& file)
{
    std::vector<char> buffer(256);
    DWORD n;
    for (;;) {
        const DWORD size = DWORD(buffer.size());
        n = ::GetPrivateProfileStringA(section, nullptr, "", buffer.data(), size, file.c_str());
        // size - 2 means the list did not fit.
        if (n != size - 2)
            break;
        buffer.resize(buffer.size() * 2);
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < n;) {
        const std::size_t length = ::strnlen(buffer.data() + i, n - i);
        if (length == 0)
            break;
        names.emplace_back(buffer.data() + i, length);
        i += length + 1;
    }
    return names;
}

bool NameAt(const std::vector<std::string>& names, int index, std::string& name)
{
    if (index >= 0 && std::size_t(index) < names.size())
        name = names[std::size_t(index)];
    else
        name.clear();
    return !name.empty();
}

}  // namespace

CIniProfile::CIniProfile(const std::string& name)
    : CProfile(name.empty() ? DefaultProfileFileName() : name)
{
}

CIniProfile::~CIniProfile()
{
    // Makes Windows write its cached copy of the file.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strName.c_str());
}

bool CIniProfile::DeleteSection()
{
    return ::WritePrivateProfileStringA(m_strSection.c_str(), nullptr, nullptr,
                                        m_strName.c_str()) != FALSE;
}

const std::string& CIniProfile::GetString(const std::string& key, const std::string& def,
                                          int /*ignoreCase: Windows ignores case anyway*/)
{
    std::vector<char> buffer(256);
    DWORD n;
    for (;;) {
        const DWORD size = DWORD(buffer.size());
        n = ::GetPrivateProfileStringA(m_strSection.c_str(), key.c_str(), def.c_str(),
                                       buffer.data(), size, m_strName.c_str());
        // size - 1 means the value filled the buffer and may go on.
        if (n != size - 1)
            break;
        buffer.resize(buffer.size() * 2);
    }
    std::string& result = SharedResult();
    result.assign(buffer.data(), n);
    return result;
}

int CIniProfile::GetInt(const std::string& key, int def)
{
    return int(::GetPrivateProfileIntA(m_strSection.c_str(), key.c_str(), def,
                                       m_strName.c_str()));
}

bool CIniProfile::WriteString(const std::string& key, const std::string& value)
{
    if (key.empty() && value.empty())
        return DeleteSection();
    return ::WritePrivateProfileStringA(m_strSection.c_str(), key.c_str(), value.c_str(),
                                        m_strName.c_str()) != FALSE;
}

bool CIniProfile::WriteInt(const std::string& key, int value)
{
    return WriteString(key, std::to_string(value));
}

int CIniProfile::GetKeyCount()
{
    return int(ReadNameList(m_strSection.c_str(), m_strName).size());
}

bool CIniProfile::GetKeyName(int index, std::string& name)
{
    return NameAt(ReadNameList(m_strSection.c_str(), m_strName), index, name);
}

int CIniProfile::GetSectionCount()
{
    return int(ReadNameList(nullptr, m_strName).size());
}

bool CIniProfile::GetSectionName(int index, std::string& name)
{
    return NameAt(ReadNameList(nullptr, m_strName), index, name);
}

bool CIniProfile::DeleteKey(const std::string& key)
{
    return ::WritePrivateProfileStringA(m_strSection.c_str(), key.c_str(), nullptr,
                                        m_strName.c_str()) != FALSE;
}

#include "profile/profile.h"
#include "paths/pathvars.h"

CProfile::CProfile(const std::string& name) : m_strName(name) {}

CProfile::~CProfile() = default;

const std::string& CProfile::GetName() const { return m_strName; }

const std::string& CProfile::GetSection() const { return m_strSection; }

void CProfile::SetSection(const char* name)
{
    m_strSection = name ? name : "";
}

const std::string& CProfile::GetStringAt(int index, const std::string& def)
{
    std::string key;
    if (!GetKeyName(index, key))
        return def;
    return GetString(key, def, 0);
}

int CProfile::GetIntAt(int index, int def)
{
    std::string key;
    if (!GetKeyName(index, key))
        return def;
    return GetInt(key, def);
}

bool CProfile::SetName(const std::string& name)
{
    m_strName = name;
    return true;
}

std::string ReplaceExtensionWithIni(const std::string& path)
{
    // A leading "." is part of the name, not an extension.
    const std::size_t dot = path.rfind('.');
    std::string result = (dot == std::string::npos || dot == 0) ? path : path.substr(0, dot);
    return result + ".INI";
}

std::string DefaultProfileFileName()
{
    return ReplaceExtensionWithIni(GetModulePath());
}

#include "profile/regprofile.h"
#include <string>
#include <vector>
#include "paths/mbcs.h"
#include "paths/pathvars.h"
#include "profile/intrule.h"
#include "profile/probe.h"

namespace {

std::string& SharedResult()
{
    static std::string result;
    return result;
}

std::string DefaultKeyName()
{
    const std::string path = GetModulePath();
    const std::size_t slash = FindLastBackslash(path);
    return "Software\\Main\\" + (slash == std::string::npos ? path : path.substr(slash + 1));
}

// A value's raw bytes; FALSE when the key or value is missing or unreadable.
bool QueryValue(HKEY key, const std::string& name, DWORD& type, std::vector<BYTE>& data)
{
    DWORD size = 0;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    if (size == 0)
        return true;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

// Text of a REG_SZ value: up to its first NUL, whether or not it was stored with one.
std::string TextOf(const std::vector<BYTE>& data)
{
    std::string text(data.begin(), data.end());
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    return text;
}

// Up to 4 bytes as a little-endian number, missing high bytes zero.
uint32_t LittleEndianOf(const std::vector<BYTE>& data)
{
    uint32_t value = 0;
    for (std::size_t i = 0; i < data.size() && i < 4; ++i)
        value |= uint32_t(data[i]) << (8 * i);
    return value;
}

}  // namespace

CRegProfile::CRegProfile(const std::string& name, HKEY root)
    : CProfile(name.empty() ? DefaultKeyName() : name), m_hRoot(root)
{
}

CRegProfile::~CRegProfile() = default;

bool CRegProfile::OpenBaseKey()
{
    m_base.Close();
    DWORD disposition = 0;
    if (::RegCreateKeyExA(m_hRoot, m_strName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, m_base.Receive(),
                          &disposition) != ERROR_SUCCESS) {
        m_base.Detach();   // whatever the failed call left there is no key
        return false;
    }
    return true;
}

bool CRegProfile::EnsureBaseKey()
{
    return m_base || OpenBaseKey();
}

bool CRegProfile::SetName(const std::string& name)
{
    // The open base key belongs to the old name.
    if (name != m_strName)
        m_base.Close();
    return CProfile::SetName(name);
}

bool CRegProfile::DeleteSection()
{
    if (!EnsureBaseKey())
        return true;
    return ::RegDeleteKeyA(m_base.Get(), m_strSection.c_str()) == ERROR_SUCCESS;
}

bool CRegProfile::QuerySectionValue(const std::string& key, DWORD& type, std::vector<BYTE>& data)
{
    CRegKey section;
    return ::RegOpenKeyExA(m_base.Get(), m_strSection.c_str(), 0, KEY_READ, section.Receive()) ==
               ERROR_SUCCESS &&
           QueryValue(section.Get(), key, type, data);
}

bool CRegProfile::SetSectionValue(const std::string& key, DWORD type, const BYTE* data, DWORD size)
{
    CRegKey section;
    DWORD disposition = 0;
    return ::RegCreateKeyExA(m_base.Get(), m_strSection.c_str(), 0, nullptr,
                             REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, section.Receive(),
                             &disposition) == ERROR_SUCCESS &&
           ::RegSetValueExA(section.Get(), key.c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

const std::string& CRegProfile::GetString(const std::string& key, const std::string& def,
                                          int /*ignoreCase: the registry ignores case anyway*/)
{
    if (!EnsureBaseKey())
        return def;
    std::string& result = SharedResult();
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QuerySectionValue(key, type, data)) {
        result = def;
    } else if (type == REG_SZ) {
        result = TextOf(data);
    } else if (type == REG_DWORD) {
        result = std::to_string(int32_t(LittleEndianOf(data)));
    } else {
        result = def;
    }
    return result;
}

int CRegProfile::GetInt(const std::string& key, int def)
{
    if (!EnsureBaseKey())
        return def;
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QuerySectionValue(key, type, data))
        return def;
    if (type == REG_SZ)
        return ParseScriptInt(TextOf(data));
    if (type == REG_DWORD || data.size() <= 4)
        return int(LittleEndianOf(data));
    return def;
}

bool CRegProfile::WriteString(const std::string& key, const std::string& value)
{
    return EnsureBaseKey() &&
           SetSectionValue(key, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           DWORD(value.size() + 1));
}

bool CRegProfile::WriteInt(const std::string& key, int value)
{
    const DWORD dword = DWORD(value);
    return EnsureBaseKey() &&
           SetSectionValue(key, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword);
}

LONG CRegProfile::EnumName(bool values, int index, std::string& name)
{
    name.clear();
    if (index < 0)
        return ERROR_NO_MORE_ITEMS;
    CRegKey section;
    HKEY key = m_base.Get();
    if (values) {
        const LONG error =
            ::RegOpenKeyExA(m_base.Get(), m_strSection.c_str(), 0, KEY_READ, section.Receive());
        if (error != ERROR_SUCCESS)
            return error;
        key = section.Get();
    }
    // Names are at most 16383 characters; the cap only guards the loop.
    LONG error = ERROR_MORE_DATA;
    for (DWORD length = 255; error == ERROR_MORE_DATA && length < 0x100000; length *= 2) {
        std::vector<char> buffer(length + 1);
        DWORD passed = length;
        error = values ? ::RegEnumValueA(key, DWORD(index), buffer.data(), &passed, nullptr,
                                         nullptr, nullptr, nullptr)
                       : ::RegEnumKeyExA(key, DWORD(index), buffer.data(), &passed, nullptr,
                                         nullptr, nullptr, nullptr);
        if (error == ERROR_SUCCESS)
            name.assign(buffer.data(), passed < length ? passed : length);
    }
    return error;
}

int CRegProfile::CountNames(bool values)
{
    if (!EnsureBaseKey())
        return 0;
    return CountByProbing([this, values](int index) {
        std::string name;
        return EnumName(values, index, name) == ERROR_SUCCESS;
    });
}

bool CRegProfile::NameAt(bool values, int index, std::string& name)
{
    if (!EnsureBaseKey()) {
        name.clear();
        return false;
    }
    return EnumName(values, index, name) == ERROR_SUCCESS && !name.empty();
}

// Every value counts, also the unnamed one that GetKeyName reports as
// missing: the indexes up to the count are exactly those of the values.
int CRegProfile::GetKeyCount() { return CountNames(true); }
bool CRegProfile::GetKeyName(int index, std::string& name) { return NameAt(true, index, name); }
int CRegProfile::GetSectionCount() { return CountNames(false); }
bool CRegProfile::GetSectionName(int index, std::string& name) { return NameAt(false, index, name); }

bool CRegProfile::DeleteKey(const std::string& key)
{
    if (!EnsureBaseKey())
        return true;
    CRegKey section;
    if (::RegOpenKeyExA(m_base.Get(), m_strSection.c_str(), 0, KEY_ALL_ACCESS,
                        section.Receive()) != ERROR_SUCCESS)
        return true;
    return ::RegDeleteValueA(section.Get(), key.c_str()) == ERROR_SUCCESS;
}

#include "profile/fileprofile.h"
#include <windows.h>
#include "profile/intrule.h"
#include "profile/memfile.h"

// Indexes come from callers that count first; one outside the list finds
// nothing instead of reading past it.
template <typename T>
static bool IsIndexIn(const std::vector<T>& list, int index)
{
    return index >= 0 && std::size_t(index) < list.size();
}

CFileProfile::CFileProfile(const std::string& name)
    : CProfile(name.empty() ? DefaultProfileFileName() : name)
{
}

CFileProfile::~CFileProfile()
{
    CFileProfile::Unload();
}

void CFileProfile::SetSection(const char* name)
{
    const std::string wanted = name ? name : "";
    if (m_pCurrent && wanted == m_strSection)
        return;
    m_strSection = wanted;
    m_pCurrent = nullptr;
    for (CFileProfileSection& section : m_sections) {
        if (section.m_strName == wanted) {
            m_pCurrent = &section;
            break;
        }
    }
}

bool CFileProfile::DeleteSection() { return false; }
bool CFileProfile::WriteString(const std::string&, const std::string&) { return false; }
bool CFileProfile::WriteInt(const std::string&, int) { return false; }
bool CFileProfile::DeleteKey(const std::string&) { return false; }

const CFileProfileEntry* CFileProfile::FindEntry(const std::string& key, int ignoreCase)
{
    if (!Load() || !m_pCurrent)
        return nullptr;
    for (const CFileProfileEntry& entry : m_pCurrent->m_entries) {
        if (entry.m_strKey == key ||
            (ignoreCase && ::lstrcmpiA(entry.m_strKey.c_str(), key.c_str()) == 0))
            return &entry;
    }
    return nullptr;
}

const CFileProfileEntry* CFileProfile::EntryAt(int index)
{
    if (!Load() || !m_pCurrent || !IsIndexIn(m_pCurrent->m_entries, index))
        return nullptr;
    return &m_pCurrent->m_entries[std::size_t(index)];
}

const std::string& CFileProfile::GetString(const std::string& key, const std::string& def,
                                           int ignoreCase)
{
    const CFileProfileEntry* entry = FindEntry(key, ignoreCase);
    return entry ? entry->m_strValue : def;
}

int CFileProfile::GetInt(const std::string& key, int def)
{
    const CFileProfileEntry* entry = FindEntry(key, 0);
    return entry ? ParseScriptInt(entry->m_strValue) : def;
}

int CFileProfile::GetKeyCount()
{
    if (!Load() || !m_pCurrent)
        return 0;
    return int(m_pCurrent->m_entries.size());
}

bool CFileProfile::GetKeyName(int index, std::string& name)
{
    const CFileProfileEntry* entry = EntryAt(index);
    if (!entry)
        return false;
    name = entry->m_strKey;
    return true;
}

const std::string& CFileProfile::GetStringAt(int index, const std::string& def)
{
    const CFileProfileEntry* entry = EntryAt(index);
    return entry ? entry->m_strValue : def;
}

int CFileProfile::GetIntAt(int index, int def)
{
    const CFileProfileEntry* entry = EntryAt(index);
    return entry ? ParseScriptInt(entry->m_strValue) : def;
}

int CFileProfile::GetSectionCount()
{
    if (!Load())
        return 0;
    return int(m_sections.size());
}

bool CFileProfile::GetSectionName(int index, std::string& name)
{
    name.clear();
    if (!Load() || !IsIndexIn(m_sections, index))
        return false;
    name = m_sections[std::size_t(index)].m_strName;
    return true;
}

bool CFileProfile::SetName(const std::string& name)
{
    if (name == m_strName)
        return true;
    Unload();
    m_strName = name;
    return Load();
}

void CFileProfile::Unload()
{
    m_pCurrent = nullptr;
    m_sections.clear();
    m_strName.clear();
    m_strSection.clear();
}

bool CFileProfile::Load() { return false; }

// ---- CReadonlyFileProfile ----

CReadonlyFileProfile::CReadonlyFileProfile(const std::string& name) : CFileProfile(name) {}

bool CReadonlyFileProfile::Load()
{
    if (IsLoaded())
        return true;
    {
        // The file is open only while it is parsed. A file that cannot be
        // opened (after the user's Ignore) or mapped reads as length 0.
        const std::unique_ptr<CMemMapFile> file = OpenMemMapFile(m_strName);
        if (file->GetLength() > 0)
            m_sections = ParseIniText(file->GetPointer(), file->GetLength());
    }
    // A section chosen before the file was read is found now. With no
    // section the store stays unloaded and the next read parses again.
    m_pCurrent = nullptr;
    const std::string section = m_strSection;
    SetSection(section.c_str());
    return true;
}

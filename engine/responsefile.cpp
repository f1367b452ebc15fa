#include "engine/responsefile.h"

#include <windows.h>
#include <cctype>
#include <cstdlib>

#include "paths/mbcs.h"
#include "paths/pathvars.h"
#include "platform/handles.h"

namespace {

bool SameNoCase(const std::string& a, const char* b)
{
    return lstrcmpiA(a.c_str(), b) == 0;
}

// The keys of each section, and for a question the words its answer may be
// (none: any text).
struct CKnownKey {
    const char* section;
    const char* key;
    const char* words[5];
};
using namespace ResponseKeys;
const CKnownKey kKnownKeys[] = {
    {kWizard, kUserName, {}},
    {kWizard, kInstallDir, {}},
    {kWizard, kOption, {}},
    {kWizard, kProgramFolder, {}},
    {kQuestions, kSourceOlder, {"Keep", "Replace", "ReplaceAll", "Abort"}},
    {kQuestions, kDifferentLanguage, {"Keep", "Replace", "ReplaceAll", "Abort"}},
    {kQuestions, kReadOnly, {"Keep", "Overwrite", "Abort"}},
    {kQuestions, kFileInUse, {"Ignore", "Abort"}},
    {kQuestions, kCannotDeleteCurrent, {"Delete", "Abort"}},
    {kQuestions, kDiskSpace, {"Continue", "Abort"}},
    {kQuestions, kDiskChange, {"Wait", "Abort"}},
    {kQuestions, kDiskTimeout, {}},
};

const CKnownKey* FindKey(const std::string& section, const std::string& key)
{
    for (const CKnownKey& k : kKnownKeys) {
        if (SameNoCase(section, k.section) && SameNoCase(key, k.key))
            return &k;
    }
    return nullptr;
}

bool IsTimeout(const std::string& value)
{
    if (value.empty() || value.size() > 5)
        return false;
    for (const char ch : value) {
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    }
    return std::atoi(value.c_str()) <= kMaxDiskTimeoutSeconds;
}

}  // namespace

bool CResponseFile::Load(const std::string& path, std::string& error)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = "response file " + path + " cannot be opened";
        return false;
    }
    const DWORD size = ::GetFileSize(file.Get(), nullptr);
    // A response file holds a dozen short lines; a large file is no response file.
    if (size == INVALID_FILE_SIZE || size > 65536) {
        error = "response file " + path + " is not a response file";
        return false;
    }
    std::string text(size, '\0');
    DWORD read = 0;
    if (size > 0 && (!::ReadFile(file.Get(), &text[0], size, &read, nullptr) || read != size)) {
        error = "response file " + path + " cannot be read";
        return false;
    }
    if (!Parse(text, error)) {
        error = "response file " + path + ": " + error;
        return false;
    }
    return true;
}

bool CResponseFile::Parse(const std::string& text, std::string& error)
{
    std::vector<int32_t> stray;
    m_sections = ParseIniText(text.data(), static_cast<int32_t>(text.size()), &stray);
    if (!stray.empty()) {
        error = "line " + std::to_string(stray.front()) + " is outside any section";
        return false;
    }
    for (const CFileProfileSection& section : m_sections) {
        for (const CFileProfileEntry& entry : section.m_entries) {
            const CKnownKey* known = FindKey(section.m_strName, entry.m_strKey);
            const std::string where = "line " + std::to_string(entry.m_nLine) + ": ";
            if (!known) {
                error = where + "unknown key [" + section.m_strName + "] " + entry.m_strKey;
                return false;
            }
            if (SameNoCase(entry.m_strKey, kDiskTimeout) && !IsTimeout(entry.m_strValue)) {
                error = where + "DiskTimeout is not a number of seconds from 0 to 86400";
                return false;
            }
            if (!known->words[0])
                continue;
            bool allowed = false;
            for (const char* word : known->words)
                allowed = allowed || (word && SameNoCase(entry.m_strValue, word));
            if (!allowed) {
                error = where + entry.m_strKey + "=" + entry.m_strValue + " is no answer to that question";
                return false;
            }
        }
    }
    error.clear();
    return true;
}

bool CResponseFile::Get(const char* section, const char* key, std::string& value) const
{
    // The last of repeated keys wins, as with a recording written twice.
    bool found = false;
    for (const CFileProfileSection& s : m_sections) {
        if (!SameNoCase(s.m_strName, section))
            continue;
        for (const CFileProfileEntry& entry : s.m_entries) {
            if (SameNoCase(entry.m_strKey, key)) {
                value = entry.m_strValue;
                found = true;
            }
        }
    }
    return found;
}

std::string CResponseFile::Answer(const char* key) const
{
    std::string value;
    if (!Get(kQuestions, key, value))
        return std::string();
    // The word as the table spells it, whatever the file's letter case.
    for (const CKnownKey& k : kKnownKeys) {
        if (!SameNoCase(key, k.key))
            continue;
        for (const char* word : k.words) {
            if (word && SameNoCase(value, word))
                return word;
        }
    }
    return value;
}

int CResponseFile::DiskTimeoutSeconds() const
{
    std::string value;
    return Get(kQuestions, kDiskTimeout, value) ? std::atoi(value.c_str()) : kDefaultDiskTimeoutSeconds;
}

std::string DefaultResponseFilePath()
{
    const std::string windows = GetWindowsDir();
    // A root such as "C:\" ends in its separator; a trail byte of 0x5C is none.
    if (!windows.empty() && FindLastBackslash(windows) == windows.size() - 1)
        return windows + "SETUP.ISS";
    return windows + "\\SETUP.ISS";
}

CResponseRecorder::CResponseRecorder(const std::string& path) : m_strPath(path)
{
    ::DeleteFileA(m_strPath.c_str());
}

void CResponseRecorder::Set(const char* section, const char* key, const std::string& value) const
{
    ::WritePrivateProfileStringA(section, key, value.c_str(), m_strPath.c_str());
}

#include "services/uninstlog.h"

#include <windows.h>

#include "paths/pathvars.h"
#include "platform/handles.h"
#include "profile/iniprofile.h"
#include "profile/regprofile.h"

namespace ul = uninstall_log;

namespace {

// file,section[,key] of an INI update, each expanded. A file given as a bare
// name stays bare: the uninstaller resolves it as the private-profile
// functions do, in the Windows directory.
std::string IniRecord(const CIniItem& item, bool withKey)
{
    std::string file = item.m_strFile;
    std::string section = item.m_strSection;
    ExpandPathVariables(file);
    ExpandPathVariables(section);
    std::string value = file + "," + section;
    if (withKey) {
        std::string key = item.m_strKey;
        ExpandPathVariables(key);
        value += "," + key;
    }
    return value;
}

}  // namespace

std::string UninstallKeyPath(const std::string& keyName)
{
    return ul::kUninstallKeyBase + keyName;
}

void CUninstallLogWriter::WriteRecord(const std::string& file, const char* section, int& counter,
                                      const std::string& value)
{
    // The counter moves on also when the write fails: a later record never
    // takes the key of one that may have reached the file after all.
    const std::string key = std::to_string(counter++);
    CIniProfile log(file);
    log.SetSection(section);
    log.WriteString(key, value);
}

void CUninstallLogWriter::DeleteFile(const std::string& logPath, const std::string& path)
{
    WriteRecord(logPath, ul::kDeleteFile, m_nDeleteFile, path);
}

void CUninstallLogWriter::CreatedDirectory(const std::string& path)
{
    WriteRecord(ul::kTempListFile, ul::kTempListSection, m_nCreatedDirectory, path);
}

void CUninstallLogWriter::DeleteShortCut(const std::string& logPath, const std::string& path)
{
    WriteRecord(logPath, ul::kDeleteShortCut, m_nDeleteShortCut, path);
}

void CUninstallLogWriter::DeleteProgramGroup(const std::string& logPath, const std::string& name)
{
    WriteRecord(logPath, ul::kDeleteProgramGroup, m_nDeleteProgramGroup, name);
}

void CUninstallLogWriter::UnregisterOcx(const std::string& logPath, const COcxItem& item)
{
    if (!item.m_bUninstall)
        return;
    std::string path = item.m_strPath;
    ExpandPathVariables(path);
    // Only a control that loads can be unregistered later; the module stays
    // loaded until its record is on disk.
    CModule control(::LoadLibraryA(path.c_str()));
    if (!control)
        return;
    WriteRecord(logPath, ul::kUnregisterOcx, m_nUnregisterOcx, path);
}

void CUninstallLogWriter::DeleteIniFile(const std::string& logPath, const std::string& path)
{
    WriteRecord(logPath, ul::kDeleteIniFile, m_nDeleteIniFile, path);
}

void CUninstallLogWriter::DeleteIniSection(const std::string& logPath, const CIniItem& item)
{
    WriteRecord(logPath, ul::kDeleteIniSection, m_nDeleteIniSection, IniRecord(item, false));
}

void CUninstallLogWriter::DeleteIniKeyword(const std::string& logPath, const CIniItem& item)
{
    WriteRecord(logPath, ul::kDeleteIniKeyword, m_nDeleteIniKeyword, IniRecord(item, true));
}

void CUninstallLogWriter::DeleteIniValue(const std::string& logPath, const CIniItem& item)
{
    WriteRecord(logPath, ul::kDeleteIniValue, m_nDeleteIniValue, IniRecord(item, true));
}

void CUninstallLogWriter::Register(const std::string& logPath,
                                   const CUninstallRegistration& registration)
{
    const std::string keyPath = UninstallKeyPath(registration.m_strUninstallKey);
    {
        CRegProfile uninstallKey(keyPath, HKEY_LOCAL_MACHINE);
        uninstallKey.SetSection("");
        uninstallKey.WriteString("DisplayName", registration.m_strProduct);
        std::string command = ul::kUninstallCommand;
        ExpandPathVariables(command);
        uninstallKey.WriteString("UninstallString", command);
    }
    {
        CIniProfile log(logPath);
        log.SetSection(ul::kDeleteDirectory);
        CIniProfile tempList(ul::kTempListFile);
        tempList.SetSection(ul::kTempListSection);
        const int count = tempList.GetKeyCount();
        for (int i = 0; i < count; ++i) {
            std::string key;
            if (!tempList.GetKeyName(i, key))
                continue;
            // Copied: the store's value lives only until its next call.
            const std::string dir = tempList.GetStringAt(i, std::string());
            if (!dir.empty())
                log.WriteString(key, dir);
        }
        tempList.WriteString(std::string(), std::string());
        log.SetSection(ul::kConfig);
        log.WriteString(ul::kProduct, registration.m_strProduct);
        log.WriteString(ul::kReg, registration.m_strUninstallKey.empty() ? std::string() : keyPath);
    }
    std::string self = "$INSTDIR$\\UNINSTAL.INF";
    ExpandPathVariables(self);
    DeleteFile(logPath, self);
    const DWORD attributes = ::GetFileAttributesA(logPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesA(logPath.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
}

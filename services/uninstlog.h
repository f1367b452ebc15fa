#pragma once
// The uninstall log: everything an uninstallation has to undo, recorded in
// UNINSTAL.INF in the install directory while the installation runs, and the
// registration of the uninstaller with Windows at its end.
//
// The log is an INI file, one record per key, keys "0", "1", … counted per
// record kind by this process (never read back from an existing log, so a
// second installation into the same directory overwrites the first one's
// records key by key and leaves its higher-numbered ones in place):
//
//   [DeleteFile]          full path of an installed file; the last one is the log itself
//   [DeleteDirectory]     full path of a directory the copy created (moved in at registration)
//   [DeleteShortCut]      full path of a shortcut file
//   [DeleteProgramGroup]  name of a Program Manager group (Windows NT 3.x)
//   [UnregisterOcx]       path of a registered control
//   [DeleteIniFile]       path of an INI file that did not exist before
//   [DeleteIniSection]    file,section   whose section did not exist before
//   [DeleteIniKeyword]    file,section,key   whose key did not exist before
//   [DeleteIniValue]      file,section,key   whose key existed before
//   [Config]              Product=product name, Reg=uninstall key path below HKLM
//
// Values are written as they stand: no quoting, so a file or section name
// with a comma makes its INI record ambiguous to read back.
//
// Created directories are first listed in the section
// "VemorSetupDeleteDirectory" of WIN.INI, so that an installation that ends
// before registration leaves a trace of them; registration moves the list
// into the log and deletes the WIN.INI section.
#include <memory>
#include <string>

#include "profile/recordfile.h"
#include "script/items.h"
#include "services/uninstlogformat.h"

// The record operations as the phases of the installation see them. The
// installer's main window implements them; every operation does nothing
// when the script turns uninstall support off.
class IUninstallLog {
public:
    virtual ~IUninstallLog() = default;
    virtual void LogDeleteFile(const std::string& path) = 0;
    virtual void LogCreatedDirectory(const std::string& path) = 0;
    virtual void LogDeleteShortCut(const std::string& path) = 0;
    virtual void LogDeleteProgramGroup(const std::string& name) = 0;
    // Recorded only when the item asks for uninstallation and the control loads.
    virtual void LogUnregisterOcx(const COcxItem& item) = 0;
    virtual void LogDeleteIniFile(const std::string& path) = 0;
    virtual void LogDeleteIniSection(const CIniItem& item) = 0;
    virtual void LogDeleteIniKeyword(const CIniItem& item) = 0;
    virtual void LogDeleteIniValue(const CIniItem& item) = 0;
};

// What registration needs to know of the installation.
struct CUninstallRegistration {
    std::string m_strProduct;        // DisplayName, and "Product" in the log
    std::string m_strUninstallKey;   // name below the Windows uninstall key
};

// The uninstall key below HKEY_LOCAL_MACHINE for a key name. An empty name
// gives the Windows uninstall key itself, ending in a backslash.
std::string UninstallKeyPath(const std::string& keyName);

// Writes the records of one installation into the log at a given path. It
// holds the per-kind counters; each record reaches the disk before the call
// returns, so the log is complete after every record, byte for byte as the
// private-profile functions would have written it, at a cost per record that
// does not grow with the log (profile/recordfile.h). Records are
// written by one thread at a time (the copy worker, then the update worker,
// with the user-interface thread only while the update worker waits for it),
// so nothing is locked.
class CUninstallLogWriter {
public:
    void DeleteFile(const std::string& logPath, const std::string& path);
    void CreatedDirectory(const std::string& path);
    void DeleteShortCut(const std::string& logPath, const std::string& path);
    void DeleteProgramGroup(const std::string& logPath, const std::string& name);
    void UnregisterOcx(const std::string& logPath, const COcxItem& item);
    void DeleteIniFile(const std::string& logPath, const std::string& path);
    void DeleteIniSection(const std::string& logPath, const CIniItem& item);
    void DeleteIniKeyword(const std::string& logPath, const CIniItem& item);
    void DeleteIniValue(const std::string& logPath, const CIniItem& item);

    // Completes the log at logPath and registers the uninstaller: the
    // uninstall key's DisplayName and UninstallString, the WIN.INI list moved
    // into [DeleteDirectory], [Config], the log's own [DeleteFile] record,
    // and the log made hidden.
    //
    // A script without a key name ("Uninstall" absent, or its second field
    // empty) makes the key path the Windows uninstall key itself: the two
    // values land there and "Reg" names that key. The uninstaller never
    // deletes it (it holds every product's registration); it removes only
    // the two values when they name this log.
    void Register(const std::string& logPath, const CUninstallRegistration& registration);

private:
    // Writes value under the next key of the counter into section of the log.
    void WriteRecord(const std::string& logPath, const char* section, int& counter,
                     const std::string& value);
    CIniRecordFile& Log(const std::string& logPath);

    std::unique_ptr<CIniRecordFile> m_pLog;
    std::string m_strLogPath;

    int m_nDeleteFile = 0;
    int m_nDeleteShortCut = 0;
    int m_nUnregisterOcx = 0;
    int m_nCreatedDirectory = 0;
    int m_nDeleteIniFile = 0;
    int m_nDeleteIniSection = 0;
    int m_nDeleteIniKeyword = 0;
    int m_nDeleteIniValue = 0;
    int m_nDeleteProgramGroup = 0;
};

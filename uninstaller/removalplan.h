#pragma once
// What an uninstallation does, decided from the log before anything is
// touched: the steps in the order they run, and the records that are refused
// with the reason. The plan needs to know a few facts of the system (the
// Windows and system directories, the shell's folders, whether Program
// Manager is the shell, which INI files, sections and keys exist); they come
// through IPlanFacts, so the plan is computed and tested without Windows.
//
// Order of the steps:
//   1. controls unregistered (while their files are still there);
//   2. shortcuts deleted, then each program folder that held them, if empty;
//   3. Program Manager groups deleted (Windows NT 3.x only);
//   4. INI keys, then INI sections, then INI files that the installation created;
//   5. files;
//   6. the product's uninstall registration;
//   7. the log itself;
//   8. directories that the installation created, deepest first, each only if empty
//      (last, so that the install directory is empty once the log is gone).
#include <cstddef>
#include <string>
#include <vector>

#include "uninstaller/logreader.h"

class IPlanFacts {
public:
    virtual ~IPlanFacts() = default;
    virtual std::string WindowsDirectory() = 0;
    virtual std::string SystemDirectory() = 0;
    // The Start menu's programs folders in which the installer makes program
    // folders (the shell's, and the one below the NT 4.0 user profile).
    virtual std::vector<std::string> ProgramsFolders() = 0;
    // Other folders of the shell that are never removed (desktop, Start menu, …).
    virtual std::vector<std::string> ShellFolders() = 0;
    // Program Manager is the shell (Windows NT before 4.0).
    virtual bool HasProgramManager() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // The section names of an INI file as the private-profile functions list
    // them, and the key names of the first section whose name matches
    // (letter case ignored, as those functions match it).
    virtual std::vector<std::string> IniSectionNames(const std::string& file) = 0;
    virtual std::vector<std::string> IniKeyNames(const std::string& file,
                                                 const std::string& section) = 0;
};

enum class StepKind {
    UnregisterControl,     // target: the control's path
    DeleteShortcut,        // target: the shortcut file
    RemoveProgramFolder,   // target: the folder of shortcuts below a programs folder
    DeleteProgramGroup,    // target: the group's name
    DeleteIniKey,          // target: INI file; section, key
    DeleteIniSection,      // target: INI file; section
    DeleteIniFile,         // target: INI file
    DeleteFile,            // target: the file
    DeleteRegistration,    // target: the key path below HKEY_LOCAL_MACHINE
    DeleteLog,             // target: the log
    RemoveDirectory,       // target: the directory
};

struct CRemovalStep {
    StepKind m_kind = StepKind::DeleteFile;
    std::string m_strTarget;
    std::string m_strSection;
    std::string m_strKey;
    // DeleteFile and UnregisterControl: the file lies in the Windows or the
    // system directory (or in Windows NT's 16-bit one, <Windows>\SYSTEM),
    // where other products may share it.
    bool m_bShared = false;
    // Not done: a shared file the user keeps (the default), and a control
    // registered from a file that stays.
    bool m_bKeep = false;
    // DeleteRegistration: the key is the Windows uninstall key itself; only
    // this product's two values in it go.
    bool m_bValuesOnly = false;
};

enum class Refusal {
    NotFullPath,           // a path without drive or share: it depends on the current directory
    RootDirectory,         // the root of a drive or share
    WindowsDirectory,
    SystemDirectory,
    ShellFolder,           // the desktop, the Start menu, a programs folder, …
    SystemIniFile,         // WIN.INI or SYSTEM.INI of the Windows directory
    AmbiguousIniRecord,    // commas in the record: more than one reading names what exists
    UninstallKeyItself,    // "Reg" names the Windows uninstall key, not a product's key below it
    NotBelowUninstallKey,  // "Reg" names a key elsewhere, or a malformed path
    NoProgramManager,      // a Program Manager group, but Program Manager is not the shell
    GroupNameUnsendable,   // a group name that no Program Manager command can carry
};

struct CRefusal {
    StepKind m_kind = StepKind::DeleteFile;   // what the record would have made
    std::string m_strValue;                   // the record as the log has it
    Refusal m_reason = Refusal::NotFullPath;
};

struct CRemovalPlan {
    std::string m_strProduct;
    std::vector<CRemovalStep> m_steps;
    std::vector<CRefusal> m_refusals;

    // Indexes of the DeleteFile steps that ask the user: shared files that exist.
    std::vector<std::size_t> m_sharedFiles;

    // The user's answer for a shared file (kept by default). A control
    // registered from the same file is unregistered only when the file goes.
    void KeepSharedFile(std::size_t step, bool keep);
};

// The plan for a log read from logPath.
CRemovalPlan BuildRemovalPlan(const CUninstallLog& log, const std::string& logPath,
                              IPlanFacts& facts);

// The INI file that an INI record names: a name whose second character is
// neither ':' nor '&' lies in the Windows directory, as the installer took it
// when it wrote the entry.
std::string ResolveIniFile(const std::string& file, const std::string& windowsDirectory);

// The Program Manager command that deletes a group.
std::string DeleteGroupCommand(const std::string& group);

#pragma once
// Files that are in use cannot be deleted now; Windows deletes them when it
// starts the next time, each platform its own way:
//  - Windows 95: a "NUL=short path" line in [rename] of WININIT.INI in the
//    Windows directory (MoveFileEx is not available there). WININIT cannot
//    remove directories.
//  - Windows NT: MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT and no new name;
//    the session manager deletes the entries in the order they were made,
//    and removes a directory so entered if it is empty by then.
#include <windows.h>
#include <set>
#include <string>

enum class RestartMethod {
    None,          // neither (Win32s): a file in use stays
    WininitIni,    // Windows 95
    MoveFileEx,    // Windows NT
};

// The method of the running system.
RestartMethod RestartMethodOfThisSystem();

class CRestartDeletions {
public:
    // wininitPath: where WININIT.INI is (the Windows directory's).
    CRestartDeletions(RestartMethod method, std::string wininitPath);

    RestartMethod Method() const { return m_method; }
    // Enters a file for deletion; FALSE with the system's error code.
    bool ScheduleFile(const std::string& path, DWORD& error);
    // Enters an (at restart empty) directory; only Windows NT can.
    bool CanScheduleDirectories() const { return m_method == RestartMethod::MoveFileEx; }
    bool ScheduleDirectory(const std::string& path, DWORD& error);
    // The path was entered by this object.
    bool IsScheduled(const std::string& path) const;
    bool Any() const { return !m_scheduled.empty(); }

private:
    bool Schedule(const std::string& path, DWORD& error);
    bool AddToWininit(const std::string& path, DWORD& error);

    RestartMethod m_method;
    std::string m_strWininitPath;
    std::set<std::string> m_scheduled;    // path keys
};

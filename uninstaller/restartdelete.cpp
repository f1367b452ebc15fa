#include "uninstaller/restartdelete.h"

#include <vector>

#include "uninstaller/filebytes.h"
#include "uninstaller/pathkey.h"
#include "uninstaller/wininit.h"

RestartMethod RestartMethodOfThisSystem()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info))
        return RestartMethod::None;
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT:
        return RestartMethod::MoveFileEx;
    case VER_PLATFORM_WIN32_WINDOWS:
        return RestartMethod::WininitIni;
    default:
        return RestartMethod::None;
    }
}

CRestartDeletions::CRestartDeletions(RestartMethod method, std::string wininitPath)
    : m_method(method), m_strWininitPath(std::move(wininitPath))
{
}

bool CRestartDeletions::ScheduleFile(const std::string& path, DWORD& error)
{
    return Schedule(path, error);
}

bool CRestartDeletions::ScheduleDirectory(const std::string& path, DWORD& error)
{
    if (!CanScheduleDirectories()) {
        error = ERROR_NOT_SUPPORTED;
        return false;
    }
    return Schedule(path, error);
}

bool CRestartDeletions::IsScheduled(const std::string& path) const
{
    return m_scheduled.count(PathKey(path)) != 0;
}

bool CRestartDeletions::Schedule(const std::string& path, DWORD& error)
{
    bool ok = false;
    switch (m_method) {
    case RestartMethod::MoveFileEx:
        ok = ::MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
        error = ok ? NO_ERROR : ::GetLastError();
        break;
    case RestartMethod::WininitIni:
        ok = AddToWininit(path, error);
        break;
    case RestartMethod::None:
        error = ERROR_NOT_SUPPORTED;
        break;
    }
    if (ok)
        m_scheduled.insert(PathKey(path));
    return ok;
}

bool CRestartDeletions::AddToWininit(const std::string& path, DWORD& error)
{
    // WININIT runs before long file names are available: it needs the 8.3 name.
    std::string shortPath(MAX_PATH, '\0');
    DWORD n = ::GetShortPathNameA(path.c_str(), &shortPath[0], static_cast<DWORD>(shortPath.size()));
    if (n >= shortPath.size()) {
        shortPath.resize(n);
        n = ::GetShortPathNameA(path.c_str(), &shortPath[0], static_cast<DWORD>(shortPath.size()));
    }
    if (n == 0 || n >= shortPath.size()) {
        error = n == 0 ? ::GetLastError() : ERROR_BUFFER_OVERFLOW;
        return false;
    }
    shortPath.resize(n);
    // Whatever this process's private-profile functions hold of the file is
    // written out first, so that the edit below starts from the file on disk.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strWininitPath.c_str());
    std::string text;
    DWORD readError = NO_ERROR;
    if (!ReadFileBytes(m_strWininitPath, text, readError) && readError != ERROR_FILE_NOT_FOUND) {
        error = readError;
        return false;
    }
    return WriteFileBytes(m_strWininitPath, AddWininitDeletions(text, {shortPath}), error);
}

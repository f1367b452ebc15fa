#include "uninstaller/remover.h"

#include <utility>
#include <vector>

#include "platform/handles.h"
#include "uninstaller/commandline.h"
#include "uninstaller/pathkey.h"
#include "uninstaller/regvalue.h"

namespace {

CStepResult Result(Outcome outcome)
{
    CStepResult result;
    result.m_outcome = outcome;
    return result;
}

CStepResult Failed(Failure failure, DWORD error = 0)
{
    CStepResult result;
    result.m_outcome = Outcome::Failed;
    result.m_failure = failure;
    result.m_nError = error;
    return result;
}

// The attributes of what a step names; FALSE with the step's result when
// there is nothing (NothingThere) or it cannot be asked (Failed).
bool ReadAttributes(const std::string& path, DWORD& attributes, CStepResult& result)
{
    attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = ::GetLastError();
    result = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                 ? Result(Outcome::NothingThere)
                 : Failed(Failure::SystemError, error);
    return false;
}

// What DeleteFileA says of a file that a program holds open or has loaded.
bool IsInUse(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE;
}

std::string ShortPath(const std::string& path)
{
    char buffer[MAX_PATH];
    const DWORD n = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

// The names in a directory, "." and ".." left out.
std::vector<std::string> Entries(const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    CFindHandle find(::FindFirstFileA((directory + "\\*").c_str(), &data));
    if (!find)
        return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(find.Get(), &data));
    return names;
}

}  // namespace

CRemover::CRemover(std::string logPath, CRestartDeletions& restart,
                   ProgramManagerFactory programManager)
    : m_strLogPath(std::move(logPath)), m_restart(restart),
      m_programManagerFactory(std::move(programManager))
{
}

CRemover::~CRemover() = default;

CStepResult CRemover::Run(const CRemovalStep& step)
{
    if (step.m_bKeep)
        return Result(Outcome::Kept);
    switch (step.m_kind) {
    case StepKind::UnregisterControl:
        return UnregisterControl(step.m_strTarget);
    case StepKind::DeleteShortcut:
    case StepKind::DeleteFile:
    case StepKind::DeleteLog:
        return DeleteFileStep(step.m_strTarget);
    case StepKind::DeleteIniFile:
        // This process's private-profile functions may still hold the file
        // (the key and section steps before): they write it out first.
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, step.m_strTarget.c_str());
        return DeleteFileStep(step.m_strTarget);
    case StepKind::RemoveProgramFolder:
    case StepKind::RemoveDirectory:
        return RemoveDirectoryStep(step.m_strTarget);
    case StepKind::DeleteProgramGroup:
        return DeleteGroup(step.m_strTarget);
    case StepKind::DeleteIniKey:
    case StepKind::DeleteIniSection:
        return DeleteIniEntry(step);
    case StepKind::DeleteRegistration:
        return DeleteRegistration(step);
    }
    return Failed(Failure::SystemError, ERROR_INVALID_FUNCTION);
}

CStepResult CRemover::UnregisterControl(const std::string& path)
{
    DWORD attributes = 0;
    CStepResult gone;
    if (!ReadAttributes(path, attributes, gone))
        return gone;
    // A control whose own DLLs are missing must not bring up the system's
    // message box: the failure is reported with the others at the end.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    CModule control(::LoadLibraryA(path.c_str()));
    const DWORD loadError = ::GetLastError();
    ::SetErrorMode(oldMode);
    if (!control)
        return Failed(Failure::SystemError, loadError);
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const FARPROC proc = ::GetProcAddress(control.Get(), "DllUnregisterServer");
    if (!proc)
        return Failed(Failure::NotAControl);
    const HRESULT hr = reinterpret_cast<Entry>(reinterpret_cast<void*>(proc))();
    if (FAILED(hr))
        return Failed(Failure::UnregisterFailed, static_cast<DWORD>(hr));
    return Result(Outcome::Done);
}

CStepResult CRemover::DeleteFileStep(const std::string& path)
{
    DWORD attributes = 0;
    CStepResult gone;
    if (!ReadAttributes(path, attributes, gone))
        return gone;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Failed(Failure::NotAFile);
    // Files copied from a CD are often read-only; the log names the file, so
    // the attribute is no reason to keep it.
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        ::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (::DeleteFileA(path.c_str()))
        return Result(Outcome::Done);
    const DWORD error = ::GetLastError();
    DWORD scheduleError = NO_ERROR;
    if (IsInUse(error) && m_restart.ScheduleFile(path, scheduleError))
        return Result(Outcome::AtRestart);
    if (readOnly)
        ::SetFileAttributesA(path.c_str(), attributes);
    return Failed(Failure::SystemError, error);
}

CStepResult CRemover::RemoveDirectoryStep(const std::string& path)
{
    DWORD attributes = 0;
    CStepResult gone;
    if (!ReadAttributes(path, attributes, gone))
        return gone;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Failed(Failure::NotADirectory);
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        ::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    // RemoveDirectoryA removes only an empty directory: nothing in it that
    // the log does not name is ever touched.
    if (::RemoveDirectoryA(path.c_str()))
        return Result(Outcome::Done);
    const DWORD error = ::GetLastError();
    const std::vector<std::string> entries = Entries(path);
    bool onlyScheduled = true;
    for (const std::string& name : entries)
        onlyScheduled = onlyScheduled && m_restart.IsScheduled(path + "\\" + name);
    // Empty once the files in use are gone at the restart (or empty now and
    // held by some process): Windows NT can remove it then too.
    DWORD scheduleError = NO_ERROR;
    if (onlyScheduled && m_restart.CanScheduleDirectories() &&
        m_restart.ScheduleDirectory(path, scheduleError))
        return Result(Outcome::AtRestart);
    if (readOnly)
        ::SetFileAttributesA(path.c_str(), attributes);
    if (!entries.empty())
        return Result(Outcome::NotEmpty);
    return Failed(Failure::SystemError, error);
}

CStepResult CRemover::DeleteGroup(const std::string& name)
{
    if (!m_bProgramManagerTried) {
        m_bProgramManagerTried = true;
        if (m_programManagerFactory)
            m_programManager = m_programManagerFactory();
    }
    if (!m_programManager)
        return Failed(Failure::NoProgramManager);
    if (!m_programManager->Execute(DeleteGroupCommand(name)))
        return Failed(Failure::CommandRefused);
    return Result(Outcome::Done);
}

CStepResult CRemover::DeleteIniEntry(const CRemovalStep& step)
{
    const char* file = step.m_strTarget.c_str();
    const DWORD attributes = ::GetFileAttributesA(file);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Result(Outcome::NothingThere);   // and the private-profile functions must not make one
    const char* key = step.m_kind == StepKind::DeleteIniKey ? step.m_strKey.c_str() : nullptr;
    const BOOL ok = ::WritePrivateProfileStringA(step.m_strSection.c_str(), key, nullptr, file);
    const DWORD error = ::GetLastError();
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
    return ok ? Result(Outcome::Done) : Failed(Failure::SystemError, error);
}

bool CRemover::NamesThisLog(const std::string& uninstallString) const
{
    std::string logPath;
    if (!ParseUninstallString(uninstallString, logPath))
        return false;
    if (SamePath(logPath, m_strLogPath))
        return true;
    // The same file under its short name (the log still exists at this step).
    const std::string a = ShortPath(logPath);
    return !a.empty() && SamePath(a, ShortPath(m_strLogPath));
}

CStepResult CRemover::DeleteRegistration(const CRemovalStep& step)
{
    CRegKey key;
    LONG rc = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, step.m_strTarget.c_str(), 0,
                              KEY_READ | KEY_SET_VALUE, key.Receive());
    if (rc == ERROR_FILE_NOT_FOUND)
        return Result(Outcome::NothingThere);
    if (rc != ERROR_SUCCESS)
        return Failed(Failure::SystemError, static_cast<DWORD>(rc));
    std::string command;
    if (!QueryStringValue(key.Get(), "UninstallString", command))
        return Result(step.m_bValuesOnly ? Outcome::NothingThere : Outcome::NotThisProduct);
    // Another installation of the product (into another directory) may have
    // registered itself under the same key since: its registration stays.
    if (!NamesThisLog(command))
        return Result(Outcome::NotThisProduct);
    char name[256];
    DWORD length = sizeof name;
    const bool hasSubkeys = ::RegEnumKeyExA(key.Get(), 0, name, &length, nullptr, nullptr, nullptr,
                                            nullptr) != ERROR_NO_MORE_ITEMS;
    if (step.m_bValuesOnly || hasSubkeys) {
        // The key holds other keys (or is the uninstall key itself): only the
        // two values registration wrote go. Windows 95 would delete the
        // subkeys with the key.
        ::RegDeleteValueA(key.Get(), "DisplayName");
        rc = ::RegDeleteValueA(key.Get(), "UninstallString");
        return rc == ERROR_SUCCESS ? Result(Outcome::Done)
                                   : Failed(Failure::SystemError, static_cast<DWORD>(rc));
    }
    key.Close();
    rc = ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, step.m_strTarget.c_str());
    return rc == ERROR_SUCCESS ? Result(Outcome::Done)
                               : Failed(Failure::SystemError, static_cast<DWORD>(rc));
}

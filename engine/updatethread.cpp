#include "engine/updatethread.h"

#include <objbase.h>
#include <vector>

#include "paths/fileutil.h"
#include "paths/pathvars.h"
#include "platform/handles.h"
#include "profile/binaryrule.h"
#include "profile/fileprofile.h"
#include "services/installlog.h"

namespace {

// How long the worker leaves the shell after each group and item request.
const DWORD kShellRequestPause = 500;

// Modes of an INI item (its low three bits).
constexpr int kIniWrite = 1;
constexpr int kIniWriteAlso = 2;
constexpr int kIniReplace = 3;
constexpr int kIniDelete = 4;

// The script's value types of a registry item.
constexpr int kRegString = REG_SZ;
constexpr int kRegBinary = REG_BINARY;
constexpr int kRegDword = REG_DWORD;

std::string Expanded(const std::string& text)
{
    std::string s = text;
    ExpandPathVariables(s);
    return s;
}

// Runs the step for the item at the list's position and moves the
// position on; false when the list is done. A null entry is passed over.
template <typename T, typename Step>
bool StepThrough(const CItemList<T>* list, std::size_t& position, Step step)
{
    if (!list || position >= list->size())
        return false;
    if (const T* item = (*list)[position++].get())
        step(*item);
    return true;
}

// A path that may name an INI file to delete: an existing file, not a
// directory, and not a name cut off at a separator.
bool NamesAnExistingFile(const std::string& path)
{
    if (path.empty() || path.back() == '\\' || path.back() == '/' || path.back() == ':')
        return false;
    return FileExists(path) && !IsDirectory(path);
}

}  // namespace

bool IniFileHasSection(const std::string& path, const std::string& section)
{
    if (!FileExists(path))
        return false;
    CReadonlyFileProfile file(path);
    const int count = file.GetSectionCount();
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (file.GetSectionName(i, name) && name == section)
            return true;
    }
    return false;
}

bool IniFileHasKey(const std::string& path, const std::string& section, const std::string& key)
{
    if (!IniFileHasSection(path, section))
        return false;
    CReadonlyFileProfile file(path);
    file.SetSection(section);
    const int count = file.GetKeyCount();
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (file.GetKeyName(i, name) && name == key)
            return true;
    }
    return false;
}

std::string ResolveIniFilePath(const std::string& file)
{
    std::string path = Expanded(file);
    if (path.size() < 2 || (path[1] != ':' && path[1] != '&'))
        path = Expanded("$WINDIR$\\" + path);
    return path;
}

CUpdateSystemThread::CUpdateSystemThread(IUninstallLog& log, IOcxNotices& ocxNotices)
    : m_log(log), m_ocxNotices(ocxNotices)
{
}

CUpdateSystemThread::~CUpdateSystemThread()
{
    Stop();
}

bool CUpdateSystemThread::InitInstance()
{
    // Controls register as the system's own registration tool lets them:
    // with COM initialised on the thread that calls DllRegisterServer.
    m_bComInitialized = SUCCEEDED(::CoInitialize(nullptr));
    return true;
}

int CUpdateSystemThread::ExitInstance(int quitCode)
{
    if (m_bComInitialized)
        ::CoUninitialize();
    return quitCode;
}

bool CUpdateSystemThread::Start(const CUpdateItemLists& lists)
{
    m_lists = lists;
    m_nFile = m_nIni = m_nReg = m_nOcx = m_nExe = 0;
    return PostThreadMessage(WM_UPDATE_NEXT);
}

void CUpdateSystemThread::OnThreadMessage(UINT msg, WPARAM, LPARAM)
{
    if (msg != WM_UPDATE_NEXT)
        return;
    bool more = true;
    try {
        more = OnUpdateNext();
    } catch (...) {
        // An item whose step failed half-way is passed over like any other.
        more = !m_bFinished;
    }
    if (more)
        PostThreadMessage(WM_UPDATE_NEXT);
}

bool CUpdateSystemThread::OnUpdateNext()
{
    // One item per message, every item of a list before the first of the next.
    if (StepThrough(m_lists.files, m_nFile, [this](const CFileItem& f) { AddProgramItem(f); }) ||
        StepThrough(m_lists.iniItems, m_nIni, [this](const CIniItem& i) { UpdateIni(i); }) ||
        StepThrough(m_lists.regItems, m_nReg, [this](const CRegItem& r) { UpdateRegistry(r); }) ||
        StepThrough(m_lists.ocxItems, m_nOcx, [this](const COcxItem& o) { RegisterOcx(o); }) ||
        StepThrough(m_lists.exeItems, m_nExe, [this](const CExeItem& e) { RunProgram(e); }))
        return true;
    Finish();
    return false;
}

void CUpdateSystemThread::AddProgramItem(const CFileItem& file)
{
    if (Expanded(file.m_strShortcut).empty())
        return;
    if (!m_bGroupCreated) {
        ::SendMessageA(m_hDialog, WM_UPDATE_CREATEGROUP, 0, 0);
        m_bGroupCreated = true;
        ::Sleep(kShellRequestPause);
    }
    ::SendMessageA(m_hDialog, WM_UPDATE_ADDITEM, 0, reinterpret_cast<LPARAM>(&file));
    ::Sleep(kShellRequestPause);
}

void CUpdateSystemThread::UpdateIni(const CIniItem& item)
{
    const std::string file = ResolveIniFilePath(item.m_strFile);
    const std::string section = Expanded(item.m_strSection);
    const std::string key = Expanded(item.m_strKey);
    const std::string value = Expanded(item.m_strValue);

    // What an uninstallation has to undo depends on what was there before.
    const bool hadFile = FileExists(file);
    const bool hadSection = IniFileHasSection(file, section);
    const bool hadKey = IniFileHasKey(file, section, key);

    const std::string step = "INI " + file + " [" + section + "] " + key + "=" + value + " mode " +
                             std::to_string(item.m_nMode);
    switch (item.m_nMode & 7) {
    case kIniWrite:
    case kIniWriteAlso:
        break;
    case kIniReplace:
        // Only over a key that is there, in exactly this spelling.
        if (!hadKey) {
            LogStep(step + ": no such key, nothing replaced");
            return;
        }
        break;
    case kIniDelete:
        // Without a section the whole file goes; but only a file: a name
        // that expanded to nothing, or to a directory, deletes nothing.
        if (section.empty() && NamesAnExistingFile(file))
            ::DeleteFileA(file.c_str());
        ::WritePrivateProfileStringA(section.c_str(), key.empty() ? nullptr : key.c_str(), nullptr,
                                     file.c_str());
        LogStep(step + ": deleted");
        return;
    default:
        LogStep(step + ": mode unknown, nothing done");
        return;
    }

    // A write that failed changed nothing, so there is nothing to undo.
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str())) {
        LogStep(step + ": write failed, error " + std::to_string(::GetLastError()));
        return;
    }
    LogStep(step + ": written");
    if (!hadFile)
        m_log.LogDeleteIniFile(file);
    else if (!hadSection)
        m_log.LogDeleteIniSection(item);
    else if (!hadKey)
        m_log.LogDeleteIniKeyword(item);
    else
        m_log.LogDeleteIniValue(item);
}

void CUpdateSystemThread::UpdateRegistry(const CRegItem& item)
{
    CRegKey key;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(item.m_hRoot, Expanded(item.m_strKeyPath).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE,
                          KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | READ_CONTROL,
                          nullptr, key.Receive(), &disposition) != ERROR_SUCCESS) {
        LogStep("registry " + Expanded(item.m_strKeyPath) + ": key cannot be opened");
        return;
    }
    const std::string name = Expanded(item.m_strValueName);
    const std::string step = "registry " + Expanded(item.m_strKeyPath) + " value '" + name + "' type " +
                             std::to_string(item.m_nType);
    // A value that is there, of whatever type, stays when the item says so.
    if ((item.m_nFlags & 3) &&
        ::RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
        LogStep(step + ": kept the value there");
        return;
    }

    LONG written = ERROR_SUCCESS;
    switch (item.m_nType) {
    case kRegString: {
        const std::string data = Expanded(item.m_strData);
        written = ::RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>(data.size() + 1));
        break;
    }
    case kRegDword: {
        // The number as written: DWORD data holds no path variables.
        const DWORD number = item.GetDwordData();
        written = ::RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&number), sizeof number);
        break;
    }
    case kRegBinary: {
        // Hexadecimal bytes (profile/binaryrule.h); malformed data writes
        // nothing, as for a type the installer does not know.
        std::vector<unsigned char> bytes;
        if (ParseScriptBinary(item.m_strData, bytes))
            written = ::RegSetValueExA(key.Get(), name.c_str(), 0, REG_BINARY,
                             bytes.empty() ? nullptr : bytes.data(),
                             static_cast<DWORD>(bytes.size()));
        break;
    }
    default:
        // The key is there now; no value is written.
        break;
    }
    LogStep(step + (written == ERROR_SUCCESS ? ": written" : ": write failed, error " + std::to_string(written)));
}

void CUpdateSystemThread::RegisterOcx(const COcxItem& item)
{
    const std::string path = Expanded(item.m_strPath);
    CModule control(::LoadLibraryA(path.c_str()));
    if (!control) {
        LogStep("OCX " + path + ": cannot be loaded, error " + std::to_string(::GetLastError()));
        m_ocxNotices.OcxFailed(OcxFailure::CannotLoad, item, static_cast<long>(::GetLastError()),
                               m_hDialog);
        return;
    }
    using RegisterServer = HRESULT(STDAPICALLTYPE*)();
    const FARPROC entry = ::GetProcAddress(control.Get(), "DllRegisterServer");
    if (!entry) {
        LogStep("OCX " + path + ": no DllRegisterServer");
        m_ocxNotices.OcxFailed(OcxFailure::NoRegisterEntry, item, 0, m_hDialog);
        return;
    }
    // Through the generic function type, as the system's loader hands it out.
    const HRESULT result =
        reinterpret_cast<RegisterServer>(reinterpret_cast<void (*)()>(entry))();
    if (result != 0) {
        LogStep("OCX " + path + ": DllRegisterServer failed, " + HexBits(static_cast<unsigned long>(result)));
        m_ocxNotices.OcxFailed(OcxFailure::RegistrationFailed, item, result, m_hDialog);
        return;
    }
    LogStep("OCX " + path + ": registered");
    m_log.LogUnregisterOcx(item);
}

void CUpdateSystemThread::RunProgram(const CExeItem& item)
{
    // The program and its arguments as the script writes them, one blank
    // between (so a program without arguments ends in a blank).
    const std::string commandLine = Expanded(item.m_strProgram + " " + item.m_strArguments);
    const std::string workDir = Expanded(item.m_strWorkDir);

    DWORD flags = CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS | CREATE_NEW_PROCESS_GROUP;
    // A 16-bit program gets a WOW machine of its own. Only Windows NT has
    // WOW machines and GetBinaryTypeA, so the function is looked up.
    using GetBinaryTypeFn = BOOL(WINAPI*)(LPCSTR, LPDWORD);
    const auto getBinaryType = reinterpret_cast<GetBinaryTypeFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "GetBinaryTypeA")));
    DWORD binaryType = 0;
    if (getBinaryType && getBinaryType(Expanded(item.m_strProgram).c_str(), &binaryType) &&
        binaryType == SCS_WOW_BINARY)
        flags |= CREATE_SEPARATE_WOW_VDM;

    // A console program's window is titled with the program as written.
    std::vector<char> title(item.m_strProgram.begin(), item.m_strProgram.end());
    title.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = LOWORD(static_cast<DWORD>(item.m_nShow));
    startup.lpTitle = title.data();

    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    PROCESS_INFORMATION started = {};
    // An empty directory is no directory: the program then starts in the
    // installer's own.
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, flags, nullptr,
                          workDir.empty() ? nullptr : workDir.c_str(), &startup, &started)) {
        LogStep("program " + commandLine + ": cannot be started, error " + std::to_string(::GetLastError()));
        return;
    }
    CKernelHandle process(started.hProcess);
    CKernelHandle thread(started.hThread);
    if (item.m_bWait != 1) {
        LogStep("program " + commandLine + ": started");
        return;
    }
    const DWORD waited = ::WaitForSingleObject(process.Get(), static_cast<DWORD>(item.m_nTimeout));
    DWORD exitCode = 0;
    if (waited == WAIT_OBJECT_0 && ::GetExitCodeProcess(process.Get(), &exitCode))
        LogStep("program " + commandLine + ": ended, exit code " + std::to_string(exitCode));
    else
        LogStep("program " + commandLine + ": still running after " + std::to_string(item.m_nTimeout) + " ms");
}

void CUpdateSystemThread::Finish()
{
    m_bFinished = true;
    try {
        DeleteDirectoryTree(Expanded("$TmpDir$"));
    } catch (...) {
        // The dialog is told of the end in any case.
    }
    LogStep("system update done");
    ::PostMessageA(m_hDialog, WM_UPDATE_DONE, 0, 0);
}

#include "launcher/launcher.h"

#include "launcher/handles.h"
#include "launcher/mediumpath.h"
#include "launcher/resource.h"

namespace {

// For the installer the compressed name wins, for the script the plain one.
const CStagedFile kInstaller = {
    {"_SETUP.EX_", "_SETUP.EXE"}, "_SETUP.EXE", IDS_INSTALLER_MISSING, IDS_INSTALLER_FAILED};
const CStagedFile kScript = {
    {"SETUP.INF", "SETUP.IN_"}, "SETUP.INF", IDS_SCRIPT_MISSING, IDS_SCRIPT_FAILED};

std::string LoadText(UINT id)
{
    // Room for the longest string resource, double-byte throughout.
    char buf[8200];
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buf, sizeof buf);
    return std::string(buf, length > 0 ? static_cast<std::size_t>(length) : 0);
}

} // namespace

CLauncher::CLauncher(const CPassThrough& commandLine)
    : m_commandLine(commandLine), m_staging(GetWindowsDir()), m_strSourceDir(BeforeLastBackslash(GetModulePath()))
{
}

int CLauncher::Run()
{
    m_staging.Create();
    DWORD exitCode = kExitCode;
    bool ran = false;
    if (StageFiles()) {
        ran = RunInstaller(exitCode);
        // A person sees nothing here, as the launcher always behaved; an
        // unattended run says why in its result file.
        if (!ran && m_commandLine.m_bSilent)
            ShowMessage(IDS_INSTALLER_NOT_STARTED);
    }
    m_staging.Remove();
    if (m_commandLine.m_strArguments.empty() || !ran)
        return kExitCode;
    return static_cast<int>(exitCode);
}

bool CLauncher::StageFiles()
{
    if (!Stage(kInstaller) || !Stage(kScript))
        return false;
    WriteSourceDir();
    return true;
}

bool CLauncher::Stage(const CStagedFile& file)
{
    const char* found = FindOnMedium(file);
    if (!found) {
        ShowMessage(file.m_nMissingText);
        return false;
    }
    if (!m_staging.Install(m_strSourceDir, found, file.m_stagedName)) {
        ShowMessage(file.m_nFailedText);
        return false;
    }
    return true;
}

const char* CLauncher::FindOnMedium(const CStagedFile& file) const
{
    for (const char* name : file.m_names) {
        if (FileExists(JoinPath(m_strSourceDir, name)))
            return name;
    }
    return nullptr;
}

void CLauncher::WriteSourceDir() const
{
    // Replaces a "SrcDir" that the script on the medium may already hold.
    ::WritePrivateProfileStringA("Config", "SrcDir", m_strSourceDir.c_str(),
                                 JoinPath(m_staging.GetPath(), kScript.m_stagedName).c_str());
}

bool CLauncher::RunInstaller(DWORD& exitCode) const
{
    // CreateProcessA may write into the command line: a buffer of our own.
    std::string commandLine = JoinPath(m_staging.GetPath(), kInstaller.m_stagedName);
    if (!m_commandLine.m_strArguments.empty())
        commandLine += " " + m_commandLine.m_strArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                          CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS | CREATE_NEW_PROCESS_GROUP,
                          nullptr, m_staging.GetPath().c_str(), &startup, &info))
        return false;
    CKernelHandle process(info.hProcess);
    CKernelHandle thread(info.hThread);
    ::WaitForSingleObject(process.Get(), INFINITE);
    if (!::GetExitCodeProcess(process.Get(), &exitCode))
        exitCode = kExitCode;
    return true;
}

void CLauncher::ShowMessage(UINT textId) const
{
    if (!m_commandLine.m_bSilent) {
        ::MessageBoxA(nullptr, LoadText(textId).c_str(), LoadText(IDS_CAPTION).c_str(), MB_OK);
        return;
    }
    if (m_commandLine.m_strResultFile.empty())
        return;
    // The installer's line: outcome, exit code, reason (the message, on one line).
    std::string line = "failed-before-copy 1 ";
    for (const char ch : LoadText(textId))
        line += ch == '\n' || ch == '\r' ? ' ' : ch;
    line += "\r\n";
    CFileHandle file(::CreateFileA(m_commandLine.m_strResultFile.c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

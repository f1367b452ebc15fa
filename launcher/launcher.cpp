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

CLauncher::CLauncher()
    : m_staging(GetWindowsDir()), m_strSourceDir(BeforeLastBackslash(GetModulePath()))
{
}

int CLauncher::Run()
{
    m_staging.Create();
    if (StageFiles())
        RunInstaller();
    m_staging.Remove();
    return kExitCode;
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

bool CLauncher::RunInstaller() const
{
    // CreateProcessA may write into the command line: a buffer of our own.
    std::string commandLine = JoinPath(m_staging.GetPath(), kInstaller.m_stagedName);
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
    return true;
}

void CLauncher::ShowMessage(UINT textId) const
{
    ::MessageBoxA(nullptr, LoadText(textId).c_str(), LoadText(IDS_CAPTION).c_str(), MB_OK);
}

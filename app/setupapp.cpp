#include "app/setupapp.h"

#include <objbase.h>

#include "app/exitcodes.h"
#include "app/mainframe.h"
#include "app/platform.h"
#include "app/setupview.h"
#include "app/strings.h"
#include "framework/window.h"
#include "platform/msgbox.h"
#include "paths/fileutil.h"
#include "paths/mbcs.h"
#include "paths/pathvars.h"
#include "resources/resource.h"
#include "engine/dialogtext.h"
#include "platform/handles.h"
#include "script/setupdoc.h"
#include "services/installlog.h"

std::string ThrowAwayShortcutPath()
{
    // Without a desktop directory the path would name the root of the current
    // drive, where a file of that name is none of the installer's business.
    const std::string desktop = GetDesktopDir();
    return desktop.empty() ? std::string() : desktop + "\\x.lnk";
}

CSetupApp::CSetupApp(std::unique_ptr<IPhaseWindows> phases) : m_pPhases(std::move(phases)) {}

CSetupApp::CSetupApp(std::unique_ptr<IPhaseWindows> phases, const CSetupOptions& options,
                     const std::string& commandLineError)
    : m_pPhases(std::move(phases)), m_options(options), m_strCommandLineError(commandLineError)
{
}

void CSetupApp::SetInstallEnd(int code, const std::string& reason)
{
    m_nInstallExitCode = code;
    m_strReason = reason;
}

BOOL CSetupApp::FailStart(int code, const std::string& reason, const std::string& message)
{
    SetInstallEnd(code, reason);
    LogStep("start failed: " + reason);
    if (!m_options.m_bSilent && !message.empty())
        AppMessageBox(nullptr, message, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CSetupApp::WriteResultFile() const
{
    if (!m_options.m_bSilent || m_options.m_strResultFile.empty())
        return;
    // One line: outcome, exit code, reason.
    const std::string line = std::string(ExitOutcomeName(m_nInstallExitCode)) + " " +
                             std::to_string(m_nInstallExitCode) + " " + m_strReason + "\r\n";
    CFileHandle file(::CreateFileA(m_options.m_strResultFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

CSetupApp::~CSetupApp() = default;

CSetupApp* CSetupApp::Current()
{
    return static_cast<CSetupApp*>(CApplication::Current());
}

namespace {
HWND MainWindowOfApp()
{
    CApplication* app = CApplication::Current();
    CWnd* main = app ? app->GetMainWnd() : nullptr;
    return main ? main->GetSafeHwnd() : nullptr;
}
}  // namespace

BOOL CSetupApp::InitInstance()
{
    if (!m_options.m_strLogFile.empty() && !InstallLog().Open(m_options.m_strLogFile))
        return FailStart(kExitBadCommandLine, "the log " + m_options.m_strLogFile + " cannot be created",
                         FormatTemplateText(LoadResourceString(IDS_BAD_RESPONSE_FILE), {m_options.m_strLogFile}));
    LogStep("command line: " + std::string(::GetCommandLineA()));
    if (!m_strCommandLineError.empty())
        return FailStart(kExitBadCommandLine, m_strCommandLineError,
                         FormatTemplateText(LoadResourceString(IDS_BAD_COMMAND_LINE), {m_strCommandLineError}));

    // What the shell shows while it looks up a special folder belongs to the
    // installer's main window, from whichever thread the lookup comes.
    SetShellOwnerSource(&MainWindowOfApp);
    ::CoInitialize(nullptr);

    // Making one shortcut right at the start loads the shell's link service
    // before anything else runs; the link itself is of no use and is deleted
    // at shut-down. Whether it could be made does not matter.
    const std::string shortcut = ThrowAwayShortcutPath();
    if (!shortcut.empty())
        CreateShellLink(shortcut, "XXX", "C:\\CONFIG.SYS");

    m_pszSavedProfileName = m_pszProfileName;

    // SETUP.INF lies beside the running program. The module path is taken
    // whole, however long: a path cut to a fixed buffer would name a script
    // in a directory that does not exist. The last backslash is searched
    // character by character: in a program name such as 表.exe the first
    // character's second byte is a backslash too.
    const std::string modulePath = GetModulePath();
    const std::size_t slash = FindLastBackslash(modulePath);
    if (slash == std::string::npos)
        return FALSE;
    m_strSetupInfPath = modulePath.substr(0, slash + 1) + "SETUP.INF";
    // From here on the script is the settings file: the document reads its
    // section "Config" through the profile functions.
    m_pszProfileName = m_strSetupInfPath.c_str();

    if (!FileExists(m_strSetupInfPath))
        return FailStart(kExitBeforeCopy, m_strSetupInfPath + " is missing", LoadResourceString(IDS_SETUPINF_MISSING));

    const CPlatformFacts platform = DetectPlatform();
    m_bWindowsNT = platform.m_bWindowsNT;
    m_bWindows95 = platform.m_bWindows95;
    m_dwWindowsVersion = platform.m_dwWindowsVersion;
    LogStep("platform: " + std::string(m_bWindowsNT ? "Windows NT" : m_bWindows95 ? "Windows 95" : "Windows") +
            " version " + std::to_string(HIWORD(m_dwWindowsVersion)) + "." +
            std::to_string(LOWORD(m_dwWindowsVersion)) + ", code page " + std::to_string(::GetACP()) +
            ", Windows directory " + GetWindowsDir());

    std::string prepareError;
    if (!m_pPhases->Prepare(prepareError))
        return FailStart(kExitBadCommandLine, prepareError,
                         FormatTemplateText(LoadResourceString(IDS_BAD_RESPONSE_FILE), {prepareError}));

    // The working directory "$TmpDir$"; the system update removes it at its end.
    std::string tmpDir = "$WinDir$\\SetupTmp";
    ExpandPathVariables(tmpDir);
    SetTmpDir(tmpDir);
    CreateDirectoryTree(tmpDir);

    IPhaseWindows& phases = *m_pPhases;
    const std::string scriptPath = m_strSetupInfPath;
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME,
        [scriptPath] { return std::make_unique<CSetupDoc>(scriptPath); },
        [] { return std::make_unique<CMainFrame>(); },
        [&phases] { return std::make_unique<CSetupView>(phases); }));
    if (!OnFileNew())
        return FailStart(kExitBeforeCopy, m_strSetupInfPath + " cannot be read", std::string());
    return TRUE;
}

int CSetupApp::ExitInstance()
{
    if (m_pszSavedProfileName)
        m_pszProfileName = m_pszSavedProfileName;
    const std::string shortcut = ThrowAwayShortcutPath();
    if (!shortcut.empty())
        ::DeleteFileA(shortcut.c_str());
    ::CoUninitialize();
    SetShellOwnerSource(nullptr);
    const int code = CApplication::ExitInstance();
    if (!m_options.m_bAny)
        return code;
    LogStep("end: exit code " + std::to_string(m_nInstallExitCode) + " (" + ExitOutcomeName(m_nInstallExitCode) +
            "): " + m_strReason);
    WriteResultFile();
    InstallLog().Close();
    return m_nInstallExitCode;
}

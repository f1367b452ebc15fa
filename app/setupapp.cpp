#include "app/setupapp.h"

#include <objbase.h>

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
#include "script/setupdoc.h"

std::string ThrowAwayShortcutPath()
{
    // Without a desktop directory the path would name the root of the current
    // drive, where a file of that name is none of the installer's business.
    const std::string desktop = GetDesktopDir();
    return desktop.empty() ? std::string() : desktop + "\\x.lnk";
}

CSetupApp::CSetupApp(std::unique_ptr<IPhaseWindows> phases) : m_pPhases(std::move(phases)) {}

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

    if (!FileExists(m_strSetupInfPath)) {
        AppMessageBox(nullptr, LoadResourceString(IDS_SETUPINF_MISSING), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }

    const CPlatformFacts platform = DetectPlatform();
    m_bWindowsNT = platform.m_bWindowsNT;
    m_bWindows95 = platform.m_bWindows95;
    m_dwWindowsVersion = platform.m_dwWindowsVersion;

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
    return OnFileNew() ? TRUE : FALSE;
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
    return CApplication::ExitInstance();
}

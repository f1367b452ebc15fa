#include "uninstaller/program/uninstallapp.h"

#include <windows.h>
#include <commctrl.h>

#include "paths/pathvars.h"
#include "platform/msgbox.h"
#include "resources/uninstaller/strings.h"
#include "uninstaller/commandline.h"
#include "uninstaller/filebytes.h"
#include "uninstaller/logreader.h"
#include "uninstaller/pathkey.h"
#include "uninstaller/products.h"
#include "uninstaller/program/dialogs.h"
#include "uninstaller/program/exitcodes.h"
#include "uninstaller/program/progressdialog.h"
#include "uninstaller/program/texts.h"
#include "uninstaller/restartdelete.h"
#include "uninstaller/systemfacts.h"

namespace {

std::string FullPath(const std::string& path)
{
    std::string full(MAX_PATH, '\0');
    char* name = nullptr;
    DWORD n = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], &name);
    if (n >= full.size()) {
        full.resize(n);
        n = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], &name);
    }
    if (n == 0 || n >= full.size())
        return path;
    full.resize(n);
    return full;
}

}  // namespace

CUninstallApp::CUninstallApp(ProgramManagerFactory programManager)
    : m_programManager(std::move(programManager)), m_nResult(kExitNothingRemoved)
{
}

CUninstallApp::~CUninstallApp() = default;

BOOL CUninstallApp::InitInstance()
{
    ::InitCommonControls();
    SetAppTitle(LoadText(IDS_UNINSTALL_TITLE));
    std::string logPath;
    if (!FindLog(logPath))
        return FALSE;
    // A log named relative to the current directory is found there; then the
    // program leaves that directory, which may be one to remove (a process's
    // current directory cannot be removed while it runs).
    logPath = FullPath(logPath);
    ::SetCurrentDirectoryA(GetSystemDir().c_str());
    if (!Plan(logPath))
        return FALSE;
    CConfirmUninstallDialog confirm(m_plan.m_strProduct);
    if (confirm.DoModal() != ID_ANSWER_YES) {
        m_nResult = kExitCancelled;
        return FALSE;
    }
    AskAboutSharedFiles();

    CRemovalSettings settings;
    settings.m_strLogPath = m_strLogPath;
    settings.m_restartMethod = RestartMethodOfThisSystem();
    settings.m_strWininitPath = GetWindowsDir() + "\\WININIT.INI";
    settings.m_programManager = m_programManager;
    m_pProgress = std::make_unique<CUninstallProgressDialog>(m_plan, settings);
    if (!m_pProgress->Create(nullptr) || !m_pProgress->StartRemoval()) {
        const DWORD error = ::GetLastError();
        m_pProgress.reset();
        Fail(FillPlaceholders(LoadText(IDS_LEFT_ERROR), {std::to_string(error)}));
        return FALSE;
    }
    SetMainWnd(m_pProgress.get());
    m_bRemovalStarted = true;
    return TRUE;
}

int CUninstallApp::ExitInstance()
{
    SetMainWnd(nullptr);
    m_pProgress.reset();
    // After the removal, the progress dialog's quit code says how it went.
    return m_bRemovalStarted ? m_nExitCode : m_nResult;
}

bool CUninstallApp::FindLog(std::string& logPath)
{
    const std::string self = LastName(GetModulePath());
    logPath = SplitCommandLine(::GetCommandLineA(), self).m_strArgument;
    if (!logPath.empty())
        return true;
    const std::vector<CInstalledProduct> products = FindInstalledProducts();
    if (products.empty()) {
        Fail(LoadText(IDS_NO_PRODUCTS));
        return false;
    }
    std::vector<std::string> names;
    for (const CInstalledProduct& product : products)
        names.push_back(product.m_strDisplayName);
    CChooseProductDialog choose(names);
    if (choose.DoModal() != IDOK || choose.GetChoice() >= products.size()) {
        m_nResult = kExitCancelled;
        return false;
    }
    logPath = products[choose.GetChoice()].m_strLogPath;
    return true;
}

bool CUninstallApp::Plan(const std::string& logPath)
{
    std::string bytes;
    DWORD error = NO_ERROR;
    if (!ReadFileBytes(logPath, bytes, error, kMaxLogBytes + 1)) {
        Fail(FillPlaceholders(LoadText(IDS_LOG_UNREADABLE), {logPath, std::to_string(error)}));
        return false;
    }
    const CLogReadResult read = ReadUninstallLog(bytes);
    if (read.m_problem != LogProblem::None) {
        Fail(DescribeLogProblem(logPath, read));
        return false;
    }
    m_strLogPath = logPath;
    CSystemFacts facts;
    m_plan = BuildRemovalPlan(read.m_log, logPath, facts);
    return true;
}

void CUninstallApp::AskAboutSharedFiles()
{
    bool all = false;
    bool allAnswer = false;      // remove, when all
    for (std::size_t index : m_plan.m_sharedFiles) {
        bool remove = allAnswer;
        if (!all) {
            CSharedFileDialog question(m_plan.m_steps[index].m_strTarget);
            switch (question.DoModal()) {
            case ID_ANSWER_YES:
                remove = true;
                break;
            case ID_ANSWER_YES_ALL:
                all = allAnswer = remove = true;
                break;
            case ID_ANSWER_NO_ALL:
                all = true;
                allAnswer = remove = false;
                break;
            default:       // ID_ANSWER_NO, Escape, close: the file stays
                remove = false;
                break;
            }
        }
        m_plan.KeepSharedFile(index, !remove);
    }
}

void CUninstallApp::Fail(const std::string& message)
{
    AppMessageBox(nullptr, message, MB_OK | MB_ICONSTOP);
    m_nResult = kExitNothingRemoved;
}

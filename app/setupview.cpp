#include "app/setupview.h"

#include "app/background.h"
#include "app/dialogs.h"
#include "app/exitcodes.h"
#include "app/mainframe.h"
#include "app/messages.h"
#include "app/setupapp.h"
#include "app/strings.h"
#include "engine/questiondialogs.h"
#include "paths/pathvars.h"
#include "resources/resource.h"
#include "services/installlog.h"

namespace {
// Closes a phase window and deletes its object.
template <typename Phase>
void ClosePhase(std::unique_ptr<Phase>& phase)
{
    if (!phase)
        return;
    phase->Close();
    phase.reset();
}
}  // namespace

int IPhaseWindows::Ended(CWnd& view, InstallEnd end, CSetupDoc& doc, std::string& reason)
{
    switch (end) {
    case InstallEnd::Installed: {
        reason = "installed";
        CSetupSuccessfullDialog done(view.GetSafeHwnd());
        done.DoModal();
        return kExitInstalled;
    }
    case InstallEnd::NothingToInstall:
        reason = "the script names no files to install";
        view.MessageBox(LoadResourceString(IDS_NO_FILES_TO_INSTALL), MB_OK);
        return kExitBeforeCopy;
    case InstallEnd::WizardCancelled:
    case InstallEnd::ShortageAborted:
    case InstallEnd::CopyAborted:
        break;
    }
    reason = end == InstallEnd::WizardCancelled   ? "the user cancelled the wizard"
             : end == InstallEnd::ShortageAborted ? "a drive lacks space; the user stopped"
                                                  : "the copy was stopped";
    CErrorExitDialog notice(view.GetSafeHwnd());
    notice.SetProductName(doc.GetProduct());
    notice.DoModal();
    return kExitCancelled;
}

CSetupView::CSetupView(IPhaseWindows& phases) : m_phases(phases) {}

CSetupView::~CSetupView() = default;

LRESULT CSetupView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        if (CView::WindowProc(msg, wParam, lParam) == -1)
            return -1;
        ::SetTimer(m_hWnd, kStartTimer, kStartDelay, nullptr);
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return CView::WindowProc(msg, wParam, lParam);
    case WM_WIZARD_FINISHED:
        OnWizardFinished(wParam);
        return 0;
    case WM_DISKSPACE_RESULT:
        OnDiskSpaceResult(wParam);
        return 0;
    case WM_COPY_FINISHED:
        OnCopyFinished(wParam);
        return 0;
    case WM_UPDATE_FINISHED:
        OnUpdateFinished();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_DESTROY: {
        const LRESULT result = CView::WindowProc(msg, wParam, lParam);
        OnDestroy();
        return result;
    }
    default:
        return CView::WindowProc(msg, wParam, lParam);
    }
}

void CSetupView::OnTimer(UINT_PTR id)
{
    if (id != kStartTimer)
        return;
    // Once only: the wizard opens a single time.
    ::KillTimer(m_hWnd, kStartTimer);
    if (m_pWizard)
        return;
    LogScript();
    m_pWizard = m_phases.NewWizard();
    if (m_pWizard && !m_pWizard->Start(*this, *GetDocument()))
        ClosePhase(m_pWizard);
}

void CSetupView::OnWizardFinished(WPARAM result)
{
    if (result == PHASE_CANCELLED) {
        ClosePhase(m_pWizard);
        End(InstallEnd::WizardCancelled);
        return;
    }
    CSetupDoc* doc = GetDocument();
    if (m_pWizard) {
        std::string dir;
        if (m_pWizard->GetInstallDir(dir)) {
            SetInstDir(dir);
            doc->SetInstallDir(dir);
        }
        if (doc->GetOptions()->size() >= 2)
            doc->SetSelectedOption(m_pWizard->GetSelectedOption());
        std::string folder;
        if (m_pWizard->GetFolderName(folder))
            doc->SetGroupName(folder);
    }
    LogStep("wizard: install directory " + doc->GetInstallDir());
    LogStep("wizard: option '" + doc->GetSelectedOption() + "'");
    LogStep("wizard: program folder " + doc->GetGroupName());
    std::string user = "$UserName$";
    ExpandPathVariables(user);
    LogStep("wizard: user name '" + user + "'");
    ClosePhase(m_pWizard);
    StartDiskCheck();
}

void CSetupView::OnDiskSpaceResult(WPARAM result)
{
    // Without an open disk-space dialog there is no list of drives to show;
    // such a shortage report is taken as the go-ahead of an earlier check.
    if (result == DISKSPACE_SHORT && m_pDiskCheck) {
        const INT_PTR answer = m_pDiskCheck->AskShortage(*this);
        ClosePhase(m_pDiskCheck);
        if (answer == IDCANCEL) {
            End(InstallEnd::ShortageAborted);
            return;
        }
        if (answer == IDiskCheckWindow::IDC_RECHECK) {
            StartDiskCheck();
            return;
        }
    }
    ClosePhase(m_pDiskCheck);
    StartCopy();
}

void CSetupView::OnCopyFinished(WPARAM result)
{
    ClosePhase(m_pCopy);
    if (result == PHASE_CANCELLED) {
        End(InstallEnd::CopyAborted);
        return;
    }
    LogStep("copy done");
    StartUpdate();
}

void CSetupView::OnUpdateFinished()
{
    // The uninstall log and registration only on this path: every earlier
    // end leaves no uninstall registration behind.
    auto* frame = static_cast<CMainFrame*>(GetParent());
    if (frame)
        m_phases.RegisterUninstall(*frame);
    ClosePhase(m_pUpdate);
    End(InstallEnd::Installed);
}

void CSetupView::StartDiskCheck()
{
    CSetupDoc* doc = GetDocument();
    m_pDiskCheck = m_phases.NewDiskCheck();
    if (m_pDiskCheck &&
        !m_pDiskCheck->Start(*this, doc->GetFileItems(), doc->GetInstallDir(), doc->GetSelectedOption()))
        ClosePhase(m_pDiskCheck);
}

void CSetupView::StartCopy()
{
    m_pCopy = m_phases.NewCopy();
    if (!m_pCopy)
        return;
    CSetupDoc* doc = GetDocument();
    CItemList<CFileItem>* files = doc->GetFileItems();
    if (files && !files->empty()) {
        if (!m_pCopy->Start(*this, files, doc->GetInstallDir(), doc->GetSelectedOption(),
                            doc->GetGroupName()))
            ClosePhase(m_pCopy);
        return;
    }
    // Nothing to copy (no file sections and no uninstaller): nothing to install at all.
    End(InstallEnd::NothingToInstall);
}

void CSetupView::StartUpdate()
{
    m_pUpdate = m_phases.NewUpdate();
    if (!m_pUpdate)
        return;
    CSetupDoc* doc = GetDocument();
    CUpdateLists lists;
    lists.files = doc->GetFileItems();
    lists.iniItems = doc->GetIniItems();
    lists.regItems = doc->GetRegItems();
    lists.ocxItems = doc->GetOcxItems();
    lists.exeItems = doc->GetExeItems();
    if (!m_pUpdate->Start(*this, lists, doc->GetGroupName()))
        ClosePhase(m_pUpdate);
}

void CSetupView::End(InstallEnd end)
{
    std::string reason;
    const int code = m_phases.Ended(*this, end, *GetDocument(), reason);
    if (CSetupApp* app = CSetupApp::Current())
        app->SetInstallEnd(code, reason);
    CloseMainFrame();
}

void CSetupView::LogScript()
{
    CSetupDoc* doc = GetDocument();
    LogStep("script " + doc->GetScriptPath() + ": product '" + doc->GetProduct() + "'");
    LogStep("script: install directory " + doc->GetInstallDir() + ", program folder " + doc->GetGroupName() +
            ", options " + std::to_string(doc->GetOptions()->size()) + ", uninstall " +
            (doc->IsUninstallEnabled() ? "on, log " + doc->m_strUninstallLogPath : std::string("off")));
    LogStep(std::string("script: pages: install directory ") + (doc->m_bShowChooseDirPage ? "yes" : "no") +
            ", program folder " + (doc->m_bShowGroupNamePage ? "yes" : "no") + ", user name " +
            (doc->m_bShowUserNamePage ? "yes" : "no"));
    std::string src = "$SrcDir$";
    ExpandPathVariables(src);
    LogStep("script: source directory " + src);
}

void CSetupView::CloseMainFrame()
{
    if (!m_hWnd)
        return;
    HWND frame = ::GetParent(m_hWnd);
    if (frame)
        ::DestroyWindow(frame);
}

BOOL CSetupView::OnEraseBkgnd(HDC dc)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    PaintGradient(dc, client);
    PaintLogoTexts(dc, client, *GetDocument()->GetLogoItems());
    // The window class paints no background of its own.
    return TRUE;
}

void CSetupView::OnDestroy()
{
    ::KillTimer(m_hWnd, kStartTimer);
    ClosePhase(m_pWizard);
    ClosePhase(m_pDiskCheck);
    ClosePhase(m_pCopy);
    ClosePhase(m_pUpdate);
}

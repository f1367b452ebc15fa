#include "app/setupphases.h"

#include "app/enginephases.h"
#include "app/exitcodes.h"
#include "app/mainframe.h"
#include "app/messages.h"
#include "app/setupapp.h"
#include "app/wizardphase.h"
#include "app/strings.h"
#include "engine/dialogtext.h"
#include "engine/updatedialog.h"
#include "paths/pathvars.h"
#include "resources/resource.h"
#include "services/installlog.h"

// The wizard sheet, the disk-space, copy and system-update dialogs and the
// uninstall registration of the shipped installer.

namespace {

// A control that fails to register is told to the user in a message box of
// the update's worker, owned by the update notice; the update goes on when
// it is answered.
class COcxMessageBoxes : public IOcxNotices {
public:
    void OcxFailed(OcxFailure failure, const COcxItem& item, long /*code*/, HWND owner) override
    {
        UINT text = IDS_OCX_REGISTER_FAILED;
        if (failure == OcxFailure::CannotLoad)
            text = IDS_OCX_CANNOT_LOAD;
        else if (failure == OcxFailure::NoRegisterEntry)
            text = IDS_OCX_NOT_A_CONTROL;
        // The name as it stands: a "%" in it is no format.
        const std::string message = FormatTemplateText(LoadResourceString(text), {item.m_strName});
        LogStep("notice: " + message);
        ::MessageBoxA(owner, message.c_str(), LoadResourceString(IDS_UPDATE_CAPTION).c_str(),
                      MB_OK | MB_ICONHAND);
    }
};

}  // namespace

bool CUpdatePhase::Start(CWnd& view, const CUpdateLists& lists, const std::string& groupName)
{
    // The frame keeps the uninstall log and the Program Manager conversation.
    auto* frame = dynamic_cast<CMainFrame*>(view.GetParent());
    const CSetupApp* app = CSetupApp::Current();
    if (!frame || !app)
        return false;
    const ProgramGroupKind kind =
        ProgramGroupKindOf(app->m_bWindowsNT, app->m_bWindows95, app->m_dwWindowsVersion);
    auto group = std::make_unique<CProgramGroup>(kind, groupName, *frame, frame->GetProgramManager());
    m_pDialog = std::make_unique<CUpdateSystemDialog>(view.GetSafeHwnd(), WM_UPDATE_FINISHED, *frame,
                                                      m_ocxNotices, std::move(group));
    m_pDialog->SetLists(lists);
    if (!m_pDialog->Create(view.GetSafeHwnd()))
        return false;
    if (m_bShow)
        ::ShowWindow(m_pDialog->GetSafeHwnd(), SW_SHOW);
    return true;
}

void CUpdatePhase::Close()
{
    if (m_pDialog && m_pDialog->GetSafeHwnd())
        m_pDialog->DestroyWindow();
}

namespace {

// The wizard, whose choices the view reads once after it has finished, go
// into the response file as they are read.
class CRecordingWizard : public IWizardWindow {
public:
    explicit CRecordingWizard(const CResponseRecorder& recorder) : m_recorder(recorder) {}
    bool Start(CWnd& view, CSetupDoc& doc) override { return m_wizard.Start(view, doc); }
    bool GetInstallDir(std::string& dir) const override
    {
        // The first result read: the user-name page has been left for good.
        std::string user = "$UserName$";
        ExpandPathVariables(user);
        m_recorder.Set(ResponseKeys::kWizard, ResponseKeys::kUserName, user);
        if (!m_wizard.GetInstallDir(dir))
            return false;
        m_recorder.Set(ResponseKeys::kWizard, ResponseKeys::kInstallDir, dir);
        return true;
    }
    std::string GetSelectedOption() const override
    {
        const std::string option = m_wizard.GetSelectedOption();
        m_recorder.Set(ResponseKeys::kWizard, ResponseKeys::kOption, option);
        return option;
    }
    bool GetFolderName(std::string& name) const override
    {
        if (!m_wizard.GetFolderName(name))
            return false;
        m_recorder.Set(ResponseKeys::kWizard, ResponseKeys::kProgramFolder, name);
        return true;
    }
    void Close() override { m_wizard.Close(); }

private:
    const CResponseRecorder& m_recorder;
    CWizardPhase m_wizard;
};

// The disk-space question's answer goes into the response file.
class CRecordingDiskCheck : public CDiskCheckPhase {
public:
    explicit CRecordingDiskCheck(const CResponseRecorder& recorder) : m_recorder(recorder) {}
    INT_PTR AskShortage(CWnd& view) override
    {
        const INT_PTR answer = CDiskCheckPhase::AskShortage(view);
        LogStep(std::string("answer: disk space: ") +
                (answer == IDCANCEL ? "Abort" : answer == IDC_RECHECK ? "Check again" : "Continue"));
        if (answer != IDC_RECHECK)
            m_recorder.Set(ResponseKeys::kQuestions, ResponseKeys::kDiskSpace,
                           answer == IDCANCEL ? "Abort" : "Continue");
        return answer;
    }

private:
    const CResponseRecorder& m_recorder;
};

}  // namespace

CSetupPhaseWindows::CSetupPhaseWindows(const std::string& recordPath)
    : m_pOcxNotices(std::make_unique<COcxMessageBoxes>())
{
    ICopyQuestions* questions = &m_dialogs;
    if (!recordPath.empty()) {
        m_pRecorder = std::make_unique<CResponseRecorder>(recordPath);
        m_pRecording = std::make_unique<CRecordingCopyQuestions>(m_dialogs, *m_pRecorder);
        questions = m_pRecording.get();
    }
    m_pLogged = std::make_unique<CLoggedCopyQuestions>(*questions);
}

CSetupPhaseWindows::~CSetupPhaseWindows() = default;

std::unique_ptr<IWizardWindow> CSetupPhaseWindows::NewWizard()
{
    if (m_pRecorder)
        return std::make_unique<CRecordingWizard>(*m_pRecorder);
    return std::make_unique<CWizardPhase>();
}

std::unique_ptr<IDiskCheckWindow> CSetupPhaseWindows::NewDiskCheck()
{
    if (m_pRecorder)
        return std::make_unique<CRecordingDiskCheck>(*m_pRecorder);
    return std::make_unique<CDiskCheckPhase>();
}

std::unique_ptr<ICopyWindow> CSetupPhaseWindows::NewCopy() { return std::make_unique<CCopyPhase>(*m_pLogged); }
std::unique_ptr<IUpdateWindow> CSetupPhaseWindows::NewUpdate()
{
    return std::make_unique<CUpdatePhase>(*m_pOcxNotices, true);
}
void CSetupPhaseWindows::RegisterUninstall(CMainFrame& frame) { frame.RegisterUninstall(); }

int CSetupPhaseWindows::Ended(CWnd& view, InstallEnd end, CSetupDoc& doc, std::string& reason)
{
    const int code = IPhaseWindows::Ended(view, end, doc, reason);
    // A copy that stopped after an error notice failed; one stopped by the user was cancelled.
    if (end == InstallEnd::CopyAborted && m_pLogged->HadNotice()) {
        reason = "the copy stopped on an error";
        return kExitCopyFailed;
    }
    return code;
}

#include "app/setupphases.h"

#include "app/enginephases.h"
#include "app/mainframe.h"
#include "app/messages.h"
#include "app/setupapp.h"
#include "app/wizardphase.h"
#include "app/strings.h"
#include "engine/dialogtext.h"
#include "engine/updatedialog.h"
#include "resources/resource.h"

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
        ::MessageBoxA(owner, message.c_str(), LoadResourceString(IDS_UPDATE_CAPTION).c_str(),
                      MB_OK | MB_ICONHAND);
    }
};

class CUpdatePhase : public IUpdateWindow {
public:
    bool Start(CWnd& view, const CUpdateLists& lists, const std::string& groupName) override
    {
        // The frame keeps the uninstall log and the Program Manager conversation.
        auto* frame = dynamic_cast<CMainFrame*>(view.GetParent());
        const CSetupApp* app = CSetupApp::Current();
        if (!frame || !app)
            return false;
        const ProgramGroupKind kind =
            ProgramGroupKindOf(app->m_bWindowsNT, app->m_bWindows95, app->m_dwWindowsVersion);
        auto group =
            std::make_unique<CProgramGroup>(kind, groupName, *frame, frame->GetProgramManager());
        m_pDialog = std::make_unique<CUpdateSystemDialog>(view.GetSafeHwnd(), WM_UPDATE_FINISHED,
                                                          *frame, m_ocxNotices, std::move(group));
        m_pDialog->SetLists(lists);
        if (!m_pDialog->Create(view.GetSafeHwnd()))
            return false;
        ::ShowWindow(m_pDialog->GetSafeHwnd(), SW_SHOW);
        return true;
    }

    void Close() override
    {
        if (m_pDialog && m_pDialog->GetSafeHwnd())
            m_pDialog->DestroyWindow();
    }

private:
    // Declared first: the notice's worker reports through it to its end.
    COcxMessageBoxes m_ocxNotices;
    std::unique_ptr<CUpdateSystemDialog> m_pDialog;
};

}  // namespace

std::unique_ptr<IWizardWindow> CSetupPhaseWindows::NewWizard() { return std::make_unique<CWizardPhase>(); }
std::unique_ptr<IDiskCheckWindow> CSetupPhaseWindows::NewDiskCheck() { return std::make_unique<CDiskCheckPhase>(); }
std::unique_ptr<ICopyWindow> CSetupPhaseWindows::NewCopy() { return std::make_unique<CCopyPhase>(); }
std::unique_ptr<IUpdateWindow> CSetupPhaseWindows::NewUpdate() { return std::make_unique<CUpdatePhase>(); }
void CSetupPhaseWindows::RegisterUninstall(CMainFrame& frame) { frame.RegisterUninstall(); }

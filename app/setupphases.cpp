#include "app/setupphases.h"

#include "app/enginephases.h"
#include "app/mainframe.h"
#include "engine/phasemessages.h"

// The wizard sheet, the disk-space, copy and system-update dialogs and the
// uninstall registration plug in here. A phase without its window yet does
// not start: the installer then waits with the background shown.

namespace {
// Until the system update has its dialog, the sequence goes from the copy
// straight to the uninstall registration and the closing dialog.
class CNoUpdatePhase : public IUpdateWindow {
public:
    bool Start(CWnd& view, const CUpdateLists&, const std::string&) override
    {
        return view.PostMessage(WM_UPDATE_FINISHED, PHASE_DONE);
    }
    void Close() override {}
};
}  // namespace

std::unique_ptr<IWizardWindow> CSetupPhaseWindows::NewWizard() { return nullptr; }
std::unique_ptr<IDiskCheckWindow> CSetupPhaseWindows::NewDiskCheck() { return std::make_unique<CDiskCheckPhase>(); }
std::unique_ptr<ICopyWindow> CSetupPhaseWindows::NewCopy() { return std::make_unique<CCopyPhase>(); }
std::unique_ptr<IUpdateWindow> CSetupPhaseWindows::NewUpdate() { return std::make_unique<CNoUpdatePhase>(); }
void CSetupPhaseWindows::RegisterUninstall(CMainFrame& frame) { frame.RegisterUninstall(); }

// setup's update-phase build: the shipped application shell and system
// update, with the phases before the update standing in as done at once:
// the wizard finishes with the script's own choices, the disk check finds
// space enough, and the copy reports every file copied (the test puts the
// files in place beforehand, as the copy would). From the system update on
// everything is the shipped installer's: the notice, its worker, the program
// group or Program Manager conversation, the uninstall log and registration,
// the closing dialog.
#include <windows.h>

#include "app/messages.h"
#include "app/setupapp.h"
#include "app/setupphases.h"

namespace {

// A phase that reports its end as soon as it starts.
template <typename Phase>
class CDoneAtOnce : public Phase {
public:
    explicit CDoneAtOnce(UINT endMessage) : m_nEndMessage(endMessage) {}
    void Close() override {}

protected:
    bool Report(CWnd& view)
    {
        return view.PostMessage(m_nEndMessage, PHASE_DONE, 0);
    }

private:
    UINT m_nEndMessage;
};

class CWizardDone : public CDoneAtOnce<IWizardWindow> {
public:
    CWizardDone() : CDoneAtOnce(WM_WIZARD_FINISHED) {}
    bool Start(CWnd& view, CSetupDoc&) override { return Report(view); }
    bool GetInstallDir(std::string&) const override { return false; }
    std::string GetSelectedOption() const override { return std::string(); }
    bool GetFolderName(std::string&) const override { return false; }
};

class CDiskCheckDone : public CDoneAtOnce<IDiskCheckWindow> {
public:
    CDiskCheckDone() : CDoneAtOnce(WM_DISKSPACE_RESULT) {}
    bool Start(CWnd& view, CItemList<CFileItem>*, const std::string&, const std::string&) override
    {
        return Report(view);
    }
    INT_PTR AskShortage(CWnd&) override { return IDOK; }
};

class CCopyDone : public CDoneAtOnce<ICopyWindow> {
public:
    CCopyDone() : CDoneAtOnce(WM_COPY_FINISHED) {}
    bool Start(CWnd& view, CItemList<CFileItem>*, const std::string&, const std::string&,
               const std::string&) override
    {
        return Report(view);
    }
};

class CUpdatePhaseWindows : public CSetupPhaseWindows {
public:
    std::unique_ptr<IWizardWindow> NewWizard() override { return std::make_unique<CWizardDone>(); }
    std::unique_ptr<IDiskCheckWindow> NewDiskCheck() override
    {
        return std::make_unique<CDiskCheckDone>();
    }
    std::unique_ptr<ICopyWindow> NewCopy() override { return std::make_unique<CCopyDone>(); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    CSetupApp app(std::make_unique<CUpdatePhaseWindows>());
    return app.WinMain(instance, showCommand);
}

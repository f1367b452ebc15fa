#include "tests/e2e/installphases.h"

#include <windows.h>
#include <cstdlib>
#include <cstring>

#include "engine/phasemessages.h"
#include "framework/window.h"

namespace {

// The value of --NAME=VALUE on the command line; false when it is not given.
bool Option(const char* name, std::string& value)
{
    const std::string prefix = std::string("--") + name + "=";
    for (int i = 1; i < __argc; ++i) {
        if (std::strncmp(__argv[i], prefix.c_str(), prefix.size()) == 0) {
            value = __argv[i] + prefix.size();
            return true;
        }
    }
    return false;
}

class CFinishedWizard : public IWizardWindow {
public:
    bool Start(CWnd& view, CSetupDoc&) override { return view.PostMessage(WM_WIZARD_FINISHED, PHASE_DONE); }
    bool GetInstallDir(std::string& dir) const override { return Option("instdir", dir); }
    std::string GetSelectedOption() const override
    {
        std::string option;
        Option("option", option);
        return option;
    }
    bool GetFolderName(std::string& name) const override { return Option("folder", name); }
    void Close() override {}
};

}  // namespace

std::unique_ptr<IWizardWindow> CInstallTestPhases::NewWizard()
{
    return std::make_unique<CFinishedWizard>();
}

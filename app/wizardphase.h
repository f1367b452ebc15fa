#pragma once
// The wizard as the install sequence's first phase: the setup sheet with the
// pages the script asks for (wizard/setupwizard.h), ending with
// WM_WIZARD_FINISHED to the view.
#include "app/phases.h"
#include "wizard/setupwizard.h"

class CWizardPhase : public IWizardWindow {
public:
    CWizardPhase();
    bool Start(CWnd& view, CSetupDoc& doc) override;
    bool GetInstallDir(std::string& dir) const override { return m_wizard.GetInstallDir(dir); }
    std::string GetSelectedOption() const override { return m_wizard.GetSelectedOption(); }
    bool GetFolderName(std::string& name) const override { return m_wizard.GetFolderName(name); }
    void Close() override { m_wizard.Close(); }

private:
    CSetupWizard m_wizard;
};

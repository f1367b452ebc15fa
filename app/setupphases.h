#pragma once
// The phase windows of the shipped installer.
#include "app/phases.h"

class CSetupPhaseWindows : public IPhaseWindows {
public:
    std::unique_ptr<IWizardWindow> NewWizard() override;
    std::unique_ptr<IDiskCheckWindow> NewDiskCheck() override;
    std::unique_ptr<ICopyWindow> NewCopy() override;
    std::unique_ptr<IUpdateWindow> NewUpdate() override;
    void RegisterUninstall(CMainFrame& frame) override;
};

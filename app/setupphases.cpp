#include "app/setupphases.h"

#include "app/mainframe.h"
#include "app/wizardphase.h"

// The wizard sheet, the disk-space, copy and system-update dialogs and the
// uninstall registration plug in here. A phase without its window yet does
// not start: the installer then waits with the background shown.

std::unique_ptr<IWizardWindow> CSetupPhaseWindows::NewWizard() { return std::make_unique<CWizardPhase>(); }
std::unique_ptr<IDiskCheckWindow> CSetupPhaseWindows::NewDiskCheck() { return nullptr; }
std::unique_ptr<ICopyWindow> CSetupPhaseWindows::NewCopy() { return nullptr; }
std::unique_ptr<IUpdateWindow> CSetupPhaseWindows::NewUpdate() { return nullptr; }
void CSetupPhaseWindows::RegisterUninstall(CMainFrame& frame) { frame.RegisterUninstall(); }

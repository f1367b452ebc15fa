#pragma once
// setup's build for end-to-end installations: the shipped phase windows
// (disk space check, copy, uninstall registration) behind a wizard that
// finishes at once with the choices given on the command line:
//
//   --option=NAME    the install option chosen (scripts with two or more)
//   --instdir=DIR    the install directory accepted (else the script's)
//   --folder=NAME    the program folder chosen (else the script's)
//
// The wizard is the one step that stands in for the real one; with the
// real wizard, the factory is the shipped one and the GUI driver answers
// the wizard's pages.
#include "app/setupphases.h"

class CInstallTestPhases : public CSetupPhaseWindows {
public:
    std::unique_ptr<IWizardWindow> NewWizard() override;
};

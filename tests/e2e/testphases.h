#pragma once
// Setup's test build runs the real application shell with these stand-ins
// for the phase windows. Each is a small modeless dialog that the GUI driver
// finds by its template id; each writes what it was given, one line per
// event, into phases.log beside the program. A scenario then posts the phase
// messages to the view exactly as the real phase windows will, and the test
// compares the log.
//
// Command line: --no-wizard, --no-diskcheck, --no-copy, --no-update make the
// factory return null for that phase (a phase window that cannot be made).
// --real-wizard runs setup's own wizard in place of the stand-in; it logs
// "wizard start" and, when the view closes it, the user name it held.
#include <string>

#include "app/phases.h"

// Appends one line (ANSI) to phases.log beside the program.
void WritePhaseLog(const std::string& line);

class CTestPhaseWindows : public IPhaseWindows {
public:
    std::unique_ptr<IWizardWindow> NewWizard() override;
    std::unique_ptr<IDiskCheckWindow> NewDiskCheck() override;
    std::unique_ptr<ICopyWindow> NewCopy() override;
    std::unique_ptr<IUpdateWindow> NewUpdate() override;
    void RegisterUninstall(CMainFrame& frame) override;
};

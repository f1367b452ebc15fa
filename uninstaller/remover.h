#pragma once
// Carries out the steps of a removal plan (removalplan.h), one at a time, and
// says what became of each. Nothing here asks the user: the plan already
// holds the user's answers. Files in use are left to the next restart.
#include <windows.h>
#include <memory>
#include <string>

#include "uninstaller/outcome.h"
#include "uninstaller/programmanager.h"
#include "uninstaller/removalplan.h"
#include "uninstaller/restartdelete.h"

class CRemover {
public:
    // logPath: the log being carried out (a registration is this product's
    // only when its UninstallString names it).
    CRemover(std::string logPath, CRestartDeletions& restart, ProgramManagerFactory programManager);
    ~CRemover();
    CRemover(const CRemover&) = delete;
    CRemover& operator=(const CRemover&) = delete;

    CStepResult Run(const CRemovalStep& step);

private:
    CStepResult UnregisterControl(const std::string& path);
    CStepResult DeleteFileStep(const std::string& path);
    CStepResult RemoveDirectoryStep(const std::string& path);
    CStepResult DeleteGroup(const std::string& name);
    CStepResult DeleteIniEntry(const CRemovalStep& step);
    CStepResult DeleteRegistration(const CRemovalStep& step);
    bool NamesThisLog(const std::string& uninstallString) const;

    std::string m_strLogPath;
    CRestartDeletions& m_restart;
    ProgramManagerFactory m_programManagerFactory;
    std::unique_ptr<IProgramManager> m_programManager;
    bool m_bProgramManagerTried = false;
};

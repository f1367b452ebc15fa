#pragma once
// The uninstaller's application object. Started with the path of a log (as
// the product's UninstallString starts it) or without one (the program
// folder's shortcut), it reads the log whole, asks for confirmation and
// about shared files, then removes with the progress dialog and reports.
// Exit codes: exitcodes.h.
#include <memory>
#include <string>

#include "framework/app.h"
#include "uninstaller/programmanager.h"
#include "uninstaller/removalplan.h"

class CUninstallProgressDialog;

class CUninstallApp : public CApplication {
public:
    // programManager: how the removal reaches Program Manager (Windows NT 3.x).
    explicit CUninstallApp(ProgramManagerFactory programManager);
    ~CUninstallApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // The log to carry out: from the command line, or the product the user chooses.
    bool FindLog(std::string& logPath);
    // Reads the log and plans; FALSE (after telling the user) when it cannot be carried out.
    bool Plan(const std::string& logPath);
    void AskAboutSharedFiles();
    void Fail(const std::string& message);

    ProgramManagerFactory m_programManager;
    int m_nResult;                 // the exit code when the removal never starts
    bool m_bRemovalStarted = false;
    std::string m_strLogPath;
    CRemovalPlan m_plan;
    std::unique_ptr<CUninstallProgressDialog> m_pProgress;
};

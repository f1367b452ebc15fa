#pragma once
// The installer's application object: finds SETUP.INF beside the program and
// makes it the settings file, records the platform, prepares the working
// directory and creates the document, the main frame and the view. Everything
// after that is driven by the view.
//
// Exit code of the program, started without options: 0 when the
// installation sequence ran to its end (completed, cancelled or ended by an
// error notice); 1 when start-up failed (no SETUP.INF beside the program, or
// the document could not be created). Started with options (app/commandline.h),
// each end has its own code (app/exitcodes.h); a silent run writes it, with
// its outcome and reason, into the result file (/f2) as well.
#include <windows.h>
#include <memory>
#include <string>

#include "app/commandline.h"
#include "app/exitcodes.h"
#include "app/phases.h"
#include "framework/app.h"

class CSetupApp : public CApplication {
public:
    // The phase windows of the installation; the view gets them from here.
    explicit CSetupApp(std::unique_ptr<IPhaseWindows> phases);
    // With the options of the command line, and the misuse found in it
    // ("" for none): the installation then ends at once with the
    // bad-command-line code.
    CSetupApp(std::unique_ptr<IPhaseWindows> phases, const CSetupOptions& options,
              const std::string& commandLineError);
    ~CSetupApp() override;

    // The running application (null outside setup).
    static CSetupApp* Current();

    BOOL InitInstance() override;
    int ExitInstance() override;

    std::string GetSetupInfPath() const { return m_strSetupInfPath; }
    const CSetupOptions& GetOptions() const { return m_options; }
    // The install sequence's end: its exit code and why.
    void SetInstallEnd(int code, const std::string& reason);

    // The framework's own settings-file name, put back at shut-down.
    const char* m_pszSavedProfileName = nullptr;
    std::string m_strSetupInfPath;
    // Platform facts (app/platform.h), read by the program folder page and
    // by program group creation.
    int m_bWindowsNT = 0;
    int m_bWindows95 = 0;
    DWORD m_dwWindowsVersion = 0;

private:
    // A start-up that cannot go on: told in a message box, or in silent mode
    // only in the log and the result file.
    BOOL FailStart(int code, const std::string& reason, const std::string& message);
    void WriteResultFile() const;

    std::unique_ptr<IPhaseWindows> m_pPhases;
    CSetupOptions m_options;
    std::string m_strCommandLineError;
    // A run whose main frame closes before any end of the sequence was
    // ended by the user.
    int m_nInstallExitCode = kExitCancelled;
    std::string m_strReason = "the user closed setup";
};

// The throw-away shortcut that start-up makes on the desktop and shut-down
// deletes again; "" when the system names no desktop directory.
std::string ThrowAwayShortcutPath();

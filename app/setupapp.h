#pragma once
// The installer's application object: finds SETUP.INF beside the program and
// makes it the settings file, records the platform, prepares the working
// directory and creates the document, the main frame and the view. Everything
// after that is driven by the view.
//
// Exit code of the program: 0 when the installation sequence ran to its end
// (completed, cancelled or ended by an error notice); 1 when start-up failed
// (no SETUP.INF beside the program, or the document could not be created).
#include <windows.h>
#include <memory>
#include <string>

#include "app/phases.h"
#include "framework/app.h"

class CSetupApp : public CApplication {
public:
    // The phase windows of the installation; the view gets them from here.
    explicit CSetupApp(std::unique_ptr<IPhaseWindows> phases);
    ~CSetupApp() override;

    // The running application (null outside setup).
    static CSetupApp* Current();

    BOOL InitInstance() override;
    int ExitInstance() override;

    std::string GetSetupInfPath() const { return m_strSetupInfPath; }

    // The framework's own settings-file name, put back at shut-down.
    const char* m_pszSavedProfileName = nullptr;
    std::string m_strSetupInfPath;
    // Platform facts (app/platform.h), read by the program folder page and
    // by program group creation.
    int m_bWindowsNT = 0;
    int m_bWindows95 = 0;
    DWORD m_dwWindowsVersion = 0;

private:
    std::unique_ptr<IPhaseWindows> m_pPhases;
};

// The throw-away shortcut that start-up makes on the desktop and shut-down
// deletes again; "" when the system names no desktop directory.
std::string ThrowAwayShortcutPath();

// setup: the installer proper, started by the launcher from its staging directory.
#include <windows.h>

#include "app/commandline.h"
#include "app/setupapp.h"
#include "app/setupphases.h"
#include "app/silentphases.h"
#include "engine/responsefile.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    CSetupOptions options;
    std::string error;
    ParseSetupCommandLine(ArgumentsOfCommandLine(::GetCommandLineA()), options, error);
    const std::string responses =
        options.m_strResponseFile.empty() ? DefaultResponseFilePath() : options.m_strResponseFile;
    std::unique_ptr<IPhaseWindows> phases;
    if (options.m_bSilent && error.empty())
        phases = std::make_unique<CSilentPhaseWindows>(responses);
    else
        phases = std::make_unique<CSetupPhaseWindows>(options.m_bRecord && error.empty() ? responses : std::string());
    CSetupApp app(std::move(phases), options, error);
    // A silent run's main frame is never shown.
    return app.WinMain(instance, options.m_bSilent ? SW_HIDE : showCommand);
}

// setup: the installer proper, started by the launcher from its staging directory.
#include <windows.h>

#include "app/setupapp.h"
#include "app/setupphases.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    CSetupApp app(std::make_unique<CSetupPhaseWindows>());
    return app.WinMain(instance, showCommand);
}

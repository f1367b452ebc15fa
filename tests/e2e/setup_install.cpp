// setup's build for end-to-end installations (installphases.h).
#include <windows.h>

#include "app/setupapp.h"
#include "tests/e2e/installphases.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    CSetupApp app(std::make_unique<CInstallTestPhases>());
    return app.WinMain(instance, showCommand);
}

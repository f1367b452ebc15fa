// setup's test build: the shipped application shell with stand-in phase
// windows (testphases.h), for end-to-end tests of the install sequence.
#include <windows.h>

#include "app/setupapp.h"
#include "tests/e2e/testphases.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WritePhaseLog("start");
    CSetupApp app(std::make_unique<CTestPhaseWindows>());
    const int code = app.WinMain(instance, showCommand);
    WritePhaseLog("end " + std::to_string(code));
    return code;
}

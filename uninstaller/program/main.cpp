// VMUNST10.EXE: removes a product that setup installed, as its uninstall log
// (UNINSTAL.INF in the install directory) records it.
#include <windows.h>

#include "uninstaller/program/uninstallapp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    // Program Manager is reached once the DDE client is part of the build;
    // until then a group record is reported as not removed.
    CUninstallApp app([]() { return std::unique_ptr<IProgramManager>(); });
    return app.WinMain(instance, showCommand);
}

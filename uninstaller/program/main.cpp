// VMUNST10.EXE: removes a product that setup installed, as its uninstall log
// (UNINSTAL.INF in the install directory) records it.
#include <windows.h>

#include "uninstaller/program/progmanlink.h"
#include "uninstaller/program/uninstallapp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    // Program Manager (Windows NT 3.x) is reached through DDE, at the first
    // group record, on the thread that removes.
    CUninstallApp app(&ConnectProgramManager);
    return app.WinMain(instance, showCommand);
}

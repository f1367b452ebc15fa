// launcher: started by the user from disk 1; runs the installer from the hard disk.
#include <windows.h>

#include "launcher/launcher.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CLauncher launcher(ParsePassThrough(::GetCommandLineA()));
    return launcher.Run();
}

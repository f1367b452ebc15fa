#pragma once
// Which Windows the installer runs on. The program folder page and program
// group creation choose between the program manager (Windows NT 3.x) and the
// shell's folders by these facts.
#include <windows.h>

struct CPlatformFacts {
    int m_bWindowsNT = 0;           // platform id VER_PLATFORM_WIN32_NT
    int m_bWindows95 = 0;           // platform id VER_PLATFORM_WIN32_WINDOWS
    DWORD m_dwWindowsVersion = 0;   // major * 65536 + minor: 0x00040000 is 4.0, 3.51 is 0x00030033
};

// Asks the running system (GetVersionExA for the platform, GetVersion for the version).
CPlatformFacts DetectPlatform();

// The version as compared by the installer, from GetVersion's result: its low
// word holds the major version in the low byte and the minor in the high
// byte; the build number in the high word is dropped.
DWORD WindowsVersionFromGetVersion(DWORD getVersionResult);

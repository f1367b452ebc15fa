#include "app/platform.h"

DWORD WindowsVersionFromGetVersion(DWORD getVersionResult)
{
    const DWORD major = LOBYTE(LOWORD(getVersionResult));
    const DWORD minor = HIBYTE(LOWORD(getVersionResult));
    return major * 65536 + minor;
}

CPlatformFacts DetectPlatform()
{
    CPlatformFacts facts;
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    // A failed call leaves the platform id 0: neither flag is set, which is
    // also what any platform other than the two known ones gives.
    ::GetVersionExA(&info);
    facts.m_bWindowsNT = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
    facts.m_bWindows95 = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
    facts.m_dwWindowsVersion = WindowsVersionFromGetVersion(::GetVersion());
    return facts;
}

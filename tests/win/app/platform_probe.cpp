// Prints the platform facts that setup's start-up records, as this program
// sees them; the test runs it under several Windows versions.
#include <cstdio>

#include "app/platform.h"

int main()
{
    const CPlatformFacts facts = DetectPlatform();
    std::printf("Windows95=%d NT=%d version=0x%08lx\n", facts.m_bWindows95, facts.m_bWindowsNT,
                static_cast<unsigned long>(facts.m_dwWindowsVersion));
    return 0;
}

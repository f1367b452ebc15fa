// The version number the installer compares, decoded from GetVersion's
// result as the supported systems return it.
#include "app/platform.h"

#include <gtest/gtest.h>

namespace {

TEST(Platform, VersionIsMajorTimes65536PlusMinorWithoutTheBuild)
{
    struct Row {
        const char* system;
        DWORD getVersion;
        DWORD expected;
    };
    const Row rows[] = {
        {"Windows 95 (build 950)", 0xC3B60004, 0x00040000},
        {"Windows NT 3.51 (build 1057)", 0x04213303, 3 * 65536 + 51},
        {"Windows NT 4.0 (build 1381)", 0x05650004, 0x00040000},
        {"Windows 98 (4.10)", 0xC0000A04, 0x0004000A},
        {"Windows XP (5.1)", 0x0A280105, 0x00050001},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.system);
        EXPECT_EQ(row.expected, WindowsVersionFromGetVersion(row.getVersion));
    }
    // Version 3.51 orders below 4.0, as the NT 3.x tests of the installer need.
    EXPECT_LT(WindowsVersionFromGetVersion(0x04213303), 0x00040000u);
}

}  // namespace

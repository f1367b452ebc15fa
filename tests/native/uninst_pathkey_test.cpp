// The uninstaller's path rules: one form for every spelling of a path, and
// what counts as a full path and as a root.
#include "uninstaller/pathkey.h"

#include <gtest/gtest.h>

namespace {

TEST(NormalisePath, OneFormForEverySpelling)
{
    struct Case {
        const char* path;
        const char* normalised;
    };
    const Case cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS"},
        {"C:\\WINDOWS\\", "C:\\WINDOWS"},
        {"c:/windows//system/", "c:\\windows\\system"},
        {"C:\\APP\\.\\BIN\\..\\A.DLL", "C:\\APP\\A.DLL"},
        {"C:\\APP\\..\\WINDOWS", "C:\\WINDOWS"},
        {"C:\\WINDOWS.", "C:\\WINDOWS"},            // Windows drops trailing dots and blanks
        {"C:\\APP \\A.DLL . ", "C:\\APP\\A.DLL"},
        {"C:\\", "C:\\"},
        {"C:\\\\", "C:\\"},
        {"C:", "C:"},
        {"C:APP", "C:APP"},                         // drive-relative, kept as such
        {"\\\\server\\share\\dir\\", "\\\\server\\share\\dir"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"\\APP", "\\APP"},
        {"APP\\A", "APP\\A"},
        // "ソ" and "表" end in the byte 0x5C: no separator.
        {"C:\\ソフト\\表\\", "C:\\ソフト\\表"},
        {"C:\\表.", "C:\\表"},
        // Nothing usable.
        {"", ""},
        {"C:\\..", ""},
        {"C:\\APP\\..\\..\\X", ""},
        {"C:\\...", ""},
        {"\\\\server", ""},
        {"\\\\?\\C:\\WINDOWS", ""},
        {"\\\\.\\PhysicalDrive0", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.normalised, NormalisePath(c.path)) << "path " << c.path;
}

TEST(PathKey, IgnoresTheCaseOfSingleByteLettersOnly)
{
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM", PathKey("c:\\Windows\\system\\"));
    EXPECT_TRUE(SamePath("C:\\Program Files\\App\\UNINSTAL.INF", "c:/program files/app/uninstal.inf"));
    // "ｱ" (half-width, one byte) and "ア" are different names; the second
    // byte of "ヂ" (0x83 0x61) is no letter "a" to be upper-cased into "ア" (0x83 0x41).
    EXPECT_FALSE(SamePath("C:\\ヂ", "C:\\ア"));
    EXPECT_EQ("C:\\ヂ", PathKey("c:\\ヂ"));
    EXPECT_FALSE(SamePath("", ""));
}

TEST(PathKinds, FullPathsRootsAndParents)
{
    struct Case {
        const char* path;
        bool full;
        bool root;
        const char* parent;
        const char* last;
        int depth;
    };
    const Case cases[] = {
        {"C:\\APP\\A.DLL", true, false, "C:\\APP", "A.DLL", 2},
        {"C:\\APP", true, false, "C:\\", "APP", 1},
        {"C:\\", true, true, "", "", 0},
        {"C:", false, true, "", "", 0},
        {"C:APP", false, false, "C:", "APP", 1},
        {"\\APP", false, false, "\\", "APP", 1},
        {"\\", false, true, "", "", 0},
        {"APP", false, false, "", "APP", 1},
        {"\\\\srv\\share", true, true, "", "", 0},
        {"\\\\srv\\share\\A\\B", true, false, "\\\\srv\\share\\A", "B", 2},
        {"C:\\A\\..\\..", false, false, "", "", 0},
        {"", false, false, "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.full, IsFullPath(c.path));
        EXPECT_EQ(c.root, IsRootPath(c.path));
        EXPECT_EQ(c.parent, ParentPath(c.path));
        EXPECT_EQ(c.last, LastName(c.path));
        EXPECT_EQ(c.depth, PathDepth(c.path));
    }
}

}  // namespace

// WININIT.INI edits for files deleted at the next restart on Windows 95.
#include "uninstaller/wininit.h"

#include <gtest/gtest.h>

namespace {

TEST(AddWininitDeletions, LinesGoIntoTheRenameSection)
{
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const std::vector<std::string> paths = {"C:\\PROGRA~1\\APP\\A.DLL", "C:\\APP\\表.DLL"};
    const std::string lines = "NUL=C:\\PROGRA~1\\APP\\A.DLL\r\nNUL=C:\\APP\\表.DLL\r\n";
    const Case cases[] = {
        {"no file yet", "", "[rename]\r\n" + lines},
        {"other sections only", "[Other]\r\nx=1\r\n", "[Other]\r\nx=1\r\n[rename]\r\n" + lines},
        {"a last line without its line end", "[Other]\r\nx=1", "[Other]\r\nx=1\r\n[rename]\r\n" + lines},
        // Entries already there stay first: WININIT works through them in order.
        {"an existing section, other sections after it",
         "[Rename]\r\nC:\\NEW.DLL=C:\\TMP.DLL\r\n\r\n[Other]\r\nx=1\r\n",
         "[Rename]\r\nC:\\NEW.DLL=C:\\TMP.DLL\r\n" + lines + "\r\n[Other]\r\nx=1\r\n"},
        {"an existing section at the end without a line end", "[ RENAME ]\r\nNUL=C:\\OLD.DLL",
         "[ RENAME ]\r\nNUL=C:\\OLD.DLL\r\n" + lines},
        {"an empty section", "[rename]\r\n[Other]\r\n", "[rename]\r\n" + lines + "[Other]\r\n"},
        {"only the first of two sections", "[rename]\r\nNUL=C:\\A\r\n[rename]\r\nNUL=C:\\B\r\n",
         "[rename]\r\nNUL=C:\\A\r\n" + lines + "[rename]\r\nNUL=C:\\B\r\n"},
        {"a header alone without a line end", "[rename]", "[rename]\r\n" + lines},
        {"LF line ends stay", "[rename]\nNUL=C:\\A\n", "[rename]\nNUL=C:\\A\n" + lines},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, AddWininitDeletions(c.before, paths)) << c.name;
}

}  // namespace

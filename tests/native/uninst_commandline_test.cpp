// The uninstaller's command line: Windows runs the registered UninstallString
// as it stands, with neither path quoted.
#include "uninstaller/commandline.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitCommandLine, TheProgramAndTheRestOfTheLine)
{
    struct Case {
        const char* line;
        const char* program;
        const char* argument;
    };
    const Case cases[] = {
        // As the installer registers it, and as Windows starts it.
        {"C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE C:\\Program Files\\APP\\UNINSTAL.INF",
         "C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE", "C:\\Program Files\\APP\\UNINSTAL.INF"},
        // A system directory with blanks: the program still ends at its own name.
        {"D:\\My Windows\\System 32\\vmunst10.exe D:\\アプリ ケーション\\UNINSTAL.INF",
         "D:\\My Windows\\System 32\\vmunst10.exe", "D:\\アプリ ケーション\\UNINSTAL.INF"},
        {"\"C:\\Program Files\\VMUNST10.EXE\" \"C:\\My App\\UNINSTAL.INF\"",
         "C:\\Program Files\\VMUNST10.EXE", "C:\\My App\\UNINSTAL.INF"},
        {"\"C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE\" C:\\My App\\UNINSTAL.INF  ",
         "C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE", "C:\\My App\\UNINSTAL.INF"},
        // A quoted argument ends at its closing quote; an unclosed one takes the rest.
        {"VMUNST10.EXE \"C:\\A B\\UNINSTAL.INF\" extra", "VMUNST10.EXE", "C:\\A B\\UNINSTAL.INF"},
        {"VMUNST10.EXE \"C:\\A B\\UNINSTAL.INF", "VMUNST10.EXE", "C:\\A B\\UNINSTAL.INF"},
        // Started by its name alone, with or without the extension.
        {"VMUNST10 C:\\APP\\UNINSTAL.INF", "VMUNST10", "C:\\APP\\UNINSTAL.INF"},
        {"  C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE", "C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE", ""},
        {"C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE   ", "C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE", ""},
        // A directory of that name is not the program; neither is a longer name.
        {"C:\\VMUNST10.EXE\\X\\VMUNST10.EXE C:\\A", "C:\\VMUNST10.EXE\\X\\VMUNST10.EXE", "C:\\A"},
        {"C:\\TOOLS\\XVMUNST10.EXE C:\\A", "C:\\TOOLS\\XVMUNST10.EXE", "C:\\A"},
        // The second byte of "ソ" is 0x5C: the name after it is no name of its own.
        {"C:\\ソVMUNST10.EXE C:\\A", "C:\\ソVMUNST10.EXE", "C:\\A"},
        // Another program's name: the first word.
        {"C:\\OTHER\\UNINST.EXE /x C:\\A B", "C:\\OTHER\\UNINST.EXE", "/x C:\\A B"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CCommandLine split = SplitCommandLine(c.line, "VMUNST10.EXE");
        EXPECT_EQ(c.program, split.m_strProgram);
        EXPECT_EQ(c.argument, split.m_strArgument);
    }
}

TEST(ParseUninstallString, OnlyTheUninstallersRegistrations)
{
    std::string log;
    EXPECT_TRUE(ParseUninstallString("C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE C:\\Program Files\\A\\UNINSTAL.INF", log));
    EXPECT_EQ("C:\\Program Files\\A\\UNINSTAL.INF", log);
    EXPECT_TRUE(ParseUninstallString("\"c:\\windows\\system32\\vmunst10.exe\" C:\\A\\UNINSTAL.INF", log));
    EXPECT_EQ("C:\\A\\UNINSTAL.INF", log);
    EXPECT_FALSE(ParseUninstallString("C:\\WINDOWS\\UNINST.EXE -f C:\\A\\DEISL1.ISU", log));
    EXPECT_FALSE(ParseUninstallString("MsiExec.exe /X{12345678-1234-1234-1234-123456789012}", log));
    EXPECT_FALSE(ParseUninstallString("", log));
}

}  // namespace

// setup's options: the unattended installation's flags, and every misuse
// that must end with the bad-command-line code instead of a guess.
#include "app/commandline.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseSetupCommandLine, OptionsAndMisuses)
{
    struct Case {
        const char* arguments;
        bool ok;
        bool record, silent;
        const char* response;
        const char* result;
        const char* log;
        bool any;
    };
    const Case cases[] = {
        // No argument: today's installation, nothing set.
        {"", true, false, false, "", "", "", false},
        {"   ", true, false, false, "", "", "", false},
        {"/r", true, true, false, "", "", "", true},
        {"/R /f1C:\\A.ISS", true, true, false, "C:\\A.ISS", "", "", true},
        {"/s /f1C:\\A.ISS /f2C:\\A.LOG", true, false, true, "C:\\A.ISS", "C:\\A.LOG", "", true},
        {"/S /F1c:\\a.iss", true, false, true, "c:\\a.iss", "", "", true},
        // Quoted paths with blanks and Shift-JIS names, either quoting style.
        {"/s \"/f1C:\\My Files\\応答.iss\"", true, false, true, "C:\\My Files\\応答.iss", "", "", true},
        {"/s /f1\"C:\\My Files\\a.iss\" /f2\"C:\\結果 file.log\"", true, false, true,
         "C:\\My Files\\a.iss", "C:\\結果 file.log", "", true},
        // The log in any mode, its path as the next word.
        {"/log C:\\SETUP.TXT", true, false, false, "", "", "C:\\SETUP.TXT", true},
        {"/s /LOG \"C:\\ログ ファイル.txt\" /f2C:\\R", true, false, true, "", "C:\\R", "C:\\ログ ファイル.txt", true},
        // Misuses: nothing is guessed.
        {"/x", false, false, false, "", "", "", true},
        {"/s /q /f2C:\\R.LOG", false, false, true, "", "C:\\R.LOG", "", true},
        {"/rs", false, false, false, "", "", "", true},
        {"/r /s", false, true, true, "", "", "", true},
        {"/s /f1", false, false, true, "", "", "", true},
        {"/s /f2", false, false, true, "", "", "", true},
        {"/log", false, false, false, "", "", "", true},
        {"/log /s", false, false, true, "", "", "", true},
        {"C:\\A.ISS", false, false, false, "", "", "", true},
        {"-s", false, false, false, "", "", "", true},
    };
    for (const Case& c : cases) {
        CSetupOptions options;
        std::string error;
        EXPECT_EQ(ParseSetupCommandLine(c.arguments, options, error), c.ok) << c.arguments << ": " << error;
        EXPECT_EQ(error.empty(), c.ok) << c.arguments;
        EXPECT_EQ(options.m_bRecord, c.record) << c.arguments;
        EXPECT_EQ(options.m_bSilent, c.silent) << c.arguments;
        EXPECT_EQ(options.m_strResponseFile, c.response) << c.arguments;
        EXPECT_EQ(options.m_strResultFile, c.result) << c.arguments;
        EXPECT_EQ(options.m_strLogFile, c.log) << c.arguments;
        EXPECT_EQ(options.m_bAny, c.any) << c.arguments;
    }
}

TEST(ArgumentsOfCommandLine, WhatFollowsTheProgram)
{
    struct Case {
        const char* line;
        const char* arguments;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\_SETUP.EXE", ""},
        {"C:\\WINDOWS\\_SETUP.EXE   ", ""},
        {"C:\\WINDOWS\\_SETUP.EXE /s /f1C:\\A.ISS", "/s /f1C:\\A.ISS"},
        {"\"C:\\Program Files\\setup.exe\" /r", "/r"},
        {"  \"C:\\A B\\setup.exe\"\t/log \"C:\\x y.txt\"", "/log \"C:\\x y.txt\""},
        {"\"C:\\unclosed /s", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArgumentsOfCommandLine(c.line), c.arguments) << c.line;
}

}  // namespace

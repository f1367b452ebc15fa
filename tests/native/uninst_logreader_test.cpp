// Reading UNINSTAL.INF whole: the records of every kind in key order, and
// every way a log can be damaged or unfinished, in which case it is refused
// whole.
#include "uninstaller/logreader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "[Config]" as registration completes the log.
const std::string kConfig =
    "[Config]\r\nProduct=テスト製品 1.0\r\nReg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\テスト\r\n";

std::vector<std::string> Values(const CLogRecords& records)
{
    std::vector<std::string> values;
    for (const CLogRecord& record : records)
        values.push_back(std::to_string(record.m_nKey) + "=" + record.m_strValue);
    return values;
}

using Lines = std::vector<std::string>;

TEST(ReadUninstallLog, EveryKindInTheOrderOfItsKeys)
{
    // As the private-profile functions lay out a log of one installation.
    const CLogReadResult read = ReadUninstallLog(
        "[DeleteFile]\r\n0=C:\\APP\\表示.EXE\r\n1=C:\\APP\\UNINSTAL.INF\r\n"
        "[DeleteShortCut]\r\n0=C:\\Menu\\アプリ\\エディタ.lnk\r\n"
        "[DeleteProgramGroup]\r\n0=アプリ\r\n"
        "[UnregisterOcx]\r\n0=C:\\APP\\A.OCX\r\n"
        "[DeleteIniFile]\r\n0=C:\\APP\\APP.INI\r\n"
        "[DeleteIniSection]\r\n0=C:\\APP\\B.INI,Opt,ions\r\n"
        "[DeleteIniKeyword]\r\n0=WIN.INI,製品,x\r\n"
        "[DeleteIniValue]\r\n0=SYSTEM.INI,drivers,wave\r\n"
        "[DeleteDirectory]\r\n0=C:\\APP\r\n1=C:\\APP\\BIN\r\n" +
        kConfig);
    ASSERT_EQ(LogProblem::None, read.m_problem);
    const CUninstallLog& log = read.m_log;
    EXPECT_EQ((Lines{"0=C:\\APP\\表示.EXE", "1=C:\\APP\\UNINSTAL.INF"}), Values(log.m_files));
    EXPECT_EQ((Lines{"0=C:\\Menu\\アプリ\\エディタ.lnk"}), Values(log.m_shortcuts));
    EXPECT_EQ((Lines{"0=アプリ"}), Values(log.m_groups));
    EXPECT_EQ((Lines{"0=C:\\APP\\A.OCX"}), Values(log.m_controls));
    EXPECT_EQ((Lines{"0=C:\\APP\\APP.INI"}), Values(log.m_iniFiles));
    EXPECT_EQ((Lines{"0=C:\\APP\\B.INI,Opt,ions"}), Values(log.m_iniSections));
    EXPECT_EQ((Lines{"0=WIN.INI,製品,x"}), Values(log.m_iniKeys));
    EXPECT_EQ((Lines{"0=SYSTEM.INI,drivers,wave"}), Values(log.m_iniValues));
    EXPECT_EQ((Lines{"0=C:\\APP", "1=C:\\APP\\BIN"}), Values(log.m_directories));
    EXPECT_EQ("テスト製品 1.0", log.m_strProduct);
    EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\テスト", log.m_strReg);
}

TEST(ReadUninstallLog, GapsAndAnEarlierInstallationsRecordsAllCount)
{
    // The second installation into the same directory wrote keys 0 and 1
    // (key 2 failed and was skipped) and left the first one's 3 to 11, after
    // an edit that put them out of order; every key present counts, in
    // numeric order ("10" after "9").
    std::string log = "[DeleteFile]\r\n0=C:\\APP\\NEW.EXE\r\n1=C:\\APP\\UNINSTAL.INF\r\n";
    for (int key : {10, 3, 4, 5, 6, 7, 8, 9, 11})
        log += std::to_string(key) + "=C:\\APP\\OLD" + std::to_string(key) + "\r\n";
    const CLogReadResult read = ReadUninstallLog(log + kConfig);
    ASSERT_EQ(LogProblem::None, read.m_problem);
    std::vector<unsigned long> keys;
    for (const CLogRecord& record : read.m_log.m_files)
        keys.push_back(record.m_nKey);
    EXPECT_EQ((std::vector<unsigned long>{0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}), keys);
}

TEST(ReadUninstallLog, LayoutThatThePrivateProfileFunctionsAlsoRead)
{
    // Blank lines between sections, blanks around names, keys and values,
    // letter case of section names and of Config's keys, LF-only line ends,
    // comments, lines before the first section and sections of no concern.
    const CLogReadResult read = ReadUninstallLog(
        "; written by hand\n"
        "stray line\n"
        "\n"
        "[ deletefile ]\n"
        "  0 = C:\\Program Files\\APP\\A B.EXE  \n"
        "\n"
        "[Notes]\n"
        "anything without an equals sign\n"
        "[CONFIG]\n"
        "PRODUCT=製品=1\n"
        "reg=SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X\n"
        "Other=ignored\n");
    ASSERT_EQ(LogProblem::None, read.m_problem);
    EXPECT_EQ((Lines{"0=C:\\Program Files\\APP\\A B.EXE"}), Values(read.m_log.m_files));
    EXPECT_EQ("製品=1", read.m_log.m_strProduct);
}

TEST(ReadUninstallLog, RefusesWhatItCannotReadWhole)
{
    struct Case {
        const char* name;
        std::string bytes;
        LogProblem problem;
        int line;
    };
    const std::string files = "[DeleteFile]\r\n0=C:\\APP\\A.EXE\r\n";
    const Case cases[] = {
        {"empty file", "", LogProblem::NoConfig, 0},
        {"no Config: registration never finished", files, LogProblem::NoConfig, 0},
        {"Config without Product", files + "[Config]\r\nReg=X\r\n", LogProblem::NoProduct, 0},
        {"Config without Reg", files + "[Config]\r\nProduct=P\r\n", LogProblem::NoReg, 0},
        {"empty Reg", files + "[Config]\r\nProduct=P\r\nReg=\r\n", LogProblem::NoReg, 0},
        {"cut in the middle of its last line", files + kConfig.substr(0, kConfig.size() - 9),
         LogProblem::UnterminatedLine, 5},
        {"padded with NUL bytes", files + std::string(16, '\0') + kConfig, LogProblem::NulByte, 0},
        {"a record line without '='", "[DeleteFile]\r\nC:\\APP\\A.EXE\r\n" + kConfig, LogProblem::BadLine, 2},
        {"a header without ']'", "[DeleteFile\r\n0=C:\\A\r\n" + kConfig, LogProblem::BadHeader, 1},
        {"a section twice", files + "[deletefile]\r\n1=C:\\B\r\n" + kConfig, LogProblem::DuplicateSection, 3},
        {"Config twice", files + kConfig + kConfig, LogProblem::DuplicateSection, 6},
        {"a key twice", files + "0=C:\\B\r\n" + kConfig, LogProblem::DuplicateKey, 3},
        {"Reg twice", files + kConfig + "Reg=SOFTWARE\\X\r\n", LogProblem::DuplicateKey, 6},
        {"a key with a leading zero", "[DeleteFile]\r\n01=C:\\A\r\n" + kConfig, LogProblem::BadKey, 2},
        {"a signed key", "[DeleteFile]\r\n+1=C:\\A\r\n" + kConfig, LogProblem::BadKey, 2},
        {"a key that is no number", "[DeleteFile]\r\nFile=C:\\A\r\n" + kConfig, LogProblem::BadKey, 2},
        {"a key above the counter's range", "[DeleteFile]\r\n1234567890=C:\\A\r\n" + kConfig,
         LogProblem::BadKey, 2},
        {"an empty key", "[DeleteFile]\r\n=C:\\A\r\n" + kConfig, LogProblem::BadKey, 2},
        {"too large", std::string(kMaxLogBytes + 1, 'x'), LogProblem::TooLarge, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CLogReadResult read = ReadUninstallLog(c.bytes);
        EXPECT_EQ(c.problem, read.m_problem);
        EXPECT_EQ(c.line, read.m_nLine);
        EXPECT_TRUE(read.m_log.m_files.empty()) << "nothing of a refused log is passed on";
    }
}

TEST(ReadUninstallLog, EmptyRecordsAreKeptAndNameNothing)
{
    const CLogReadResult read = ReadUninstallLog("[DeleteFile]\r\n0=\r\n1=C:\\A\r\n" + kConfig);
    ASSERT_EQ(LogProblem::None, read.m_problem);
    EXPECT_EQ((Lines{"0=", "1=C:\\A"}), Values(read.m_log.m_files));
}

}  // namespace

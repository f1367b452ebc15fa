// An unattended copy: each question kind reached through the copy of one
// item, answered from a response file or by its default, and what became
// of the file and of the installation; the disk change's wait; the response
// file's checks; a recording read back; the install log's lines.
#include <windows.h>
#include <gtest/gtest.h>
#include <regex>

#include "engine/filecopier.h"
#include "engine/silentquestions.h"
#include "paths/pathvars.h"
#include "resources/dialogs/answers.h"
#include "services/installlog.h"
#include "tests/win/engine/copyfakes.h"
#include "tests/win/profile/testutil.h"

using namespace copytest;
using testutil::CTempDir;
using testutil::ReadBytes;

namespace {

const DWORD kOlder = VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD;
const DWORD kDiffLang = VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFLANG;

CResponseFile Responses(const std::string& text)
{
    CResponseFile file;
    std::string error;
    EXPECT_TRUE(file.Parse(text, error)) << text << ": " << error;
    return file;
}

const char* StopName(SilentStop stop)
{
    switch (stop) {
    case SilentStop::None: return "none";
    case SilentStop::Unanswered: return "unanswered";
    case SilentStop::Answered: return "answered";
    case SilentStop::DiskMissing: return "disk missing";
    case SilentStop::CopyError: return "copy error";
    }
    return "?";
}

const char* OutcomeName(CopyOutcome outcome)
{
    switch (outcome) {
    case CopyOutcome::Abort: return "abort";
    case CopyOutcome::Ignored: return "ignored";
    case CopyOutcome::Finished: return "finished";
    }
    return "?";
}

TEST(SilentCopy, EveryQuestionWithAndWithoutItsAnswer)
{
    struct Case {
        const char* name;
        DWORD find;          // VerFindFileA's result
        DWORD install;       // the first VerInstallFileA's result (later calls install)
        const char* answer;  // the [Questions] line, "" for none
        const char* outcome;
        const char* content; // of the destination afterwards: "old" kept, "new" replaced
        SilentStop stop;
        bool overwriteAll;
    };
    const Case cases[] = {
        // The file there is newer: kept unless the file says otherwise.
        {"older, no answer", 0, kOlder, "", "finished", "old", SilentStop::None, false},
        {"older, Keep", 0, kOlder, "SourceOlder=Keep", "finished", "old", SilentStop::None, false},
        {"older, Replace", 0, kOlder, "SourceOlder=replace", "finished", "new", SilentStop::None, false},
        {"older, ReplaceAll", 0, kOlder, "SourceOlder=ReplaceAll", "finished", "new", SilentStop::None, true},
        {"older, Abort", 0, kOlder, "SourceOlder=Abort", "abort", "old", SilentStop::Answered, false},
        // Another language or code page: kept by default as well.
        {"language, no answer", 0, kDiffLang, "", "finished", "old", SilentStop::None, false},
        {"language, Replace", 0, kDiffLang, "DifferentLanguage=Replace", "finished", "new", SilentStop::None,
         false},
        {"language, ReplaceAll", 0, kDiffLang, "DifferentLanguage=ReplaceAll", "finished", "new",
         SilentStop::None, true},
        {"language, older's answer does not count", 0, kDiffLang, "SourceOlder=Replace", "finished", "old",
         SilentStop::None, false},
        // Read-only: kept, or overwritten only when asked to.
        {"read-only, no answer", 0, VIF_WRITEPROT, "", "finished", "old", SilentStop::None, false},
        {"read-only, Overwrite", 0, VIF_WRITEPROT, "ReadOnly=Overwrite", "finished", "new", SilentStop::None,
         false},
        {"read-only, Abort", 0, VIF_WRITEPROT, "ReadOnly=Abort", "abort", "old", SilentStop::Answered, false},
        // In use: nobody can close the program, so the default stops.
        {"in use, no answer", VFF_FILEINUSE, 0, "", "abort", "old", SilentStop::Unanswered, false},
        {"in use, Ignore", VFF_FILEINUSE, 0, "FileInUse=Ignore", "ignored", "old", SilentStop::None, false},
        {"in use, Abort", VFF_FILEINUSE, 0, "FileInUse=Abort", "abort", "old", SilentStop::Answered, false},
        // Another copy elsewhere that cannot be deleted: deleted only when asked to.
        {"elsewhere, no answer", 0, VIF_CANNOTDELETECUR, "", "abort", "old", SilentStop::Unanswered, false},
        {"elsewhere, Delete", 0, VIF_CANNOTDELETECUR, "CannotDeleteCurrent=Delete", "finished", "new",
         SilentStop::None, false},
        // A notice: the copy fails, whatever the file says.
        {"disk full", 0, VIF_OUTOFSPACE, "SourceOlder=ReplaceAll", "abort", "old", SilentStop::CopyError, false},
        {"source unreadable", 0, VIF_CANNOTREADSRC, "", "abort", "old", SilentStop::CopyError, false},
    };
    for (const Case& c : cases) {
        CTempDir dir("-無人");
        const std::string medium = dir.File("medium");
        const std::string inst = dir.File("インストール先");
        ::CreateDirectoryA(medium.c_str(), nullptr);
        ::CreateDirectoryA(inst.c_str(), nullptr);
        SetSrcDir(medium);
        SetInstDir(inst);
        WriteFileBytes(medium + "\\A.DL_", "compressed");
        WriteFileBytes(inst + "\\A.DLL", "old");

        CFileItem item;
        item.m_strName = "A";
        item.m_nDisk = 1;
        item.m_strSourceName = "A.DL_";
        item.m_strDestName = "A.DLL";
        item.m_nSize = 100;
        item.m_nFlags = 1;

        CScriptedInstaller installer;
        installer.m_find.push_back(CScriptedInstaller::CFindStep(c.find));
        installer.m_install.push_back(CInstallStep(c.install));
        CRecordingLog log;
        const CResponseFile responses = Responses(std::string("[Questions]\r\n") + c.answer + "\r\n");
        CSilentStops stops;
        CSilentCopyQuestions questions(responses, stops);
        COverwriteAllFlags flags;
        CCopyGate gate;
        CFileCopier copier(installer, questions, log, flags, gate);

        EXPECT_STREQ(OutcomeName(copier.CopyItem(item)), c.outcome) << c.name;
        EXPECT_EQ(ReadBytes(inst + "\\A.DLL"), c.content) << c.name;
        EXPECT_STREQ(StopName(stops.GetStop()), StopName(c.stop)) << c.name << ": " << stops.GetReason();
        EXPECT_EQ(flags.m_bOlder || flags.m_bDifferent, c.overwriteAll) << c.name;
        EXPECT_FALSE(testutil::FileExistsA(inst + "\\ver1e3e.tmp")) << c.name << ": the temporary file is left";
        SetSrcDir("");
        SetInstDir("");
    }
}

TEST(SilentCopy, TheNextDiskIsWaitedForUpToTheTimeOut)
{
    struct Case {
        const char* name;
        const char* responses;
        int arrivesAfterLooks;   // the marker is there from this look on; 0: never
        INT_PTR answer;
        unsigned long sleptMs;
        SilentStop stop;
    };
    const Case cases[] = {
        {"there at once", "", 1, IDOK, 0, SilentStop::None},
        {"arrives at the fifth look", "[Questions]\r\nDiskTimeout=2\r\n", 5, IDOK, 4 * 250, SilentStop::None},
        {"never, default time-out", "", 0, IDCANCEL, 60000, SilentStop::DiskMissing},
        {"never, 1 s", "[Questions]\r\nDiskTimeout=1\r\n", 0, IDCANCEL, 1000, SilentStop::DiskMissing},
        {"never, no wait", "[Questions]\r\nDiskTimeout=0\r\n", 0, IDCANCEL, 0, SilentStop::DiskMissing},
        {"arrives too late", "[Questions]\r\nDiskTimeout=1\r\n", 6, IDCANCEL, 1000, SilentStop::DiskMissing},
        {"Abort: no look at all", "[Questions]\r\nDiskChange=Abort\r\n", 1, IDCANCEL, 0, SilentStop::Answered},
    };
    SetSrcDir("D:\\DISK1");
    for (const Case& c : cases) {
        const CResponseFile responses = Responses(c.responses);
        CSilentStops stops;
        CSilentCopyQuestions questions(responses, stops);
        int looks = 0;
        std::string looked;
        unsigned long slept = 0;
        questions.m_markerExists = [&](const std::string& path) {
            looked = path;
            ++looks;
            return c.arrivesAfterLooks > 0 && looks >= c.arrivesAfterLooks;
        };
        questions.m_sleep = [&](unsigned ms) { slept += ms; };
        CCopyQuestion change(CopyPrompt::ChangeDisk);
        change.disk = 2;
        EXPECT_EQ(questions.Ask(change), c.answer) << c.name;
        EXPECT_EQ(slept, c.sleptMs) << c.name;
        EXPECT_STREQ(StopName(stops.GetStop()), StopName(c.stop)) << c.name;
        if (looks > 0) {
            EXPECT_EQ(looked, "D:\\DISK1\\DISK2") << c.name;
        }
        // After a disk change that gave up, the copy's own confirmation stops.
        EXPECT_EQ(questions.Ask(CCopyQuestion(CopyPrompt::Cancel)), IDCANCEL) << c.name;
    }
    SetSrcDir("");
}

TEST(ResponseFile, WhatIsReadAndWhatIsRefused)
{
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"", true},
        {"[Wizard]\r\nUserName=山田 太郎\r\nInstallDir=C:\\テスト\r\nOption=標準\r\nProgramFolder=グループ\r\n", true},
        {"; a comment\r\n[questions]\r\nsourceolder=KEEP\r\nDiskTimeout=86400\r\n", true},
        {"[Questions]\r\nDiskChange=Wait\r\nDiskSpace=Continue\r\nFileInUse=Ignore\r\n", true},
        // Typing errors are refused, never taken as a default.
        {"[Questions]\r\nSourceOlder=Yes\r\n", false},
        {"[Questions]\r\nSourceOld=Keep\r\n", false},
        {"[Question]\r\nSourceOlder=Keep\r\n", false},
        {"[Wizard]\r\nInstallDirectory=C:\\A\r\n", false},
        {"[Questions]\r\nFileInUse=Retry\r\n", false},
        {"[Questions]\r\nDiskTimeout=86401\r\n", false},
        {"[Questions]\r\nDiskTimeout=-1\r\n", false},
        {"[Questions]\r\nDiskTimeout=\r\n", false},
        {"InstallDir=C:\\A\r\n[Wizard]\r\n", false},
    };
    for (const Case& c : cases) {
        CResponseFile file;
        std::string error;
        EXPECT_EQ(file.Parse(c.text, error), c.ok) << c.text << ": " << error;
        EXPECT_EQ(error.empty(), c.ok) << c.text;
    }
    CResponseFile file;
    std::string error;
    EXPECT_FALSE(file.Load("C:\\no such dir\\SETUP.ISS", error));
    EXPECT_NE(error.find("C:\\no such dir\\SETUP.ISS"), std::string::npos) << error;
}

TEST(ResponseFile, ARecordingAnswersAsTheUserDid)
{
    struct Case {
        CopyPrompt kind;
        INT_PTR given;
    };
    const Case cases[] = {
        {CopyPrompt::SourceOlder, ID_ANSWER_YES},
        {CopyPrompt::Overwrite, ID_ANSWER_OVERWRITE_ALL},
        {CopyPrompt::ReadOnly, ID_ANSWER_YES},
        {CopyPrompt::FileInUse, ID_ANSWER_IGNORE},
        {CopyPrompt::CannotDeleteCurrent, IDOK},
    };
    CTempDir dir("-記録");
    CResponseRecorder recorder(dir.File("応答.iss"));
    CScriptedQuestions user;
    CRecordingCopyQuestions recording(user, recorder);
    for (const Case& c : cases) {
        user.m_answers.push_back(c.given);
        EXPECT_EQ(recording.Ask(CCopyQuestion(c.kind)), c.given);
    }
    CResponseFile file;
    std::string error;
    ASSERT_TRUE(file.Load(recorder.GetPath(), error)) << error;
    CSilentStops stops;
    CSilentCopyQuestions silent(file, stops);
    for (const Case& c : cases)
        EXPECT_EQ(silent.Ask(CCopyQuestion(c.kind)), c.given) << CopyPromptName(c.kind);
    EXPECT_EQ(stops.GetStop(), SilentStop::None) << stops.GetReason();
}

TEST(InstallLog, EveryLineStampedAndOnDiskAtOnce)
{
    CTempDir dir("-ログ");
    const std::string path = dir.File("セットアップ.log");
    CInstallLog log;
    ASSERT_TRUE(log.Open(path));
    log.Write("VerInstallFileA C:\\表\\A.DLL: 0x00000000");
    log.Write("two\r\nlines");
    // Read while the log is still open, as after a kill.
    const std::string text = ReadBytes(path);
    const std::regex lines("(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} [^\\r\\n]*\\r\\n)*");
    EXPECT_TRUE(std::regex_match(text, lines)) << text;
    EXPECT_NE(text.find(" VerInstallFileA C:\\表\\A.DLL: 0x00000000\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" two  lines\r\n"), std::string::npos) << text;
    log.Close();
    log.Write("after the end");
    EXPECT_EQ(ReadBytes(path), text);
}

}  // namespace

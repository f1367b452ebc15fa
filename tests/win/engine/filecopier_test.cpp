// One file item's copy with scripted results of the version installer and
// scripted answers: every row of the result table with its question and
// answer, force and the temporary file, the destination found for shared
// files, the directories made and recorded, the change of disks.
#include <windows.h>
#include <gtest/gtest.h>
#include <memory>

#include "engine/filecopier.h"
#include "paths/pathvars.h"
#include "platform/handles.h"
#include "resources/dialogs/answers.h"
#include "tests/win/engine/copyfakes.h"
#include "tests/win/profile/testutil.h"

using namespace copytest;
using testutil::CTempDir;
using testutil::ReadBytes;

namespace {

class FileCopier : public testing::Test {
protected:
    void SetUp() override
    {
        m_medium = m_dir.File("medium");
        m_inst = m_dir.File("インストール先");
        ::CreateDirectoryA(m_medium.c_str(), nullptr);
        ::CreateDirectoryA(m_inst.c_str(), nullptr);
        SetSrcDir(m_medium);
        SetInstDir(m_inst);
        WriteFileBytes(m_medium + "\\A.DL_", "compressed");
    }
    void TearDown() override
    {
        SetSrcDir("");
        SetInstDir("");
    }

    // An item A.DL_ on disk 1 installed as A.DLL into `destDir`.
    static CFileItem Item(const std::string& destDir = "", int32_t flags = 1)
    {
        CFileItem item;
        item.m_strName = "A";
        item.m_nDisk = 1;
        item.m_strSourceName = "A.DL_";
        item.m_strDestDir = destDir;
        item.m_strDestName = "A.DLL";
        item.m_nSize = 100;
        item.m_nFlags = flags;
        return item;
    }

    CopyOutcome Copy(const CFileItem& item)
    {
        CFileCopier copier(Installer(), Questions(), Log(), m_flags, m_gate);
        return copier.CopyItem(item);
    }
    // New stand-ins: nothing called, asked or recorded yet.
    void Fresh() { m_fakes = std::make_unique<CFakes>(); }
    CScriptedInstaller& Installer() { return m_fakes->installer; }
    CScriptedQuestions& Questions() { return m_fakes->questions; }
    CRecordingLog& Log() { return m_fakes->log; }
    std::string Target() const { return m_inst + "\\A.DLL"; }
    std::string TempFile() const { return m_inst + "\\ver1e3e.tmp"; }

    CTempDir m_dir{"-コピー"};
    std::string m_medium;
    std::string m_inst;
    struct CFakes {
        CScriptedInstaller installer;
        CScriptedQuestions questions;
        CRecordingLog log;
    };
    std::unique_ptr<CFakes> m_fakes = std::make_unique<CFakes>();
    COverwriteAllFlags m_flags;
    CCopyGate m_gate;
};

const DWORD kOlder = VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD;
const DWORD kLanguage = VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFLANG;
const INT_PTR kYes = ID_ANSWER_YES, kNo = ID_ANSWER_NO, kAll = ID_ANSWER_OVERWRITE_ALL,
              kAbort = ID_ANSWER_ABORT;

const char* OutcomeName(CopyOutcome outcome)
{
    return outcome == CopyOutcome::Abort ? "abort" : outcome == CopyOutcome::Ignored ? "ignored" : "finished";
}

// One installation of A.DLL over an existing one ("old"): the results of the
// successive install calls, the answers, and what the copy came to.
struct ResultRow {
    const char* name;
    std::vector<DWORD> results;
    std::vector<INT_PTR> answers;
    const char* questions;      // kinds asked, in order
    const char* flags;          // install flags of each call, in order
    const char* outcome;
    const char* content;        // of A.DLL afterwards ("<missing>" when deleted)
    bool recorded;
};

}  // namespace

TEST_F(FileCopier, EveryResultOfTheInstallCallIsAnsweredAsTheTableSays)
{
    const ResultRow rows[] = {
        {"installed at once", {0}, {}, "", "0", "finished", "new", true},
        {"only temp and mismatch bits", {VIF_TEMPFILE | VIF_MISMATCH}, {}, "", "0", "finished", "old", true},
        // The new version already lies beside the old one: it takes its place.
        {"older: yes", {kOlder}, {kYes}, "SourceOlder", "0", "finished", "new", true},
        {"older: no keeps the file and records it", {kOlder}, {kNo}, "SourceOlder", "0", "finished", "old", true},
        {"older: closed", {kOlder}, {IDCANCEL}, "SourceOlder", "0", "finished", "old", true},
        {"older: abort", {kOlder}, {kAbort}, "SourceOlder", "0", "abort", "old", false},
        // No temporary file (its name did not fit): the forced call installs.
        {"older without temp: yes", {VIF_MISMATCH | VIF_SRCOLD | VIF_BUFFTOOSMALL, 0}, {kYes}, "SourceOlder",
         "0,1", "finished", "new", true},
        {"language: yes", {kLanguage}, {kYes}, "Overwrite", "0", "finished", "new", true},
        {"code page: no", {VIF_TEMPFILE | VIF_DIFFCODEPG}, {kNo}, "Overwrite", "0", "finished", "old", true},
        {"language: abort", {kLanguage}, {kAbort}, "Overwrite", "0", "abort", "old", false},
        {"different type", {VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFTYPE}, {}, "FileTypeMismatch", "0", "abort",
         "old", false},
        {"read-only: yes", {VIF_WRITEPROT, 0}, {kYes}, "ReadOnly", "0,1", "finished", "new", true},
        {"read-only: no", {VIF_WRITEPROT}, {kNo}, "ReadOnly", "0", "finished", "old", true},
        {"read-only: cancel, abort", {VIF_WRITEPROT}, {IDCANCEL, IDCANCEL}, "ReadOnly,Cancel", "0", "abort", "old",
         false},
        {"read-only: cancel, retry", {VIF_WRITEPROT, 0}, {IDCANCEL, IDOK}, "ReadOnly,Cancel", "0,0", "finished",
         "new", true},
        {"in use", {VIF_FILEINUSE}, {}, "", "0", "finished", "old", true},
        {"out of space", {VIF_OUTOFSPACE}, {}, "DiskFull", "0", "abort", "old", false},
        {"access violation", {VIF_ACCESSVIOLATION}, {}, "AccessViolation", "0", "abort", "old", false},
        // What Wine reports for a destination another program holds open.
        {"sharing violation", {VIF_SHARINGVIOLATION | VIF_CANNOTDELETE}, {}, "AccessViolation", "0", "abort",
         "old", false},
        {"cannot create", {VIF_CANNOTCREATE}, {}, "NoTempFile", "0", "abort", "old", false},
        {"cannot delete", {VIF_CANNOTDELETE}, {}, "NoTempFile", "0", "abort", "old", false},
        {"cannot rename", {VIF_CANNOTRENAME}, {}, "NoTempFile", "0", "abort", "old", false},
        {"elsewhere: delete it", {VIF_CANNOTDELETECUR, 0}, {IDOK}, "CannotDeleteCurrent", "0,1", "finished", "new",
         true},
        {"elsewhere: no", {VIF_CANNOTDELETECUR}, {IDCANCEL}, "CannotDeleteCurrent", "0", "abort", "old", false},
        {"out of memory", {VIF_OUTOFMEMORY}, {}, "NoMemory", "0", "abort", "old", false},
        {"source unreadable", {VIF_CANNOTREADSRC}, {}, "FailRead", "0", "abort", "old", false},
        {"destination unreadable", {VIF_CANNOTREADDST}, {}, "FailWrite", "0", "abort", "old", false},
        // A question that cannot be shown ends the copy instead of looping.
        {"question not shown", {VIF_WRITEPROT}, {-1}, "ReadOnly", "0", "abort", "old", false},
    };
    for (const ResultRow& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        for (DWORD r : row.results)
            Installer().m_install.push_back({r});
        Questions().m_answers.assign(row.answers.begin(), row.answers.end());
        // Asked whether to stop at a read-only file, the user makes it writable.
        Questions().m_onAsk = [this](const CCopyQuestion& q) {
            if (q.kind == CopyPrompt::Cancel)
                ::SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_NORMAL);
        };
        m_flags = COverwriteAllFlags();
        ::SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteFileBytes(Target(), "old");
        if (row.results[0] & VIF_WRITEPROT)
            ::SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_READONLY);

        EXPECT_STREQ(row.outcome, OutcomeName(Copy(Item())));
        EXPECT_EQ(row.questions, Questions().Kinds());
        std::string flags;
        for (const std::string& call : Installer().m_calls)
            if (call.rfind("install ", 0) == 0)
                flags += (flags.empty() ? "" : ",") + call.substr(14, call.find(' ', 14) - 14);
        EXPECT_EQ(row.flags, flags);
        EXPECT_EQ(row.content, ReadBytes(Target()));
        // The temporary copy never stays behind.
        EXPECT_FALSE(testutil::FileExistsA(TempFile()));
        const std::vector<std::string> none;
        const std::vector<std::string> recorded = {"DeleteFile " + Target()};
        EXPECT_EQ(row.recorded ? recorded : none, Log().Records());
    }
}

TEST_F(FileCopier, TheExistingFileQuestionsDescribeTheTargetAndTheNewVersion)
{
    // Some systems give the temporary name with a leading backslash.
    for (const char* temp : {"ver1e3e.tmp", "\\ver1e3e.tmp"}) {
        SCOPED_TRACE(temp);
        WriteFileBytes(Target(), "old");
        Fresh();
        Installer().m_install = {{kOlder, temp}};
        Questions().m_answers = {kYes};
        EXPECT_EQ(CopyOutcome::Finished, Copy(Item()));
        EXPECT_EQ(std::vector<std::string>{"SourceOlder path=" + Target() + " temp=ver1e3e.tmp"},
                  Questions().Asked());
        EXPECT_EQ("new", ReadBytes(Target()));
        EXPECT_FALSE(testutil::FileExistsA(TempFile()));
    }
}

TEST_F(FileCopier, OverwriteAllAnswersHoldForTheirOwnQuestionOnly)
{
    WriteFileBytes(Target(), "old");
    Installer().m_install = {{kOlder}};
    Questions().m_answers = {kAll};
    EXPECT_EQ(CopyOutcome::Finished, Copy(Item()));
    EXPECT_TRUE(m_flags.m_bOlder);
    EXPECT_FALSE(m_flags.m_bDifferent);

    // Older again: no question. A different language: still asked.
    WriteFileBytes(Target(), "old");
    Installer().m_install = {{kOlder}};
    EXPECT_EQ(CopyOutcome::Finished, Copy(Item()));
    EXPECT_EQ("new", ReadBytes(Target()));
    WriteFileBytes(Target(), "old");
    Installer().m_install = {{kLanguage}};
    Questions().m_answers = {kAll};
    EXPECT_EQ(CopyOutcome::Finished, Copy(Item()));
    EXPECT_EQ("SourceOlder,Overwrite", Questions().Kinds());
    EXPECT_TRUE(m_flags.m_bDifferent);

    WriteFileBytes(Target(), "old");
    Installer().m_install = {{kLanguage}};
    EXPECT_EQ(CopyOutcome::Finished, Copy(Item()));
    EXPECT_EQ("SourceOlder,Overwrite", Questions().Kinds());
    EXPECT_EQ("new", ReadBytes(Target()));
}

TEST_F(FileCopier, ForceClearsReadOnlyAndSystemAndAbortsWhenTheOldFileStays)
{
    WriteFileBytes(Target(), "old");
    ::SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    Installer().m_install = {{VIF_WRITEPROT}, {0}};
    Questions().m_answers = {kYes};
    EXPECT_EQ(CopyOutcome::Finished, Copy(Item()));
    EXPECT_EQ("new", ReadBytes(Target()));

    // The old file cannot be deleted (here: it is open without sharing).
    WriteFileBytes(Target(), "old");
    CFileHandle open(::CreateFileA(Target().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open);
    Fresh();
    Installer().m_install = {{kOlder}};
    Questions().m_answers = {kYes};
    EXPECT_EQ(CopyOutcome::Abort, Copy(Item()));
    EXPECT_EQ("SourceOlder,NoTempFile", Questions().Kinds());
    EXPECT_FALSE(testutil::FileExistsA(TempFile()));
}

TEST_F(FileCopier, NoticesNameWhatFailed)
{
    struct NoticeRow {
        DWORD result;
        std::string notice;
    };
    const NoticeRow rows[] = {
        {VIF_SHARINGVIOLATION, "AccessViolation file=A.DLL"},
        {VIF_CANNOTREADSRC, "FailRead path=" + m_medium + "\\A.DL_ dir=" + m_medium},
        {VIF_CANNOTREADDST, "FailWrite path=" + Target()},
    };
    for (const NoticeRow& row : rows) {
        SCOPED_TRACE(row.notice);
        Fresh();
        Installer().m_install = {{row.result}};
        EXPECT_EQ(CopyOutcome::Abort, Copy(Item()));
        EXPECT_EQ(std::vector<std::string>{row.notice}, Questions().Asked());
    }
}

TEST_F(FileCopier, AMissingSourceIsReportedBeforeAnythingIsInstalled)
{
    CFileItem item = Item("BIN");
    item.m_strSourceSubdir = "\\無い";
    EXPECT_EQ(CopyOutcome::Abort, Copy(item));
    EXPECT_EQ(std::vector<std::string>{"NoSourceFile path=" + m_medium + "\\無い\\A.DL_"}, Questions().Asked());
    EXPECT_TRUE(Installer().m_calls.empty());
    EXPECT_FALSE(testutil::FileExistsA(m_inst + "\\BIN"));
}

TEST_F(FileCopier, SharedFilesAreLocatedByTheVersionInstallerAndRecordedWhereTheyGo)
{
    struct LocateRow {
        const char* destDir;
        DWORD sharedFlag;
    };
    const LocateRow rows[] = {
        {"$SysDir$", VFFF_ISSHAREDFILE}, {"$windir$", VFFF_ISSHAREDFILE}, {"$WINDIR$", VFFF_ISSHAREDFILE},
        {"$SysDir$\\SUB", 0}, {"", 0}, {"BIN", 0},
    };
    for (const LocateRow& row : rows) {
        SCOPED_TRACE(row.destDir);
        Fresh();
        // The file goes where the installer says, not where the script says.
        Installer().m_find = {{VFF_CURNEDEST, m_inst + "\\共有"}};
        CFileItem item = Item(row.destDir);
        item.m_strDestDir = row.destDir;
        EXPECT_EQ(CopyOutcome::Finished, Copy(item));
        std::string app = item.GetDestinationDirectory();
        ExpandPathVariables(app);
        ASSERT_FALSE(Installer().m_calls.empty());
        EXPECT_EQ("find flags=" + std::to_string(row.sharedFlag) + " name=A.DLL app=" + app,
                  Installer().m_calls[0]);
        EXPECT_EQ("install flags=0 dest=" + m_inst + "\\共有 temp=", Installer().m_calls[1]);
        EXPECT_EQ(std::vector<std::string>({"CreatedDirectory " + m_inst + "\\共有",
                                            "DeleteFile " + m_inst + "\\共有\\A.DLL"}),
                  Log().Records());
        ::DeleteFileA((m_inst + "\\共有\\A.DLL").c_str());
        ::RemoveDirectoryA((m_inst + "\\共有").c_str());
    }
}

TEST_F(FileCopier, TheLocateResultsPickTheTargetOrAskAboutAFileInUse)
{
    struct FindRow {
        const char* name;
        std::vector<CScriptedInstaller::CFindStep> finds;
        std::vector<INT_PTR> answers;
        const char* questions;
        const char* outcome;
        int installCalls;
        bool recorded;
    };
    const std::string other = m_inst + "\\他";
    const FindRow rows[] = {
        {"found", {{0, other}}, {}, "", "finished", 1, true},
        // Buffers too small: the application directory.
        {"too small", {{VFF_BUFFTOOSMALL, other}}, {}, "", "finished", 1, true},
        {"too small and in use", {{VFF_BUFFTOOSMALL | VFF_FILEINUSE, other}}, {}, "", "finished", 1, true},
        {"in use: retry", {{VFF_FILEINUSE}, {0}}, {IDOK}, "FileInUse", "finished", 1, true},
        {"in use: retry twice", {{VFF_FILEINUSE}, {VFF_FILEINUSE}, {0}}, {IDOK, 12345}, "FileInUse,FileInUse",
         "finished", 1, true},
        // Ignored: counted on the bar, not recorded, nothing installed.
        {"in use: ignore", {{VFF_FILEINUSE}}, {ID_ANSWER_IGNORE}, "FileInUse", "ignored", 0, false},
        {"in use: abort", {{VFF_FILEINUSE}}, {IDCANCEL}, "FileInUse", "abort", 0, false},
        {"in use, also elsewhere", {{VFF_CURNEDEST | VFF_FILEINUSE, other}}, {}, "", "finished", 1, true},
    };
    for (const FindRow& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        Installer().m_find.assign(row.finds.begin(), row.finds.end());
        Questions().m_answers.assign(row.answers.begin(), row.answers.end());
        EXPECT_STREQ(row.outcome, OutcomeName(Copy(Item())));
        EXPECT_EQ(row.questions, Questions().Kinds());
        EXPECT_EQ(row.installCalls, Installer().InstallCalls());
        const auto records = Log().Records();
        EXPECT_EQ(row.recorded, !records.empty() && records.back().rfind("DeleteFile ", 0) == 0);
        ::DeleteFileA((other + "\\A.DLL").c_str());
        ::RemoveDirectoryA(other.c_str());
    }
    // The question names the file as the script writes it.
    Fresh();
    Installer().m_find = {{VFF_FILEINUSE}};
    Questions().m_answers = {IDCANCEL};
    Copy(Item());
    EXPECT_EQ(std::vector<std::string>{"FileInUse file=A.DLL"}, Questions().Asked());
}

TEST_F(FileCopier, MissingDirectoriesAreMadeOutermostFirstAndRecordedWhenAsked)
{
    const CFileItem recorded = Item("A\\B\\C");
    EXPECT_EQ(CopyOutcome::Finished, Copy(recorded));
    EXPECT_EQ(std::vector<std::string>({"CreatedDirectory " + m_inst + "\\A",
                                        "CreatedDirectory " + m_inst + "\\A\\B",
                                        "CreatedDirectory " + m_inst + "\\A\\B\\C",
                                        "DeleteFile " + m_inst + "\\A\\B\\C\\A.DLL"}),
              Log().Records());

    // Without flag bit 0: made, but neither the directories nor the file recorded.
    Fresh();
    EXPECT_EQ(CopyOutcome::Finished, Copy(Item("X\\Y", 2)));
    EXPECT_TRUE(Log().Records().empty());
    EXPECT_EQ("new", ReadBytes(m_inst + "\\X\\Y\\A.DLL"));
}

TEST_F(FileCopier, ADiskIsAskedForUntilItsMarkerIsThere)
{
    CFileItem item = Item();
    item.m_nDisk = 2;
    int disk = 1;
    CFileCopier copier(Installer(), Questions(), Log(), m_flags, m_gate);
    // OK without the marker asks again; Cancel, then retry, asks again; the
    // marker arrives with the third request.
    Questions().m_answers = {IDOK, IDCANCEL, IDOK, IDOK};
    int changes = 0;
    Questions().m_onAsk = [&](const CCopyQuestion& q) {
        if (q.kind == CopyPrompt::ChangeDisk && ++changes == 3)
            WriteFileBytes(m_medium + "\\DISK2", "");
    };
    EXPECT_TRUE(copier.EnsureDisk(item, disk));
    EXPECT_EQ(2, disk);
    EXPECT_EQ("ChangeDisk,ChangeDisk,Cancel,ChangeDisk", Questions().Kinds());
    EXPECT_EQ("ChangeDisk disk=2", Questions().Asked()[0]);

    // The disk believed inserted is not asked for again.
    EXPECT_TRUE(copier.EnsureDisk(item, disk));
    EXPECT_EQ(4u, Questions().Asked().size());

    // Back to disk 1 (its marker is missing): Cancel, then abort.
    item.m_nDisk = 1;
    Fresh();
    Questions().m_answers = {IDCANCEL, IDCANCEL};
    CFileCopier again(Installer(), Questions(), Log(), m_flags, m_gate);
    EXPECT_FALSE(again.EnsureDisk(item, disk));
    EXPECT_EQ("ChangeDisk,Cancel", Questions().Kinds());
    EXPECT_EQ(2, disk);
}

TEST_F(FileCopier, NothingIsAskedOnceTheCopyIsAbandoned)
{
    m_gate.Abandon();
    int disk = 1;
    CFileItem item = Item();
    item.m_nDisk = 2;
    CFileCopier copier(Installer(), Questions(), Log(), m_flags, m_gate);
    EXPECT_FALSE(copier.EnsureDisk(item, disk));
    EXPECT_EQ(CopyOutcome::Abort, copier.CopyItem(Item()));
    EXPECT_EQ("", Questions().Kinds());
    EXPECT_EQ(0, Installer().InstallCalls());
}

TEST(FileCopierPaths, NamesAreJoinedWithOneSeparator)
{
    EXPECT_EQ("C:\\APP\\ver1.tmp", CFileCopier::JoinPath("C:\\APP", "ver1.tmp"));
    EXPECT_EQ("C:\\APP\\ver1.tmp", CFileCopier::JoinPath("C:\\APP", "\\ver1.tmp"));
    EXPECT_EQ("C:\\ver1.tmp", CFileCopier::JoinPath("C:\\", "ver1.tmp"));
    // "表" ends in the byte of a backslash but is no separator.
    EXPECT_EQ("C:\\表\\A.DLL", CFileCopier::JoinPath("C:\\表", "A.DLL"));
}

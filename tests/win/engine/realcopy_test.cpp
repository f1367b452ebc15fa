// One file item's copy through Wine's own VerFindFileA and VerInstallFileA,
// for every result Wine can produce: a compressed file expanded, an older
// source, a read-only, a locked and a different-type destination, a shared
// file, a missing or unreadable source, a directory that cannot be made. The media parts (v1.dll, v2.dll, v2app.dll and
// their compressed forms v1.dl_, …) lie in "fixtures" beside this program.
#include <windows.h>
#include <gtest/gtest.h>
#include <map>
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

std::string Fixture(const std::string& name)
{
    std::string dir = GetModulePath();
    dir.erase(dir.find_last_of('\\'));
    return ReadBytes(dir + "\\fixtures\\" + name);
}

// The names of the files "ver*.tmp" left in a directory.
std::string TempFilesIn(const std::string& dir)
{
    std::string names;
    WIN32_FIND_DATAA entry;
    CFindHandle find(::FindFirstFileA((dir + "\\ver*.tmp").c_str(), &entry));
    if (find) {
        do
            names += std::string(names.empty() ? "" : ",") + entry.cFileName;
        while (::FindNextFileA(find.Get(), &entry));
    }
    return names;
}

class RealCopy : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"v1.dll", "v2.dll", "v2app.dll", "v1.dl_", "v2.dl_"}) {
            m_fixtures[name] = Fixture(name);
            ASSERT_NE("<missing>", m_fixtures[name]) << name;
        }
        m_medium = m_dir.File("medium");
        m_inst = m_dir.File("製品");
        ::CreateDirectoryA(m_medium.c_str(), nullptr);
        ::CreateDirectoryA(m_inst.c_str(), nullptr);
        WriteFileBytes(m_medium + "\\V1.DL_", m_fixtures["v1.dl_"]);
        WriteFileBytes(m_medium + "\\V2.DL_", m_fixtures["v2.dl_"]);
        SetSrcDir(m_medium);
        SetInstDir(m_inst);
    }
    void TearDown() override
    {
        ::SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_NORMAL);
        SetSrcDir("");
        SetInstDir("");
    }

    // V1.DL_ or V2.DL_ from the medium, installed as T.DLL.
    static CFileItem Item(const char* source, const std::string& destDir = "")
    {
        CFileItem item;
        item.m_strName = "T";
        item.m_nDisk = 1;
        item.m_strSourceName = source;
        item.m_strDestDir = destDir;
        item.m_strDestName = "T.DLL";
        item.m_nSize = 12800;
        item.m_nFlags = 1;
        return item;
    }
    CopyOutcome Copy(const CFileItem& item)
    {
        CFileCopier copier(m_installer, *m_questions, *m_log, m_flags, m_gate);
        return copier.CopyItem(item);
    }
    void Fresh()
    {
        m_questions = std::make_unique<CScriptedQuestions>();
        m_log = std::make_unique<CRecordingLog>();
    }
    std::string Target() const { return m_inst + "\\T.DLL"; }

    CTempDir m_dir{"-ver"};
    std::map<std::string, std::string> m_fixtures;
    std::string m_medium;
    std::string m_inst;
    CVersionInstaller m_installer;
    std::unique_ptr<CScriptedQuestions> m_questions = std::make_unique<CScriptedQuestions>();
    std::unique_ptr<CRecordingLog> m_log = std::make_unique<CRecordingLog>();
    COverwriteAllFlags m_flags;
    CCopyGate m_gate;
};

}  // namespace

TEST_F(RealCopy, ACompressedFileIsExpandedIntoDirectoriesMadeForIt)
{
    const CFileItem item = Item("V2.DL_", "BIN\\表");
    EXPECT_EQ(CopyOutcome::Finished, Copy(item));
    EXPECT_EQ(m_fixtures["v2.dll"], ReadBytes(m_inst + "\\BIN\\表\\T.DLL"));
    EXPECT_EQ(std::vector<std::string>({"CreatedDirectory " + m_inst + "\\BIN",
                                        "CreatedDirectory " + m_inst + "\\BIN\\表",
                                        "DeleteFile " + m_inst + "\\BIN\\表\\T.DLL"}),
              m_log->Records());
    EXPECT_EQ("", m_questions->Kinds());

    // The same version again: replaced without a question.
    EXPECT_EQ(CopyOutcome::Finished, Copy(item));
    EXPECT_EQ("", m_questions->Kinds());
}

TEST_F(RealCopy, AnOlderSourceIsAskedAboutAndEachAnswerTakesEffect)
{
    struct Row {
        const char* name;
        INT_PTR answer;
        const char* outcome;
        const char* result;   // the version at the destination afterwards
        bool all;
    };
    const Row rows[] = {
        {"yes", ID_ANSWER_YES, "finished", "v1.dll", false},
        {"no", ID_ANSWER_NO, "finished", "v2.dll", false},
        {"overwrite all", ID_ANSWER_OVERWRITE_ALL, "finished", "v1.dll", true},
        {"abort", ID_ANSWER_ABORT, "abort", "v2.dll", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        m_flags = COverwriteAllFlags();
        m_questions->m_answers = {row.answer};
        WriteFileBytes(Target(), m_fixtures["v2.dll"]);
        std::string tempSeen;
        m_questions->m_onAsk = [&](const CCopyQuestion& q) {
            EXPECT_EQ(CopyPrompt::SourceOlder, q.kind);
            EXPECT_EQ(Target(), q.path);
            // The new version lies beside the old one while the user decides.
            tempSeen = TempFilesIn(m_inst);
            EXPECT_EQ(q.tempName, tempSeen);
            EXPECT_EQ(m_fixtures["v1.dll"], ReadBytes(m_inst + "\\" + q.tempName));
        };
        const CopyOutcome outcome = Copy(Item("V1.DL_"));
        EXPECT_STREQ(row.outcome, outcome == CopyOutcome::Abort ? "abort" : "finished");
        EXPECT_FALSE(tempSeen.empty());
        EXPECT_EQ(m_fixtures[row.result], ReadBytes(Target()));
        EXPECT_EQ("", TempFilesIn(m_inst));
        EXPECT_EQ(row.all, m_flags.m_bOlder);
        EXPECT_EQ(outcome != CopyOutcome::Abort, !m_log->Records().empty());
    }
    // After "全てを上書き(&A)" an older source is installed without a question.
    Fresh();
    m_flags.m_bOlder = true;
    WriteFileBytes(Target(), m_fixtures["v2.dll"]);
    EXPECT_EQ(CopyOutcome::Finished, Copy(Item("V1.DL_")));
    EXPECT_EQ("", m_questions->Kinds());
    EXPECT_EQ(m_fixtures["v1.dll"], ReadBytes(Target()));
}

TEST_F(RealCopy, AReadOnlyDestinationIsAskedAboutAndEachAnswerTakesEffect)
{
    struct Row {
        const char* name;
        std::vector<INT_PTR> answers;
        const char* questions;
        const char* outcome;
        const char* result;
    };
    const Row rows[] = {
        {"yes", {ID_ANSWER_YES}, "ReadOnly", "finished", "v2.dll"},
        {"no", {ID_ANSWER_NO}, "ReadOnly", "finished", "v1.dll"},
        {"cancel, abort", {IDCANCEL, IDCANCEL}, "ReadOnly,Cancel", "abort", "v1.dll"},
        // Retry: installed again, still read-only, asked again.
        {"cancel, retry, no", {IDCANCEL, IDOK, ID_ANSWER_NO}, "ReadOnly,Cancel,ReadOnly", "finished", "v1.dll"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        m_questions->m_answers.assign(row.answers.begin(), row.answers.end());
        ::SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteFileBytes(Target(), m_fixtures["v1.dll"]);
        ::SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_READONLY);
        const CopyOutcome outcome = Copy(Item("V2.DL_"));
        EXPECT_STREQ(row.outcome, outcome == CopyOutcome::Abort ? "abort" : "finished");
        EXPECT_EQ(row.questions, m_questions->Kinds());
        EXPECT_EQ("ReadOnly path=" + Target(), m_questions->Asked()[0]);
        EXPECT_EQ(m_fixtures[row.result], ReadBytes(Target()));
        EXPECT_EQ("", TempFilesIn(m_inst));
    }
}

TEST_F(RealCopy, ADestinationHeldOpenEndsTheCopyWithTheAccessViolationNotice)
{
    // Wine reports a sharing violation here, never "file in use".
    WriteFileBytes(Target(), m_fixtures["v1.dll"]);
    CFileHandle held(::CreateFileA(Target().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(CopyOutcome::Abort, Copy(Item("V2.DL_")));
    EXPECT_EQ(std::vector<std::string>{"AccessViolation file=T.DLL"}, m_questions->Asked());
    held.Close();
    EXPECT_EQ(m_fixtures["v1.dll"], ReadBytes(Target()));
    EXPECT_EQ("", TempFilesIn(m_inst));
    EXPECT_TRUE(m_log->Records().empty());
}

TEST_F(RealCopy, ADestinationOfAnotherTypeEndsTheCopy)
{
    WriteFileBytes(Target(), m_fixtures["v2app.dll"]);
    EXPECT_EQ(CopyOutcome::Abort, Copy(Item("V2.DL_")));
    EXPECT_EQ("FileTypeMismatch", m_questions->Kinds());
    EXPECT_EQ(m_fixtures["v2app.dll"], ReadBytes(Target()));
    // The new version the installer left beside it does not stay.
    EXPECT_EQ("", TempFilesIn(m_inst));
}

TEST_F(RealCopy, ASourceHeldOpenOrADirectoryThatCannotBeMadeEndTheCopy)
{
    // The source exists but another program holds it without sharing.
    {
        CFileHandle held(::CreateFileA((m_medium + "\\V2.DL_").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(CopyOutcome::Abort, Copy(Item("V2.DL_")));
        EXPECT_EQ(std::vector<std::string>{"FailRead path=" + m_medium + "\\V2.DL_ dir=" + m_medium},
                  m_questions->Asked());
    }
    // A file stands where the destination directory should be made.
    Fresh();
    WriteFileBytes(m_inst + "\\BIN", "a file");
    EXPECT_EQ(CopyOutcome::Abort, Copy(Item("V2.DL_", "BIN")));
    EXPECT_EQ("NoTempFile", m_questions->Kinds());
    EXPECT_TRUE(m_log->Records().empty());
}

TEST_F(RealCopy, AMissingSourceEndsTheCopyWithItsPath)
{
    EXPECT_EQ(CopyOutcome::Abort, Copy(Item("NONE.DL_")));
    EXPECT_EQ(std::vector<std::string>{"NoSourceFile path=" + m_medium + "\\NONE.DL_"}, m_questions->Asked());
}

TEST_F(RealCopy, SharedFilesAreRecordedWhereTheyWereInstalled)
{
    // A name no other test uses; Wine puts a shared file that exists nowhere
    // into the system directory, also when the script names the Windows one.
    const std::string name = "SETUPTEST" + std::to_string(::GetCurrentProcessId()) + ".DLL";
    for (const char* destDir : {"$WinDir$", "$SYSDIR$"}) {
        SCOPED_TRACE(destDir);
        Fresh();
        CFileItem item = Item("V2.DL_", destDir);
        item.m_strDestName = name;
        EXPECT_EQ(CopyOutcome::Finished, Copy(item));
        const std::string installed = GetSystemDir() + "\\" + name;
        EXPECT_EQ(m_fixtures["v2.dll"], ReadBytes(installed));
        EXPECT_EQ(std::vector<std::string>{"DeleteFile " + installed}, m_log->Records());
        ::DeleteFileA(installed.c_str());
    }
}

// The copy dialog with its worker: the end reported to the view once, the
// bar moved by sizes whatever the total, the hidden OK button, the cancel
// question with the worker held meanwhile, and the dialog closed while the
// worker is inside one of its questions.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <functional>

#include "engine/copydialog.h"
#include "engine/phasemessages.h"
#include "framework/dialog.h"
#include "paths/pathvars.h"
#include "resources/dialogs/answers.h"
#include "resources/dialogs/copy.h"
#include "tests/win/engine/copyfakes.h"
#include "tests/win/engine/windowtest.h"
#include "tests/win/profile/testutil.h"

using namespace copytest;
using testutil::CTempDir;

namespace {

class CopyDialog : public testing::Test {
protected:
    void SetUp() override
    {
        m_medium = m_dir.File("medium");
        ::CreateDirectoryA(m_medium.c_str(), nullptr);
        ::CreateDirectoryA(m_dir.File("inst").c_str(), nullptr);
        SetSrcDir(m_medium);
        SetInstDir(m_dir.File("inst"));
        ASSERT_TRUE(m_view.Create());
    }
    void TearDown() override
    {
        m_dialog.reset();
        m_view.DestroyWindow();
        SetSrcDir("");
        SetInstDir("");
    }

    // Items F1, F2, … of the given sizes and disks, their sources on the medium.
    void AddItems(const std::vector<int32_t>& sizes, const std::vector<int>& disks = {})
    {
        for (size_t i = 0; i < sizes.size(); ++i) {
            auto item = std::make_unique<CFileItem>();
            item->m_strName = "F" + std::to_string(m_items.size() + 1);
            item->m_nDisk = i < disks.size() ? disks[i] : 1;
            item->m_strSourceName = item->m_strName + ".TX_";
            item->m_strDestName = item->m_strName + ".TXT";
            item->m_nSize = sizes[i];
            item->m_nFlags = 1;
            WriteFileBytes(m_medium + "\\" + item->m_strSourceName, "x");
            m_items.push_back(std::move(item));
        }
    }
    void Start(ICopyQuestions& questions)
    {
        m_dialog = std::make_unique<CCopyDialog>(questions, m_installer, m_log, m_flags);
        m_dialog->SetItems(&m_items);
        ASSERT_TRUE(m_dialog->Create(m_view.GetSafeHwnd()));
        ::ShowWindow(m_dialog->GetSafeHwnd(), SW_SHOW);
    }
    void Start() { Start(m_questions); }
    bool WaitFinished() { return PumpUntil([this] { return m_view.Count(WM_COPY_FINISHED) > 0; }, 60000); }
    int BarPosition() const
    {
        return static_cast<int>(::SendDlgItemMessageA(m_dialog->GetSafeHwnd(), IDC_COPY_PROGRESS, PBM_GETPOS, 0, 0));
    }
    // Clicks a button of the copy dialog (posted, as a user's click arrives).
    void Click(int id) const
    {
        ::PostMessageA(m_dialog->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_dialog->GetItem(id)));
    }

    CTempDir m_dir{"-copydlg"};
    std::string m_medium;
    CViewStandIn m_view;
    CItemList<CFileItem> m_items;
    CScriptedInstaller m_installer;
    CScriptedQuestions m_questions;
    CRecordingLog m_log;
    COverwriteAllFlags m_flags;
    std::unique_ptr<CCopyDialog> m_dialog;
};

}  // namespace

TEST(CopyProgress, TheBarMovesBySizeWithoutOverflowOrDivisionByZero)
{
    struct Row {
        uint64_t copied, total;
        size_t reported, count;
        int percent;
    };
    const Row rows[] = {
        {0, 100, 0, 2, 0},
        {50, 100, 1, 2, 50},
        {100, 100, 2, 2, 100},
        // 30,000,000 bytes: 20,000,000 × 100 does not fit 31 bits.
        {20000000, 30000000, 2, 3, 66},
        // Past 4 GB in all.
        {4000000000ull, 6000000000ull, 2, 3, 66},
        // Every size 0: the number of items decides.
        {0, 0, 1, 4, 25},
        {0, 0, 4, 4, 100},
        {0, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.copied << "/" << r.total << " " << r.reported << "/" << r.count);
        EXPECT_EQ(r.percent, CopyProgressPercent(r.copied, r.total, r.reported, r.count));
    }
}

TEST_F(CopyDialog, TheBarMovesEvenlyByTheSizesOfTheItemsDone)
{
    struct Row {
        const char* name;
        std::vector<int32_t> sizes;
        const char* positions;   // before each item's install, then at the end
    };
    const Row rows[] = {
        {"30,000,000 bytes", {10000000, 10000000, 10000000}, "0,33,66,100"},
        {"6 GB", {2000000000, 2000000000, 2000000000}, "0,33,66,100"},
        {"all of size 0", {0, 0, 0, 0}, "0,25,50,75,100"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_items.clear();
        m_view.m_received.clear();
        AddItems(row.sizes);
        std::string positions;
        // On the worker, before each install call: the bar as the user sees it.
        m_installer.m_onInstall = [&](int) {
            positions += std::to_string(BarPosition()) + ",";
        };
        Start();
        ASSERT_TRUE(WaitFinished());
        positions += std::to_string(BarPosition());
        EXPECT_EQ(row.positions, positions);
        EXPECT_EQ(PHASE_DONE, m_view.Last(WM_COPY_FINISHED));
        m_dialog.reset();
    }
}

TEST_F(CopyDialog, AllItemsDoneIsReportedOnceAndTheHiddenOkEndsNothing)
{
    AddItems({10, 20, 30});
    m_installer.m_onInstall = [&](int call) {
        if (call == 1)
            Click(IDOK);
    };
    Start();
    ASSERT_TRUE(WaitFinished());
    Pump(200);
    EXPECT_EQ(1, m_view.Count(WM_COPY_FINISHED));
    EXPECT_EQ(PHASE_DONE, m_view.Last(WM_COPY_FINISHED));
    EXPECT_TRUE(::IsWindow(m_dialog->GetSafeHwnd()));
    EXPECT_EQ("F3", m_dialog->GetItemText(IDC_COPY_FILENAME));
    EXPECT_EQ(3, m_installer.InstallCalls());
    EXPECT_EQ(3u, m_log.Records().size());
}

TEST_F(CopyDialog, ACancelConfirmedDuringAnItemLetsItFinishAndStartsNoOther)
{
    AddItems({10, 20, 30});
    m_questions.m_answers = {IDCANCEL};   // "中止(&X)"
    // The user presses "キャンセル" while the second item is being copied.
    m_installer.m_onInstall = [&](int call) {
        if (call == 2)
            ::SendMessageA(m_dialog->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    Start();
    ASSERT_TRUE(WaitFinished());
    EXPECT_EQ(PHASE_CANCELLED, m_view.Last(WM_COPY_FINISHED));
    EXPECT_EQ("Cancel", m_questions.Kinds());
    EXPECT_EQ(2, m_installer.InstallCalls());
    EXPECT_EQ(std::vector<std::string>({"DeleteFile " + m_dir.File("inst") + "\\F1.TXT",
                                        "DeleteFile " + m_dir.File("inst") + "\\F2.TXT"}),
              m_log.Records());
}

TEST_F(CopyDialog, ACancelConfirmedWhileTheWorkerAsksIsNotLostInTheQuestionsLoop)
{
    AddItems({10, 20});
    WriteFileBytes(m_dir.File("inst") + "\\F1.TXT", "old");
    m_installer.m_install = {{VIF_TEMPFILE | VIF_SRCOLD}};
    // The answers in the order asked: the cancel question comes while the
    // worker's question is open.
    m_questions.m_answers = {IDCANCEL, ID_ANSWER_YES};
    m_questions.m_onAsk = [&](const CCopyQuestion& q) {
        if (q.kind != CopyPrompt::SourceOlder)
            return;
        ::SendMessageA(m_dialog->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        // The question's own loop, as a dialog's: it dispatches what arrives.
        Pump(300);
    };
    Start();
    ASSERT_TRUE(WaitFinished());
    EXPECT_EQ(PHASE_CANCELLED, m_view.Last(WM_COPY_FINISHED));
    EXPECT_EQ("SourceOlder,Cancel", m_questions.Kinds());
    EXPECT_EQ(1, m_installer.InstallCalls());
    EXPECT_EQ("new", testutil::ReadBytes(m_dir.File("inst") + "\\F1.TXT"));
}

TEST_F(CopyDialog, TheWorkerWaitsWhileTheCancelQuestionIsOpen)
{
    AddItems({10, 20, 30});
    CKernelHandle asking(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    int callsWhileAsking = -1;
    m_questions.m_answers = {IDOK};   // "再試行(&R)"
    m_questions.m_onAsk = [&](const CCopyQuestion& q) {
        EXPECT_EQ(CopyPrompt::Cancel, q.kind);
        EXPECT_EQ(m_dialog->GetSafeHwnd(), q.owner);
        ::SetEvent(asking.Get());
        // The question stays open a while; the worker finishes its item
        // and must then wait.
        Pump(700);
        callsWhileAsking = m_installer.InstallCalls();
    };
    m_installer.m_onInstall = [&](int call) {
        if (call == 1) {
            Click(IDCANCEL);
            ::WaitForSingleObject(asking.Get(), 30000);
        }
    };
    Start();
    ASSERT_TRUE(WaitFinished());
    EXPECT_EQ(1, callsWhileAsking);
    EXPECT_EQ(PHASE_DONE, m_view.Last(WM_COPY_FINISHED));
    EXPECT_EQ(3, m_installer.InstallCalls());
}

TEST_F(CopyDialog, AnEndThatArrivesDuringTheCancelQuestionWaitsForItsAnswer)
{
    AddItems({10});
    int finishedWhileAsking = -1;
    m_questions.m_answers = {IDOK};
    m_questions.m_onAsk = [&](const CCopyQuestion&) {
        // The worker ends its last item and reports; the view must not hear
        // of it (and destroy the dialog) while the question is open.
        Pump(1000);
        finishedWhileAsking = m_view.Count(WM_COPY_FINISHED);
    };
    m_installer.m_onInstall = [&](int) { Click(IDCANCEL); };
    Start();
    ASSERT_TRUE(WaitFinished());
    EXPECT_EQ(0, finishedWhileAsking);
    EXPECT_EQ(PHASE_DONE, m_view.Last(WM_COPY_FINISHED));
}

TEST_F(CopyDialog, EachDiskIsAskedForOnceWhenItsItemsFollowEachOther)
{
    AddItems({1, 1, 1, 1}, {1, 2, 2, 1});
    m_questions.m_answers = {IDOK, IDOK};
    m_questions.m_onAsk = [&](const CCopyQuestion& q) {
        WriteFileBytes(m_medium + "\\DISK" + std::to_string(q.disk), "");
    };
    Start();
    ASSERT_TRUE(WaitFinished());
    EXPECT_EQ(PHASE_DONE, m_view.Last(WM_COPY_FINISHED));
    EXPECT_EQ(std::vector<std::string>({"ChangeDisk disk=2", "ChangeDisk disk=1"}), m_questions.Asked());
}

TEST_F(CopyDialog, ClosingTheDialogEndsAWorkerThatIsInsideAQuestion)
{
    struct Row {
        const char* name;
        int disk;
        DWORD result;
        UINT question;   // the template the worker shows
    };
    const Row rows[] = {
        {"change disk", 2, 0, 144},
        {"older source", 1, VIF_TEMPFILE | VIF_SRCOLD, 162},
        // Closing this one asks whether to stop, on the worker too.
        {"different language", 1, VIF_TEMPFILE | VIF_DIFFLANG, 153},
        {"read-only", 1, VIF_WRITEPROT, 143},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_items.clear();
        AddItems({10, 10}, {row.disk, row.disk});
        m_installer.m_install = {{row.result}, {row.result}};
        CInteractiveCopyQuestions questions;
        Start(questions);
        ASSERT_TRUE(PumpUntil([&] { return FindDialog(row.question) != nullptr; }, 30000));
        const HWND dialog = m_dialog->GetSafeHwnd();
        m_dialog->DestroyWindow();
        EXPECT_FALSE(::IsWindow(dialog));
        // The worker has ended: its questions are gone, and nothing new was asked.
        EXPECT_EQ(nullptr, FindDialog(row.question));
        EXPECT_EQ(nullptr, FindDialog(136));
        m_dialog.reset();
        m_installer.m_install.clear();
    }
}

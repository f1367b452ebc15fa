// The system-update notice on its real template: where it appears, that it
// cannot be ended by the user, the shell's part on the user-interface
// thread, its end, and an early close while the worker is busy.
#include "engine/updatedialog.h"

#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "paths/pathvars.h"
#include "resources/dialogs/updatesystem.h"
#include "tests/win/engine/updatetest.h"
#include "tests/win/profile/testutil.h"

using testutil::CTempDir;
using namespace updatetest;

namespace {

constexpr UINT WM_TEST_FINISHED = WM_APP + 7;
const char kViewClass[] = "UpdateDialogTestView";

// The install sequence's view: a window that notes the finished message.
class CView {
public:
    explicit CView(CEvents& events) : m_events(events)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &CView::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kViewClass;
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, kViewClass, "view", WS_POPUP | WS_VISIBLE, 40, 30, 800, 600,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CView() { ::DestroyWindow(m_hWnd); }
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    HWND Get() const { return m_hWnd; }
    bool Finished() const { return m_bFinished; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<CView*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && msg == WM_TEST_FINISHED) {
            self->m_events.Add("finished " + std::to_string(wParam));
            self->m_bFinished = true;
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    CEvents& m_events;
    HWND m_hWnd = nullptr;
    bool m_bFinished = false;
};

// Runs the thread's messages until the condition holds or the time is up.
template <typename Condition>
bool PumpUntil(Condition done, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < milliseconds) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return done();
}

class UpdateDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        SetInstDir(m_dir.Path());
        SetTmpDir(m_dir.File("SetupTmp"));
        ::CreateDirectoryA(m_dir.File("SetupTmp").c_str(), nullptr);
    }
    void TearDown() override
    {
        SetInstDir("");
        SetTmpDir("");
        ::CoUninitialize();
    }

    std::unique_ptr<CUpdateSystemDialog> MakeDialog(CRecordingProgman& progman)
    {
        auto group = std::make_unique<CProgramGroup>(ProgramGroupKind::ProgramManager, "グループ",
                                                     m_log, &progman);
        return std::make_unique<CUpdateSystemDialog>(m_view.Get(), WM_TEST_FINISHED, m_log,
                                                     m_notices, std::move(group));
    }

    CTempDir m_dir{"-通知"};
    CEvents m_events;
    CRecordingLog m_log{m_events};
    CRecordingNotices m_notices{m_events};
    CView m_view{m_events};
};

}  // namespace

TEST_F(UpdateDialogTest, DoesTheShellsPartOnItsThreadThenReportsItsEndAndCloses)
{
    CItemList<CFileItem> files;
    files.push_back(File("EDIT.EXE", "エディタ"));
    files.push_back(File("HELP.HLP", "ヘルプ"));
    CItemList<CIniItem> ini;
    ini.push_back(std::make_unique<CIniItem>());
    ini.back()->m_strFile = "$InstDir$\\A.INI";
    ini.back()->m_strSection = "S";
    ini.back()->m_strKey = "K";
    CRecordingProgman progman(m_events);
    auto dialog = MakeDialog(progman);
    CUpdateItemLists lists;
    lists.files = &files;
    lists.iniItems = &ini;
    dialog->SetLists(lists);
    ASSERT_TRUE(dialog->Create(m_view.Get()));
    const HWND notice = dialog->GetSafeHwnd();
    EXPECT_EQ("システム情報の更新", GetWindowTextString(notice));
    // No close box; the caller shows it.
    EXPECT_FALSE(::GetWindowLongA(notice, GWL_STYLE) & WS_SYSMENU);
    EXPECT_FALSE(::IsWindowVisible(notice));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(notice, IDOK)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(notice, IDCANCEL)));
    // Centred over the view's client area.
    RECT own;
    ::GetWindowRect(notice, &own);
    EXPECT_EQ(40 + (800 - (own.right - own.left)) / 2, own.left);
    EXPECT_EQ(30 + (600 - (own.bottom - own.top)) / 2, own.top);
    // Enter and Escape reach the notice as these two commands: nothing happens.
    ::SendMessageA(notice, WM_COMMAND, IDOK, 0);
    ::SendMessageA(notice, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindow(notice));

    ASSERT_TRUE(PumpUntil([&] { return m_view.Finished(); }, 60000));
    const std::vector<std::string> expected = {
        "execute [CreateGroup(\"グループ\")]",
        "DeleteProgramGroup グループ",
        "execute [AddItem(" + m_dir.File("EDIT.EXE") + ",エディタ)]",
        "clear error",
        "execute [AddItem(" + m_dir.File("HELP.HLP") + ",ヘルプ)]",
        "clear error",
        "DeleteIniFile " + m_dir.File("A.INI"),
        "execute [ExitProgman(1)]",
        "finished 1",
    };
    EXPECT_EQ(expected, m_events.Get());
    // The notice closed itself and its worker has ended.
    EXPECT_FALSE(::IsWindow(notice));
    EXPECT_EQ(nullptr, dialog->GetSafeHwnd());
    EXPECT_EQ(nullptr, dialog->GetThread());
}

TEST_F(UpdateDialogTest, ClosingItEarlyEndsTheWorkerBeforeItsNextItem)
{
    const std::string program = m_dir.File("RECORDER.EXE");
    ASSERT_TRUE(::CopyFileA((MediaDir() + "\\RECORDER.EXE").c_str(), program.c_str(), FALSE));
    CItemList<CExeItem> exe;
    for (const char* arguments : {"first /wait:1500", "second"}) {
        exe.push_back(std::make_unique<CExeItem>());
        exe.back()->m_strProgram = program;
        exe.back()->m_strWorkDir = m_dir.Path();
        exe.back()->m_strArguments = arguments;
    }
    CRecordingProgman progman(m_events);
    auto dialog = MakeDialog(progman);
    CUpdateItemLists lists;
    lists.exeItems = &exe;
    dialog->SetLists(lists);
    ASSERT_TRUE(dialog->Create(m_view.Get()));
    const std::string log = m_dir.File("RUNLOG.TXT");
    ASSERT_TRUE(PumpUntil([&] { return testutil::FileExistsA(log); }, 30000));

    // The worker waits for the first program; closing waits for the worker.
    EXPECT_TRUE(dialog->DestroyWindow());
    EXPECT_EQ(nullptr, dialog->GetThread());
    const std::string ran = testutil::ReadBytes(log);
    EXPECT_NE(std::string::npos, ran.find("end\tRECORDER.EXE"));
    EXPECT_EQ(std::string::npos, ran.find("second"));
    PumpUntil([] { return false; }, 200);
    EXPECT_FALSE(m_view.Finished());
    EXPECT_TRUE(m_events.Get().empty());
}

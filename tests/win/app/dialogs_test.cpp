// The application's own dialogs on their real templates: caption, texts,
// default button, and the id that ends them.
#include "app/dialogs.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

#include "resources/dialogs/aboutbox.h"
#include "resources/dialogs/setupsuccessful.h"

namespace {

// What a running dialog shows, read while it is open.
struct CDialogLook {
    bool bFound = false;
    std::string strCaption;
    std::vector<std::string> statics;
    LRESULT defId = 0;
    bool bTopOfThread = false;
};

struct CDialogSearch {
    UINT templateId;
    HWND found;
};

BOOL CALLBACK MatchTemplateId(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<CDialogSearch*>(lp);
    if (reinterpret_cast<UINT_PTR>(::GetPropA(hwnd, CDialog::TemplateIdProperty())) == search->templateId) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The dialog of this thread with the given template id, or null.
HWND FindDialog(UINT templateId)
{
    CDialogSearch search = {templateId, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchTemplateId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs the dialog modally; once it is up, records its look and presses OK.
struct CModalRun {
    static CModalRun* s_pCurrent;
    UINT templateId = 0;
    CDialogLook look;

    INT_PTR Run(CDialog& dialog)
    {
        templateId = dialog.GetTemplateId();
        s_pCurrent = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &CModalRun::OnTimer);
        const INT_PTR result = dialog.DoModal();
        ::KillTimer(nullptr, timer);
        s_pCurrent = nullptr;
        return result;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        CModalRun* run = s_pCurrent;
        if (!run || run->look.bFound)
            return;
        HWND dlg = FindDialog(run->templateId);
        if (!dlg || !::IsWindowVisible(dlg))
            return;
        run->look.bFound = true;
        run->look.strCaption = GetWindowTextString(dlg);
        for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char cls[32];
            ::GetClassNameA(child, cls, sizeof cls);
            if (lstrcmpiA(cls, "Static") == 0)
                run->look.statics.push_back(GetWindowTextString(child));
        }
        run->look.defId = ::SendMessageA(dlg, DM_GETDEFID, 0, 0);
        run->look.bTopOfThread = ::GetForegroundWindow() == dlg || ::GetActiveWindow() == dlg;
        ::PostMessageA(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    }
};
CModalRun* CModalRun::s_pCurrent = nullptr;

TEST(AboutBox, ShowsTheVersionAndEndsWithOk)
{
    CAboutDlg about;
    CModalRun run;
    EXPECT_EQ(IDOK, run.Run(about));
    ASSERT_TRUE(run.look.bFound);
    EXPECT_EQ(IDD_ABOUTBOX, about.GetTemplateId());
    EXPECT_EQ("ﾊﾞｰｼﾞｮﾝ情報(Setup)", run.look.strCaption);
    EXPECT_EQ(std::vector<std::string>{"Setup Version 1.11"}, run.look.statics);
    EXPECT_EQ(MAKELRESULT(IDOK, DC_HASDEFID), run.look.defId);
}

TEST(ClosingDialog, SaysTheInstallationIsCompleteAboveItsOwner)
{
    // A full-screen owner like the main frame: the dialog must come up over it.
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0,
                                   ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    CSetupSuccessfullDialog done(owner);
    CModalRun run;
    EXPECT_EQ(IDOK, run.Run(done));
    ::DestroyWindow(owner);
    ASSERT_TRUE(run.look.bFound);
    EXPECT_EQ(IDD_SETUP_SUCCESSFUL, done.GetTemplateId());
    EXPECT_EQ("セットアップ", run.look.strCaption);
    EXPECT_EQ(std::vector<std::string>{"セットアップが完了しました。プログラムのアイコンをダブルクリックすることで実行出来ます。"},
              run.look.statics);
    EXPECT_EQ(MAKELRESULT(IDOK, DC_HASDEFID), run.look.defId);
    EXPECT_TRUE(run.look.bTopOfThread);
}

}  // namespace

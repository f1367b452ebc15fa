// Windows and dialogs as objects: the object is found from its window while
// the window lives, messages reach its handlers, a throwing handler does not
// unwind through user32, and a dialog returns the id that ended it.
#include <windows.h>
#include <gtest/gtest.h>

#include "framework/dialog.h"
#include "framework/window.h"
#include "test_dialog.h"

namespace {

class CProbeWnd : public CWnd {
public:
    int m_nCreates = 0;
    int m_nPostNcDestroy = 0;
    bool Create() { return CreateEx(0, "FrameworkProbe", "probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_CREATE)
            ++m_nCreates;
        if (msg == WM_USER + 1)
            return static_cast<LRESULT>(wParam * 2);
        if (msg == WM_USER + 2)
            throw 42;
        return Default(msg, wParam, lParam);
    }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
};

TEST(Window, ObjectReceivesItsMessagesUntilDestroyed)
{
    ASSERT_TRUE(CWnd::RegisterWindowClass("FrameworkProbe", 0, nullptr));
    CProbeWnd w;
    ASSERT_TRUE(w.Create());
    HWND h = w.GetSafeHwnd();
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(1, w.m_nCreates);
    EXPECT_EQ(&w, CWnd::FromHandle(h));
    EXPECT_EQ(42, w.SendMessage(WM_USER + 1, 21));
    EXPECT_EQ(0, w.SendMessage(WM_USER + 2));  // thrown, caught at the window procedure
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_TRUE(w.DestroyWindow());
    EXPECT_EQ(nullptr, w.GetSafeHwnd());
    EXPECT_EQ(1, w.m_nPostNcDestroy);
    EXPECT_EQ(nullptr, CWnd::FromHandle(h));
}

class CTimedDialog : public CDialog {
public:
    CTimedDialog(UINT action) : CDialog(IDD_FRAMEWORK_TEST), m_action(action) {}
    std::string m_strInitText;
    CDialogItem m_text;

protected:
    void DoDataExchange() override { Bind(m_text, IDC_FRAMEWORK_TEXT); }
    BOOL OnInitDialog() override
    {
        m_strInitText = m_text.GetText();
        m_text.SetText("changed");
        ::SetTimer(m_hWnd, 1, 10, nullptr);
        return TRUE;
    }
    BOOL OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override
    {
        if (msg != WM_TIMER)
            return FALSE;
        ::KillTimer(m_hWnd, 1);
        EXPECT_EQ(IDD_FRAMEWORK_TEST,
                  reinterpret_cast<UINT_PTR>(::GetPropA(m_hWnd, TemplateIdProperty())));
        EXPECT_EQ("changed", GetItemText(IDC_FRAMEWORK_TEXT));
        if (m_action == IDCANCEL)
            ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        else
            ::SendMessageA(GetItem(static_cast<int>(m_action)), BM_CLICK, 0, 0);
        return TRUE;
    }
    bool OnCommand(int id, int code, HWND control) override
    {
        if (id == IDC_FRAMEWORK_OTHER) {
            EndDialog(id);
            return true;
        }
        return CDialog::OnCommand(id, code, control);
    }

private:
    UINT m_action;
};

TEST(Dialog, ReturnsTheIdOfTheButtonThatEndedIt)
{
    struct Row { UINT action; INT_PTR expected; };
    const Row rows[] = {{IDOK, IDOK}, {IDC_FRAMEWORK_OTHER, IDC_FRAMEWORK_OTHER}, {IDCANCEL, IDCANCEL}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "button " << row.action);
        CTimedDialog dlg(row.action);
        EXPECT_EQ(row.expected, dlg.DoModal());
        EXPECT_EQ("template text", dlg.m_strInitText);
        EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
    }
}

}  // namespace

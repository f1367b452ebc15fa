// The framework's wrappers of system windows: a subclassed control, a
// modeless wizard sheet and its pages, the caption of a dialog template.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/filedialog.h"
#include "framework/propsheet.h"
#include "framework/window.h"
#include "test_dialog.h"

namespace {

class CCountingControl : public CWnd {
public:
    int m_nTexts = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_USER + 1)
            return 7;
        if (msg == WM_SETTEXT)
            ++m_nTexts;
        return Default(msg, wParam, lParam);
    }
};

TEST(Subclass, ObjectSeesTheMessagesAndTheControlKeepsItsOwnHandling)
{
    HWND edit = ::CreateWindowExA(0, "EDIT", "before", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, edit);
    {
        CCountingControl control;
        ASSERT_TRUE(control.SubclassWindow(edit));
        EXPECT_EQ(&control, CWnd::FromHandle(edit));
        EXPECT_EQ(7, ::SendMessageA(edit, WM_USER + 1, 0, 0));
        ::SetWindowTextA(edit, "after");
        EXPECT_EQ(1, control.m_nTexts);
        // The edit's own procedure stored the text.
        EXPECT_EQ("after", GetWindowTextString(edit));
    }
    // The object's end destroyed the control, after giving it back its own procedure.
    EXPECT_FALSE(::IsWindow(edit));
}

// The order of the notifications the pages of a sheet receive.
std::vector<std::string> g_events;

class CProbePage : public CPropertyPage {
public:
    explicit CProbePage(const char* name) : CPropertyPage(IDD_FRAMEWORK_UNTITLED), m_pszName(name) {}

protected:
    BOOL OnInitDialog() override
    {
        g_events.push_back(std::string(m_pszName) + " init " + GetItemText(IDC_FRAMEWORK_TEXT));
        return TRUE;
    }
    BOOL OnSetActive() override
    {
        g_events.push_back(std::string(m_pszName) + " active");
        return TRUE;
    }
    BOOL OnKillActive() override
    {
        g_events.push_back(std::string(m_pszName) + " left");
        return TRUE;
    }

private:
    const char* m_pszName;
};

class CProbeSheet : public CPropertySheet {
public:
    CProbeSheet() : CPropertySheet("") { SetWizardMode(); }
    bool m_bConsumeNext = false;

protected:
    bool OnCommand(int id, int, HWND) override
    {
        if (id == 0x3024)
            g_events.push_back("next at " + std::to_string(GetActiveIndex()));
        return id == 0x3024 && m_bConsumeNext;
    }
    void OnClose() override { g_events.push_back("close"); }
};

TEST(PropertySheet, ModelessWizardShowsItsPagesInOrderAndLetsTheObjectSeeItsCommands)
{
    g_events.clear();
    CProbePage first("first"), second("second"), third("third");
    CProbeSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third);
    ASSERT_TRUE(sheet.Create(nullptr));
    ASSERT_NE(nullptr, sheet.GetSafeHwnd());
    EXPECT_EQ(3, sheet.GetPageCount());
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_EQ(&first, CWnd::FromHandle(first.GetSafeHwnd()));
    EXPECT_EQ(sheet.GetSafeHwnd(), ::GetParent(first.GetSafeHwnd()));
    // Only the page shown exists; its template carried no caption.
    EXPECT_EQ(nullptr, second.GetSafeHwnd());

    HWND next = ::GetDlgItem(sheet.GetSafeHwnd(), 0x3024);
    ::SendMessageA(next, BM_CLICK, 0, 0);
    EXPECT_EQ(1, sheet.GetActiveIndex());
    sheet.m_bConsumeNext = true;
    ::SendMessageA(next, BM_CLICK, 0, 0);
    EXPECT_EQ(1, sheet.GetActiveIndex());
    ::SendMessageA(sheet.GetSafeHwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(sheet.GetSafeHwnd())) << "the object's OnClose decides";

    EXPECT_EQ((std::vector<std::string>{"first init template text", "first active", "next at 0",
                                        "first left", "second init template text", "second active",
                                        "next at 1", "close"}),
              g_events);
    EXPECT_TRUE(sheet.DestroyWindow());
    EXPECT_EQ(nullptr, first.GetSafeHwnd());
    EXPECT_EQ(nullptr, second.GetSafeHwnd());
}

TEST(FileDialog, TemplateCaptionReadsBothKindsOfTemplate)
{
    EXPECT_EQ("テスト", CFileDialog::TemplateCaption(IDD_FRAMEWORK_TEST));
    EXPECT_EQ("拡張 テスト", CFileDialog::TemplateCaption(IDD_FRAMEWORK_EX));
    EXPECT_EQ("", CFileDialog::TemplateCaption(IDD_FRAMEWORK_UNTITLED));
    EXPECT_EQ("", CFileDialog::TemplateCaption(9999));
}

}  // namespace

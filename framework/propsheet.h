#pragma once
// Property sheets of the system's common controls, modeless, in wizard mode
// or not, and their pages. The sheet window is the system's own, subclassed
// when it is made, so that its commands and its close box reach the C++
// object before the system handles them; each page is a dialog of this
// framework that the sheet creates from the page's template when the page is
// first shown.
//
// The header and page records are those of the first common controls
// (Windows 95 and NT 3.51), which every later version still takes.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <string>
#include <vector>

#include "framework/dialog.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);

    // Posts the state of the wizard's buttons (PSWIZB_BACK, PSWIZB_NEXT,
    // PSWIZB_FINISH) to the sheet; it takes effect once the message that is
    // being handled has returned.
    void SetWizardButtons(DWORD flags) const;

protected:
    // The page is about to be shown; FALSE makes the sheet refuse it.
    virtual BOOL OnSetActive() { return TRUE; }
    // The page is about to be left; FALSE keeps it.
    virtual BOOL OnKillActive() { return TRUE; }
    // Enter and Escape are the sheet's: a page never ends by itself.
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK StaticPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

class CPropertySheet : public CWnd {
public:
    // The style of a modeless sheet unless Create is told otherwise.
    static constexpr DWORD kDefaultStyle =
        WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP | WS_VISIBLE;

    explicit CPropertySheet(const std::string& caption, UINT selectPage = 0);
    ~CPropertySheet() override;

    // Pages are shown in the order they are added; the sheet does not own them.
    void AddPage(CPropertyPage* page);
    // Wizard mode (PSH_WIZARD): Back and Next instead of tabs.
    void SetWizardMode() { m_bWizard = true; }
    bool IsWizard() const { return m_bWizard; }

    // Creates the sheet's window modeless, owned by `parent`'s window; its
    // keyboard navigation comes from the application's message loop.
    bool Create(HWND parent, DWORD style = kDefaultStyle, DWORD exStyle = 0);

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // Index of the page shown, or -1.
    int GetActiveIndex() const;
    // The window given to Create (a sheet's own parent is its owner's top-level window).
    HWND GetParentHwnd() const { return m_hParent; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Commands of the sheet's buttons and keys, before the system's own
    // handling; true consumes the command.
    virtual bool OnCommand(int id, int code, HWND control);
    // The close box (WM_CLOSE); the default is the system's handling.
    virtual void OnClose();

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lParam);

    std::string m_strCaption;
    UINT m_nStartPage;
    bool m_bWizard = false;
    std::vector<CPropertyPage*> m_pages;
    HWND m_hParent = nullptr;
    DWORD m_dwStyle = kDefaultStyle;
    DWORD m_dwExStyle = 0;
};

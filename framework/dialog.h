#pragma once
// Dialogs from resource templates, modal or modeless. A dialog binds its
// controls by id (DoDataExchange), fills them in OnInitDialog and reacts to
// commands; a question dialog only returns the id of the button that ended
// it, and its caller decides what the answer means.
#include <windows.h>
#include <string>

#include "framework/window.h"

class CDialog;

// A control of a dialog, bound by its id.
class CDialogItem {
public:
    int GetId() const { return m_id; }
    HWND GetHwnd() const { return m_hWnd; }
    std::string GetText() const;
    void SetText(const std::string& text);

private:
    friend class CDialog;
    int m_id = 0;
    HWND m_hWnd = nullptr;
};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; the id that ended it, or -1 when it could not be shown.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (not shown unless its template says WS_VISIBLE).
    bool Create(HWND parent);
    void EndDialog(INT_PTR result);

    UINT GetTemplateId() const { return m_templateId; }
    HWND GetItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string GetItemText(int id) const;
    void SetItemText(int id, const std::string& text);

    // Name of the window property that carries the template id of every
    // dialog of this framework (test drivers find dialogs by it).
    static const char* TemplateIdProperty();

protected:
    // Binds controls to members before OnInitDialog.
    virtual void DoDataExchange() {}
    void Bind(CDialogItem& item, int id);
    // TRUE: the system sets the focus to the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Commands from controls; the default maps IDOK and IDCANCEL to OnOK/OnCancel.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Every other message; return TRUE when handled (then `result` is the answer).
    virtual BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool IsModal() const { return m_bModal; }
    // For dialogs that the system runs modally on the program's behalf (the
    // common dialogs): EndDialog then ends that modal run.
    void SetModal(bool modal) { m_bModal = modal; }

    // The dialog procedure of this framework, for dialogs whose procedure the
    // system calls with something else than the object in WM_INITDIALOG's
    // lParam (property sheet pages, hooks of the common dialogs): `dlg` is the
    // object at WM_INITDIALOG and null for every later message.
    static INT_PTR RouteDialogMessage(CDialog* dlg, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_hParent;
    bool m_bModal = false;
};

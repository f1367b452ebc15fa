#pragma once
// The common dialog library's open-file dialog in its old style (the one of
// Windows 3.1, not the Explorer's), built from a dialog template of the
// program's own. The template's controls that carry the library's ids
// (dlgs.h) are run by the library; the program sees the dialog through its
// hook: OnInitDialog after the library has set the dialog up, OnOK when the
// user presses OK or Enter, instead of the library's own file-name check.
#include <windows.h>
#include <commdlg.h>
#include <string>

#include "framework/dialog.h"

class CFileDialog : public CDialog {
public:
    // templateId 0: the library's own template. Flags are the OFN_ flags;
    // the hook and, with a template, OFN_ENABLETEMPLATE are added.
    CFileDialog(UINT templateId, DWORD flags, HWND parent);

    // IDOK when the dialog was ended with OK, IDCANCEL otherwise.
    INT_PTR DoModal() override;

    // The caption of a dialog template of the program, "" without one.
    static std::string TemplateCaption(UINT templateId);

protected:
    // The library's record; derived classes fill in what they need before DoModal.
    OPENFILENAMEA m_ofn;
    char m_szFileName[256] = {};
    char m_szFileTitle[256] = {};

    // OK is the program's (OnOK, which ends the dialog with EndDialog(IDOK)
    // to accept); everything else, Cancel included, is the library's.
    bool OnCommand(int id, int code, HWND control) override;

private:
    static UINT_PTR CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hOwner;
};

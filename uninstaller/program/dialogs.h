#pragma once
// The uninstaller's questions and its report. Each question only collects
// an answer: DoModal returns the id of the button that ended it, and the
// caller decides. Templates: resources/uninstaller/.
#include <windows.h>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "resources/uninstaller/chooseproduct.h"
#include "resources/uninstaller/confirm.h"
#include "resources/uninstaller/report.h"
#include "resources/uninstaller/sharedfile.h"
#include "uninstaller/summary.h"

// Which registered product to remove: IDOK (then GetChoice) or IDCANCEL.
class CChooseProductDialog : public CDialog {
public:
    explicit CChooseProductDialog(std::vector<std::string> names, HWND parent = nullptr);
    // Index into the names of the product chosen, after IDOK.
    std::size_t GetChoice() const { return m_nChoice; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void UpdateOk();
    std::vector<std::string> m_names;
    std::size_t m_nChoice = 0;
};

// A question whose message control is filled with one argument and whose
// answer buttons end it with their own ids (IDCANCEL: Escape and close).
class CUninstallQuestionDialog : public CDialog {
protected:
    CUninstallQuestionDialog(UINT templateId, int messageId, std::string argument,
                             std::vector<int> answers, HWND parent);
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    int m_nMessageId;
    std::string m_strArgument;
    std::vector<int> m_answers;
};

// "「%s」と、そのすべての構成要素をコンピュータから削除します。":
// ID_ANSWER_YES, ID_ANSWER_NO, or IDCANCEL.
class CConfirmUninstallDialog : public CUninstallQuestionDialog {
public:
    explicit CConfirmUninstallDialog(std::string product, HWND parent = nullptr);
};

// A file of the Windows or system directory: ID_ANSWER_YES, ID_ANSWER_YES_ALL,
// ID_ANSWER_NO (the default), ID_ANSWER_NO_ALL, or IDCANCEL.
class CSharedFileDialog : public CUninstallQuestionDialog {
public:
    explicit CSharedFileDialog(std::string path, HWND parent = nullptr);

protected:
    BOOL OnInitDialog() override;
};

// The end of the uninstallation: what is left, and what goes at the next
// restart. IDOK.
class CUninstallReportDialog : public CDialog {
public:
    CUninstallReportDialog(std::string product, CRemovalSummary summary, HWND parent = nullptr);

protected:
    BOOL OnInitDialog() override;

private:
    // Without a list, the OK button moves up to just below the headline.
    void DropList();
    std::string m_strProduct;
    CRemovalSummary m_summary;
};

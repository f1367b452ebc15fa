#include "uninstaller/program/dialogs.h"

#include <utility>

#include "resources/uninstaller/strings.h"
#include "uninstaller/program/texts.h"

namespace {

RECT WindowRectIn(HWND parent, HWND child)
{
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

CChooseProductDialog::CChooseProductDialog(std::vector<std::string> names, HWND parent)
    : CDialog(IDD_UNINSTALL_CHOOSE, parent), m_names(std::move(names))
{
}

BOOL CChooseProductDialog::OnInitDialog()
{
    HWND list = GetItem(IDC_CHOOSE_LIST);
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        const LRESULT line = ::SendMessageA(list, LB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(m_names[i].c_str()));
        if (line >= 0)
            ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(line), static_cast<LPARAM>(i));
    }
    UpdateOk();
    ::SetFocus(list);
    return FALSE;
}

void CChooseProductDialog::UpdateOk()
{
    const LRESULT line = ::SendMessageA(GetItem(IDC_CHOOSE_LIST), LB_GETCURSEL, 0, 0);
    ::EnableWindow(GetItem(IDOK), line != LB_ERR);
}

bool CChooseProductDialog::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_CHOOSE_LIST) {
        if (code == LBN_SELCHANGE)
            UpdateOk();
        else if (code == LBN_DBLCLK)
            OnOK();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CChooseProductDialog::OnOK()
{
    HWND list = GetItem(IDC_CHOOSE_LIST);
    const LRESULT line = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR)
        return;         // Enter with nothing chosen
    m_nChoice = static_cast<std::size_t>(::SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(line), 0));
    EndDialog(IDOK);
}

CUninstallQuestionDialog::CUninstallQuestionDialog(UINT templateId, int messageId,
                                                   std::string argument, std::vector<int> answers,
                                                   HWND parent)
    : CDialog(templateId, parent), m_nMessageId(messageId), m_strArgument(std::move(argument)),
      m_answers(std::move(answers))
{
}

BOOL CUninstallQuestionDialog::OnInitDialog()
{
    SetItemText(m_nMessageId, FillPlaceholders(GetItemText(m_nMessageId), {m_strArgument}));
    return TRUE;
}

bool CUninstallQuestionDialog::OnCommand(int id, int code, HWND control)
{
    for (int answer : m_answers) {
        if (id == answer) {
            EndDialog(id);
            return true;
        }
    }
    return CDialog::OnCommand(id, code, control);
}

CConfirmUninstallDialog::CConfirmUninstallDialog(std::string product, HWND parent)
    : CUninstallQuestionDialog(IDD_UNINSTALL_CONFIRM, IDC_CONFIRM_MESSAGE, std::move(product),
                               {ID_ANSWER_YES, ID_ANSWER_NO}, parent)
{
}

CSharedFileDialog::CSharedFileDialog(std::string path, HWND parent)
    : CUninstallQuestionDialog(IDD_UNINSTALL_SHARED, IDC_SHARED_PATH, std::move(path),
                               {ID_ANSWER_YES, ID_ANSWER_YES_ALL, ID_ANSWER_NO, ID_ANSWER_NO_ALL},
                               parent)
{
}

BOOL CSharedFileDialog::OnInitDialog()
{
    CUninstallQuestionDialog::OnInitDialog();
    // Keeping the file is the safe answer, and the one Enter gives.
    ::SetFocus(GetItem(ID_ANSWER_NO));
    return FALSE;
}

CUninstallReportDialog::CUninstallReportDialog(std::string product, CRemovalSummary summary,
                                               HWND parent)
    : CDialog(IDD_UNINSTALL_REPORT, parent), m_strProduct(std::move(product)),
      m_summary(std::move(summary))
{
}

BOOL CUninstallReportDialog::OnInitDialog()
{
    const UINT headline = m_summary.HasProblems() ? IDS_REPORT_ITEMS_LEFT : IDS_REPORT_ALL_REMOVED;
    SetItemText(IDC_REPORT_MESSAGE, FillPlaceholders(LoadText(headline), {m_strProduct}));
    if (m_summary.m_left.empty()) {
        DropList();
        return TRUE;
    }
    std::string lines;
    for (const CLeftItem& item : m_summary.m_left)
        lines += DescribeLeftItem(item) + "\r\n";
    SetItemText(IDC_REPORT_LIST, lines);
    SetItemText(IDC_REPORT_RESTART, m_summary.m_bRestart ? LoadText(IDS_REPORT_RESTART) : std::string());
    ::SetFocus(GetItem(IDOK));
    return FALSE;
}

void CUninstallReportDialog::DropList()
{
    HWND list = GetItem(IDC_REPORT_LIST);
    HWND ok = GetItem(IDOK);
    const RECT listRect = WindowRectIn(m_hWnd, list);
    const RECT okRect = WindowRectIn(m_hWnd, ok);
    ::ShowWindow(list, SW_HIDE);
    ::ShowWindow(GetItem(IDC_REPORT_RESTART), SW_HIDE);
    const int shift = okRect.top - listRect.top;
    ::SetWindowPos(ok, nullptr, okRect.left, okRect.top - shift, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowPos(m_hWnd, nullptr, window.left, window.top + shift / 2, window.right - window.left,
                   window.bottom - window.top - shift, SWP_NOZORDER | SWP_NOACTIVATE);
}

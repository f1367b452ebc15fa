// The GUI driver's test program. It reports on standard output what reached
// it (notifications, answers of nested windows, posted messages), so a test
// can compare what the driver did with what the program saw.
#include <windows.h>
#include <cstdio>
#include <string>

#include "framework/dialog.h"
#include "framework/window.h"
#include "testapp.h"

namespace {
void Report(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Stands in for setup's view: a child window that receives posted messages.
class CTestView : public CWnd {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg >= WM_USER && msg < 0xC000) {
            char line[96];
            std::snprintf(line, sizeof line, "view %u %lld %lld", msg, static_cast<long long>(wParam),
                          static_cast<long long>(lParam));
            Report(line);
            return 0;
        }
        return Default(msg, wParam, lParam);
    }
};

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(HWND parent) : CDialog(IDD_DRIVER_TEST, parent) {}

protected:
    void DoDataExchange() override
    {
        Bind(m_label, IDC_DRIVER_LABEL);
        Bind(m_edit, IDC_DRIVER_EDIT);
    }
    BOOL OnInitDialog() override
    {
        for (const char* fruit : {"りんご", "みかん", "ぶどう"}) {
            SendDlgItemMessageA(m_hWnd, IDC_DRIVER_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
            SendDlgItemMessageA(m_hWnd, IDC_DRIVER_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
        }
        SendDlgItemMessageA(m_hWnd, IDC_DRIVER_SHORT, EM_LIMITTEXT, 4, 0);
        return TRUE;
    }
    bool OnCommand(int id, int code, HWND control) override
    {
        switch (id) {
        case IDC_DRIVER_EDIT:
            if (code == EN_CHANGE)
                m_label.SetText("入力: " + m_edit.GetText());
            return true;
        case IDC_DRIVER_LIST:
            if (code == LBN_SELCHANGE || code == LBN_DBLCLK)
                Report(std::string(code == LBN_DBLCLK ? "list open " : "list select ") +
                       std::to_string(SendDlgItemMessageA(m_hWnd, id, LB_GETCURSEL, 0, 0)));
            return true;
        case IDC_DRIVER_COMBO:
            if (code == CBN_SELCHANGE)
                Report("combo select " +
                       std::to_string(SendDlgItemMessageA(m_hWnd, id, CB_GETCURSEL, 0, 0)));
            return true;
        case IDC_DRIVER_NESTED: {
            CDialog nested(IDD_DRIVER_NESTED, m_hWnd);
            Report("nested " + std::to_string(nested.DoModal()));
            return true;
        }
        case IDC_DRIVER_QUESTION:
            Report("question " + std::to_string(::MessageBoxA(m_hWnd, "一行目\n二行目", "質問",
                                                              MB_YESNO | MB_ICONQUESTION)));
            return true;
        case IDC_DRIVER_LATE_BOX:
            ::SetTimer(m_hWnd, 1, 300, nullptr);
            return true;
        case IDOK:
            Report("edit " + m_edit.GetText());
            Report("short " + GetItemText(IDC_DRIVER_SHORT));
            Report("check " + std::to_string(IsDlgButtonChecked(m_hWnd, IDC_DRIVER_CHECK)));
            break;
        }
        return CDialog::OnCommand(id, code, control);
    }
    BOOL OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override
    {
        if (msg != WM_TIMER)
            return FALSE;
        ::KillTimer(m_hWnd, 1);
        Report("late box " + std::to_string(::MessageBoxA(m_hWnd, "予期しない質問です。", "遅延",
                                                          MB_OK | MB_ICONEXCLAMATION)));
        return TRUE;
    }

private:
    CDialogItem m_label;
    CDialogItem m_edit;
};
}  // namespace

int main()
{
    CWnd::RegisterWindowClass("GuiDriverTestFrame", 0, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    CWnd::RegisterWindowClass("GuiDriverTestView", 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    CWnd frame;
    CTestView view;
    if (!frame.CreateEx(0, "GuiDriverTestFrame", "ドライバー試験の枠", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        0, 0, 600, 400, nullptr, nullptr) ||
        !view.CreateEx(0, "GuiDriverTestView", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, frame,
                       nullptr))
        return 99;
    CTestDialog dlg(frame);
    INT_PTR result = dlg.DoModal();
    Report("result " + std::to_string(result));
    return static_cast<int>(result);
}

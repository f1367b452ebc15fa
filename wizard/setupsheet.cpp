#include "wizard/setupsheet.h"

#include "engine/questiondialogs.h"

namespace {
// The command id of the wizard's Next button.
constexpr int kWizardNext = 0x3024;
}  // namespace

CSetupSheet::CSetupSheet(UINT endMessage) : CPropertySheet(std::string(), 0), m_nEndMessage(endMessage)
{
    SetWizardMode();
}

bool CSetupSheet::OnCommand(int id, int, HWND)
{
    switch (id) {
    case IDCANCEL:
        // The Cancel button and Escape: never the system's own cancel, which
        // would leave a modeless sheet open without a page.
        QueryCancel();
        return true;
    case kWizardNext:
        if (GetActiveIndex() + 1 == GetPageCount()) {
            Finish();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CSetupSheet::OnClose()
{
    // The close box asks as Cancel does; a modeless sheet that closes is destroyed.
    QueryCancel();
}

void CSetupSheet::QueryCancel()
{
    if (ConfirmCancel())
        End(kCancelled);
}

void CSetupSheet::Finish()
{
    End(kFinished);
}

bool CSetupSheet::ConfirmCancel()
{
    CQueryCancelDialog question(m_hWnd);
    return question.DoModal() == IDCANCEL;
}

void CSetupSheet::End(WPARAM result)
{
    // The parent learns of the end only once the window is gone.
    HWND parent = GetParentHwnd();
    DestroyWindow();
    ::PostMessageA(parent, m_nEndMessage, result, 0);
}

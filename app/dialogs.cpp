#include "app/dialogs.h"

#include "resources/dialogs/aboutbox.h"
#include "resources/dialogs/setupsuccessful.h"

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

CSetupSuccessfullDialog::CSetupSuccessfullDialog(HWND parent)
    : CDialog(IDD_SETUP_SUCCESSFUL, parent)
{
}

BOOL CSetupSuccessfullDialog::OnInitDialog()
{
    // The full-screen main frame would otherwise be able to hide it.
    ::BringWindowToTop(m_hWnd);
    return TRUE;
}

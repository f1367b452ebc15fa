#include "wizard/installdirpage.h"

#include "engine/dialogtext.h"
#include "resources/dialogs/installdir.h"
#include "wizard/browsedialog.h"

CInstallDirectoryPage::CInstallDirectoryPage() : CPropertyPage(IDD_INSTALL_DIRECTORY) {}

void CInstallDirectoryPage::DoDataExchange()
{
    Bind(m_directoryDisplay, IDC_INSTALL_DIR_PATH);
}

BOOL CInstallDirectoryPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_directoryDisplay.SetText(m_strDirectory);
    // Each text is the format, the product name only its argument.
    for (int id : {IDC_INSTALL_DIR_TEXT, IDC_INSTALL_DIR_CANCEL})
        SetItemText(id, FormatTemplateText(GetItemText(id), {m_strProductName}));
    return TRUE;
}

BOOL CInstallDirectoryPage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

BOOL CInstallDirectoryPage::OnKillActive()
{
    m_strDirectory = m_directoryDisplay.GetText();
    return CPropertyPage::OnKillActive();
}

bool CInstallDirectoryPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_INSTALL_DIR_BROWSE && code == BN_CLICKED) {
        Browse();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

void CInstallDirectoryPage::Browse()
{
    // Owned by the sheet, so that the wizard cannot go on or end while the
    // browser is open.
    CBrowseDialog browser(m_strDirectory, ::GetParent(m_hWnd));
    if (browser.DoModal() != IDOK)
        return;
    m_strDirectory = browser.GetPath();
    m_directoryDisplay.SetText(m_strDirectory);
}

#include "wizard/setupwizard.h"

CWizardPages WizardPagesFor(CSetupDoc& doc)
{
    CWizardPages pages;
    pages.bInstallDirectory = doc.m_bShowChooseDirPage == 1;
    pages.bInstallOption = doc.GetOptions()->size() >= 2;
    pages.bFolder = doc.m_bShowGroupNamePage == 1;
    pages.bUserName = doc.m_bShowUserNamePage == 1;
    return pages;
}

CSetupWizard::CSetupWizard(UINT endMessage, EProgramFolderStore folders)
    : m_folderStore(folders), m_sheet(endMessage)
{
}

CSetupWizard::~CSetupWizard()
{
    Close();
}

bool CSetupWizard::Start(HWND parent, CSetupDoc& doc)
{
    if (m_pWelcomePage)
        return false;
    const CWizardPages pages = WizardPagesFor(doc);
    m_pWelcomePage = std::make_unique<CWelcomePage>();
    m_pWelcomePage->SetProductName(doc.GetProduct());
    m_sheet.AddPage(m_pWelcomePage.get());
    if (pages.bInstallDirectory) {
        m_pInstallDirectoryPage = std::make_unique<CInstallDirectoryPage>();
        m_pInstallDirectoryPage->SetProductName(doc.GetProduct());
        m_pInstallDirectoryPage->SetDirectory(doc.GetInstallDir());
        m_sheet.AddPage(m_pInstallDirectoryPage.get());
    }
    if (pages.bInstallOption) {
        m_pInstallOptionPage = std::make_unique<CInstallOptionPage>();
        m_pInstallOptionPage->SetOptions(doc.GetOptions());
        m_sheet.AddPage(m_pInstallOptionPage.get());
    }
    if (pages.bFolder) {
        m_pFolderPage = std::make_unique<CFolderPage>();
        m_pFolderPage->SetFolderName(doc.GetGroupName());
        m_pFolderPage->SetFolderStore(m_folderStore);
        m_sheet.AddPage(m_pFolderPage.get());
    }
    if (pages.bUserName) {
        m_pUserNamePage = std::make_unique<CUserNamePage>();
        m_pUserNamePage->SetLengths(doc.m_nUserNameMinLength, doc.m_nUserNameMaxLength);
        m_sheet.AddPage(m_pUserNamePage.get());
    }
    if (!m_sheet.Create(parent))
        return false;
    // In the middle of the view, clear of the logo texts in its corners.
    m_sheet.CenterWindow(parent);
    ::ShowWindow(m_sheet.GetSafeHwnd(), SW_SHOW);
    return true;
}

void CSetupWizard::Close()
{
    if (m_sheet.GetSafeHwnd())
        m_sheet.DestroyWindow();
}

bool CSetupWizard::GetInstallDir(std::string& dir) const
{
    if (!m_pInstallDirectoryPage)
        return false;
    dir = m_pInstallDirectoryPage->GetDirectory();
    return true;
}

std::string CSetupWizard::GetSelectedOption() const
{
    return m_pInstallOptionPage ? m_pInstallOptionPage->GetSelectedOption() : std::string();
}

bool CSetupWizard::GetFolderName(std::string& name) const
{
    if (!m_pFolderPage)
        return false;
    name = m_pFolderPage->GetFolderName();
    return true;
}

#pragma once
// The wizard as the install sequence opens it: the sheet with the pages the
// script asks for, in their fixed order, each given what it needs from the
// document. After the end (the sheet's end message) the pages' results stay
// readable until the wizard is closed.
#include <windows.h>
#include <memory>
#include <string>

#include "script/setupdoc.h"
#include "wizard/folderpage.h"
#include "wizard/installdirpage.h"
#include "wizard/optionpage.h"
#include "wizard/programfolders.h"
#include "wizard/setupsheet.h"
#include "wizard/usernamepage.h"
#include "wizard/welcomepage.h"

// Which pages a script's wizard has besides the welcome page, which it always
// has first. The user-name page, when there, is the last.
struct CWizardPages {
    bool bInstallDirectory = false;   // "ShowChooseDirPage" is "TRUE"
    bool bInstallOption = false;      // the script has two or more install options
    bool bFolder = false;             // "ShowGroupNamePage" is "TRUE"
    bool bUserName = false;           // "ShowUserNamePage" is "TRUE"
};
CWizardPages WizardPagesFor(CSetupDoc& doc);

class CSetupWizard {
public:
    // endMessage: posted to the parent window at the end (CSetupSheet);
    // folders: where the program folder page finds the folders there are.
    CSetupWizard(UINT endMessage, EProgramFolderStore folders);
    ~CSetupWizard();
    CSetupWizard(const CSetupWizard&) = delete;
    CSetupWizard& operator=(const CSetupWizard&) = delete;

    // Builds the sheet as a modeless window owned by `parent` and shows it.
    bool Start(HWND parent, CSetupDoc& doc);
    // Destroys the sheet's window if it is still there.
    void Close();

    // The directory accepted on the install directory page; false without that page.
    bool GetInstallDir(std::string& dir) const;
    // The option selected on the option page; "" without that page.
    std::string GetSelectedOption() const;
    // The name on the program folder page; false without that page.
    bool GetFolderName(std::string& name) const;

private:
    EProgramFolderStore m_folderStore;
    // Destroyed after the sheet, whose window holds their windows.
    std::unique_ptr<CWelcomePage> m_pWelcomePage;
    std::unique_ptr<CInstallDirectoryPage> m_pInstallDirectoryPage;
    std::unique_ptr<CInstallOptionPage> m_pInstallOptionPage;
    std::unique_ptr<CFolderPage> m_pFolderPage;
    std::unique_ptr<CUserNamePage> m_pUserNamePage;
    CSetupSheet m_sheet;
};

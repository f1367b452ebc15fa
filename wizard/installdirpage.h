#pragma once
// The wizard's install directory page: shows where the product will be
// installed, and lets the user pick another directory with the browser.
#include <string>

#include "framework/propsheet.h"

class CInstallDirectoryPage : public CPropertyPage {
public:
    CInstallDirectoryPage();
    void SetProductName(const std::string& name) { m_strProductName = name; }
    // Before the sheet is made: the directory shown first. After the wizard: the one accepted.
    void SetDirectory(const std::string& dir) { m_strDirectory = dir; }
    const std::string& GetDirectory() const { return m_strDirectory; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Browse();

    CDialogItem m_directoryDisplay;
    std::string m_strDirectory;
    std::string m_strProductName;
};

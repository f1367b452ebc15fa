#pragma once
// The engine's disk-space check and copy as phases of the install sequence.
#include <memory>

#include "app/phases.h"
#include "engine/copydialog.h"
#include "engine/diskspacedialogs.h"

class CDiskCheckPhase : public IDiskCheckWindow {
public:
    bool Start(CWnd& view, CItemList<CFileItem>* files, const std::string& installDir,
               const std::string& option) override;
    INT_PTR AskShortage(CWnd& view) override;
    void Close() override;

private:
    CCheckDiskFreeSpaceDialog m_dialog;
};

// The copy records into the uninstall log of the main frame that holds the
// view. The install directory, option and folder name are in the expanded
// paths and the items already.
class CCopyPhase : public ICopyWindow {
public:
    bool Start(CWnd& view, CItemList<CFileItem>* files, const std::string& installDir,
               const std::string& option, const std::string& groupName) override;
    void Close() override;

private:
    CInteractiveCopyQuestions m_questions;
    CVersionInstaller m_installer;
    // Last: the dialog and its worker go before what they use.
    std::unique_ptr<CCopyDialog> m_pDialog;
};

#pragma once
// The install sequence's phase windows as the main view sees them. Each
// phase (wizard, disk-space check, copy, system update) is one modeless
// window that the view creates when the previous phase has ended and that
// reports its own end with one posted message (app/messages.h). The view
// asks the application's IPhaseWindows for a new phase object, hands it what
// it needs from the document, and closes and deletes it when the phase ends.
//
// A factory that cannot make a phase's window returns null: that phase does
// not start and the installer stays where it is, with the background shown.
#include <windows.h>
#include <memory>
#include <string>

#include "engine/updatelists.h"
#include "script/setupdoc.h"

class CMainFrame;
class CWnd;

class IPhaseWindow {
public:
    virtual ~IPhaseWindow() = default;
    // Destroys the phase's window if it still exists (a phase may have
    // destroyed its own window already). The object is deleted afterwards.
    virtual void Close() = 0;
};

// The wizard sheet and its pages.
class IWizardWindow : public IPhaseWindow {
public:
    // Builds the sheet with the pages the document asks for, as a modeless
    // window owned by the view, and shows it. It posts WM_WIZARD_FINISHED.
    virtual bool Start(CWnd& view, CSetupDoc& doc) = 0;
    // The directory accepted on the install directory page; false when the
    // wizard has no such page.
    virtual bool GetInstallDir(std::string& dir) const = 0;
    // The name chosen on the option page; asked only when the script has two
    // or more install options.
    virtual std::string GetSelectedOption() const = 0;
    // The folder name of the program folder page; false without that page.
    virtual bool GetFolderName(std::string& name) const = 0;
};

// The disk-space check. It posts WM_DISKSPACE_RESULT.
class IDiskCheckWindow : public IPhaseWindow {
public:
    virtual bool Start(CWnd& view, CItemList<CFileItem>* files, const std::string& installDir,
                       const std::string& option) = 0;
    // Shows the drives that lack space and asks what to do; returns the id of
    // the button that ended the question: IDCANCEL abort, IDC_RECHECK check
    // again, any other go on with the copy.
    virtual INT_PTR AskShortage(CWnd& view) = 0;
    static constexpr INT_PTR IDC_RECHECK = 1016;   // "再度確認(&R)"
};

// The copy dialog and its worker. It posts WM_COPY_FINISHED.
class ICopyWindow : public IPhaseWindow {
public:
    virtual bool Start(CWnd& view, CItemList<CFileItem>* files, const std::string& installDir,
                       const std::string& option, const std::string& groupName) = 0;
};

// What the system update applies, all lists owned by the document.
using CUpdateLists = CUpdateItemLists;

// The system-update dialog and its worker. At its end it posts
// WM_UPDATE_FINISHED and destroys its own window.
class IUpdateWindow : public IPhaseWindow {
public:
    virtual bool Start(CWnd& view, const CUpdateLists& lists, const std::string& groupName) = 0;
};

// How the install sequence ended.
enum class InstallEnd {
    Installed,          // the system update is done and the uninstaller registered
    WizardCancelled,
    ShortageAborted,    // a drive lacks space and the installation stops
    CopyAborted,        // by the user, or by an error notice of the copy
    NothingToInstall,   // the script has no files
};

class IPhaseWindows {
public:
    virtual ~IPhaseWindows() = default;
    // Before anything else, once the script is found: what the phases need
    // besides the script (a silent run's response file). False with `error`
    // when the installation cannot go on.
    virtual bool Prepare(std::string& /*error*/) { return true; }
    // The last word to the user at the end of the sequence (the closing
    // dialog, the error notice naming the product, ...): shown as the shipped
    // installer shows it by default. Returns setup's exit code for that end
    // (app/exitcodes.h) and, in `reason`, why it ended.
    virtual int Ended(CWnd& view, InstallEnd end, CSetupDoc& doc, std::string& reason);
    virtual std::unique_ptr<IWizardWindow> NewWizard() = 0;
    virtual std::unique_ptr<IDiskCheckWindow> NewDiskCheck() = 0;
    virtual std::unique_ptr<ICopyWindow> NewCopy() = 0;
    virtual std::unique_ptr<IUpdateWindow> NewUpdate() = 0;
    // Completes the uninstall log and registers the uninstaller with Windows
    // (nothing when the script turns uninstall support off).
    virtual void RegisterUninstall(CMainFrame& frame) = 0;
};

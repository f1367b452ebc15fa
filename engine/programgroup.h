#pragma once
// The program group of an installation and its program items: a folder in
// the Start menu's programs with one shell link per file that asks for one
// (Windows 95, Windows NT 4.0), or a Program Manager group with its items,
// made over the Program Manager's DDE conversation (Windows NT 3.x). All of
// it runs on the user-interface thread, which initialised COM and owns the
// conversation; the system update's worker asks for each step and waits.
#include <windows.h>
#include <string>

#include "script/items.h"
#include "services/uninstlog.h"

// Where the program group goes, decided by the platform the installer runs on.
enum class ProgramGroupKind {
    StartMenu95,      // programs folder\group, shell links in it
    StartMenuNT4,     // Windows directory\Profiles\user\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\group, shell links
    ProgramManager,   // a Program Manager group and its items, over DDE
    None,             // any other platform: no group, no items
};

// From the platform facts: Windows 95 (platform id 1); Windows NT 4.0 or
// later (platform id 2, version major * 65536 + minor at or above 0x00040000);
// Windows NT before 4.0.
ProgramGroupKind ProgramGroupKindOf(int bWindowsNT, int bWindows95, DWORD dwWindowsVersion);

// The commands to the Program Manager, over the conversation that the main
// window holds on Windows NT 3.x.
class IProgramManager {
public:
    virtual ~IProgramManager() = default;
    // One execute transaction with the command text; what the Program
    // Manager answers is not looked at.
    virtual void Execute(const std::string& command) = 0;
    // Reads and discards the conversation's last DDE error.
    virtual void ClearLastError() = 0;
};

// Makes the group and its items for one installation. Shortcuts and the
// Program Manager group are recorded in the uninstall log; the folder of a
// Start menu group is not.
class CProgramGroup {
public:
    // progman: the Program Manager conversation, null where there is none
    // (then the Program Manager kind sends nothing).
    CProgramGroup(ProgramGroupKind kind, const std::string& groupName, IUninstallLog& log,
                  IProgramManager* progman);

    // Creates the group: the folder (its result not checked), or the
    // Program Manager's group, recorded for uninstallation.
    void CreateGroup();
    // One program item for a copied file: its shortcut name, expanded, names
    // the item; its installed path, expanded, is the target.
    void AddItem(const CFileItem& file);
    // Ends the work with the Program Manager: "[ExitProgman(1)]" lets it save
    // its groups and exit. Nothing without a conversation.
    void Finish();

    ProgramGroupKind GetKind() const { return m_kind; }
    // The group's folder; "" for the Program Manager and on other platforms.
    std::string GetFolder() const;

private:
    ProgramGroupKind m_kind;
    std::string m_strGroupName;
    IUninstallLog& m_log;
    IProgramManager* m_pProgman;
};

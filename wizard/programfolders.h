#pragma once
// The program folders that already exist on the system, which the program
// folder page offers besides the script's own name. Where they are depends on
// the platform: the Start menu on Windows 95, the user profiles on Windows
// NT 4.0, the program manager's groups on Windows NT 3.x.
#include <windows.h>
#include <string>
#include <vector>

enum class EProgramFolderStore {
    StartMenu,      // the subdirectories of the Start menu's programs folder
    Profiles,       // the user's own start menu programs folder, then All Users'
    ProgramGroups,  // the subkeys of the machine's and the user's program group keys
    None,
};

// The store for the platform facts of the running system (tested in this
// order: Windows 95, Windows NT 4.0 and later, Windows NT before 4.0).
EProgramFolderStore ProgramFolderStoreFor(int bWindowsNT, int bWindows95, DWORD dwWindowsVersion);

struct CProgramFolder {
    std::string strName;
    // A folder of a directory is listed only when no line of the list begins
    // with its name (letter case aside); a program group always is.
    bool bOnlyIfNew;
};

// The folders of the store, in the order they are found; a store that cannot
// be read adds nothing.
std::vector<CProgramFolder> FindProgramFolders(EProgramFolderStore store);

#include "wizard/programfolders.h"

#include "paths/fileutil.h"
#include "paths/pathvars.h"
#include "platform/handles.h"

namespace {
// Where Windows NT 4.0 keeps a profile's start menu programs, below
// "<Windows directory>\Profiles\<profile>": the Japanese system's folder
// names, in half-width katakana.
const char kNtProgramsBelowProfile[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ";

void AddSubdirectories(const std::string& dir, std::vector<CProgramFolder>& folders)
{
    WIN32_FIND_DATAA found;
    CFindHandle find(::FindFirstFileA((dir + "\\*.*").c_str(), &found));
    if (!find)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
            folders.push_back({found.cFileName, true});
    } while (::FindNextFileA(find.Get(), &found));
}

void AddSubkeys(HKEY root, const char* path, std::vector<CProgramFolder>& folders)
{
    CRegKey key;
    if (::RegOpenKeyExA(root, path, 0, KEY_ENUMERATE_SUB_KEYS, key.Receive()) != ERROR_SUCCESS)
        return;
    std::vector<char> name(4096);
    for (DWORD index = 0;; ++index) {
        DWORD size = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExA(key.Get(), index, name.data(), &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        folders.push_back({std::string(name.data(), size), false});
    }
}
}  // namespace

EProgramFolderStore ProgramFolderStoreFor(int bWindowsNT, int bWindows95, DWORD dwWindowsVersion)
{
    if (bWindows95)
        return EProgramFolderStore::StartMenu;
    if (bWindowsNT)
        return dwWindowsVersion >= 0x00040000 ? EProgramFolderStore::Profiles : EProgramFolderStore::ProgramGroups;
    return EProgramFolderStore::None;
}

std::vector<CProgramFolder> FindProgramFolders(EProgramFolderStore store)
{
    std::vector<CProgramFolder> folders;
    switch (store) {
    case EProgramFolderStore::StartMenu: {
        // Without a programs folder the pattern would name the drive's root.
        const std::string programs = GetProgramsDir();
        if (!programs.empty())
            AddSubdirectories(programs, folders);
        break;
    }
    case EProgramFolderStore::Profiles: {
        const std::string profiles = GetWindowsDir() + "\\Profiles\\";
        AddSubdirectories(profiles + GetLoginUserName() + kNtProgramsBelowProfile, folders);
        AddSubdirectories(profiles + "All Users" + kNtProgramsBelowProfile, folders);
        break;
    }
    case EProgramFolderStore::ProgramGroups:
        AddSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\Program Groups", folders);
        AddSubkeys(HKEY_CURRENT_USER, "UNICODE Program Groups", folders);
        break;
    case EProgramFolderStore::None:
        break;
    }
    return folders;
}

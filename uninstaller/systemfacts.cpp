#include "uninstaller/systemfacts.h"

#include <windows.h>
#include <shlobj.h>

#include "paths/fileutil.h"
#include "paths/pathvars.h"
#include "profile/iniprofile.h"

namespace {

void AddIfKnown(std::vector<std::string>& folders, const std::string& folder)
{
    if (!folder.empty())
        folders.push_back(folder);
}

// The section names (an empty current section) or the key names of a section.
std::vector<std::string> Names(const std::string& file, const std::string* section)
{
    std::vector<std::string> names;
    CIniProfile ini(file);
    if (section)
        ini.SetSection(*section);
    const int count = section ? ini.GetKeyCount() : ini.GetSectionCount();
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (section ? ini.GetKeyName(i, name) : ini.GetSectionName(i, name))
            names.push_back(name);
    }
    return names;
}

}  // namespace

std::string NtProfileStartMenu()
{
    return GetUserProfileDir() + "\\ｽﾀｰﾄ ﾒﾆｭｰ";
}

std::string NtProfilePrograms()
{
    return NtProfileStartMenu() + "\\ﾌﾟﾛｸﾞﾗﾑ";
}

std::string CSystemFacts::WindowsDirectory()
{
    return GetWindowsDir();
}

std::string CSystemFacts::SystemDirectory()
{
    return GetSystemDir();
}

std::vector<std::string> CSystemFacts::ProgramsFolders()
{
    std::vector<std::string> folders;
    AddIfKnown(folders, GetProgramsDir());
    AddIfKnown(folders, GetSpecialFolderPath(CSIDL_COMMON_PROGRAMS));
    AddIfKnown(folders, NtProfilePrograms());
    return folders;
}

std::vector<std::string> CSystemFacts::ShellFolders()
{
    std::vector<std::string> folders;
    AddIfKnown(folders, GetStartMenuDir());
    AddIfKnown(folders, GetDesktopDir());
    AddIfKnown(folders, GetStartUpDir());
    AddIfKnown(folders, GetSendToDir());
    AddIfKnown(folders, GetSpecialFolderPath(CSIDL_COMMON_STARTMENU));
    AddIfKnown(folders, GetSpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY));
    AddIfKnown(folders, GetSpecialFolderPath(CSIDL_COMMON_STARTUP));
    AddIfKnown(folders, GetUserProfileDir());
    AddIfKnown(folders, NtProfileStartMenu());
    return folders;
}

bool CSystemFacts::HasProgramManager()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return ::GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           info.dwMajorVersion < 4;
}

bool CSystemFacts::FileExists(const std::string& path)
{
    return ::FileExists(path);
}

std::vector<std::string> CSystemFacts::IniSectionNames(const std::string& file)
{
    return Names(file, nullptr);
}

std::vector<std::string> CSystemFacts::IniKeyNames(const std::string& file, const std::string& section)
{
    return Names(file, &section);
}

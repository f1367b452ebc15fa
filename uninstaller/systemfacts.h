#pragma once
// The facts a removal plan needs, asked of the running Windows.
#include <string>
#include <vector>

#include "uninstaller/removalplan.h"

class CSystemFacts : public IPlanFacts {
public:
    std::string WindowsDirectory() override;
    std::string SystemDirectory() override;
    std::vector<std::string> ProgramsFolders() override;
    std::vector<std::string> ShellFolders() override;
    bool HasProgramManager() override;
    bool FileExists(const std::string& path) override;
    std::vector<std::string> IniSectionNames(const std::string& file) override;
    std::vector<std::string> IniKeyNames(const std::string& file, const std::string& section) override;
};

// The programs folder below the user's profile that the installer uses on
// Windows NT 4.0 ("<profile>\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ"), and its Start menu.
std::string NtProfileStartMenu();
std::string NtProfilePrograms();

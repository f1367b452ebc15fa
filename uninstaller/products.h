#pragma once
// The products this uninstaller can remove: those registered below the
// Windows uninstall key whose UninstallString starts it, as the installer
// registers them ("...\VMUNST10.EXE <install directory>\UNINSTAL.INF").
#include <string>
#include <vector>

struct CInstalledProduct {
    std::string m_strKeyName;       // below the uninstall key; "" for the key itself
    std::string m_strDisplayName;   // as the registration shows it (the key name when it has none)
    std::string m_strLogPath;       // the log named by the UninstallString
};

// In the order the registry lists the keys; the uninstall key's own values
// (a registration made with an empty key name) come first.
std::vector<CInstalledProduct> FindInstalledProducts();

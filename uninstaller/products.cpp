#include "uninstaller/products.h"

#include <windows.h>

#include "platform/handles.h"
#include "services/uninstlogformat.h"
#include "uninstaller/commandline.h"
#include "uninstaller/regvalue.h"

namespace {

// The product registered in one key (the uninstall key itself for "").
bool ReadProduct(const std::string& keyName, CInstalledProduct& product)
{
    std::string path = uninstall_log::kUninstallKeyBase + keyName;
    if (keyName.empty())
        path.pop_back();
    CRegKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return false;
    std::string command;
    std::string logPath;
    if (!QueryStringValue(key.Get(), "UninstallString", command) ||
        !ParseUninstallString(command, logPath) || logPath.empty())
        return false;
    product.m_strKeyName = keyName;
    QueryStringValue(key.Get(), "DisplayName", product.m_strDisplayName);
    if (product.m_strDisplayName.empty())
        product.m_strDisplayName = keyName;
    product.m_strLogPath = logPath;
    return true;
}

}  // namespace

std::vector<CInstalledProduct> FindInstalledProducts()
{
    std::vector<CInstalledProduct> products;
    CInstalledProduct product;
    if (ReadProduct("", product))
        products.push_back(product);
    std::string base = uninstall_log::kUninstallKeyBase;
    base.pop_back();
    CRegKey uninstall;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, base.c_str(), 0, KEY_READ, uninstall.Receive()) != ERROR_SUCCESS)
        return products;
    for (DWORD index = 0;; ++index) {
        char name[512];
        DWORD length = sizeof name;
        const LONG rc = ::RegEnumKeyExA(uninstall.Get(), index, name, &length, nullptr, nullptr,
                                        nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            continue;          // a name longer than any product's: not one of ours
        if (ReadProduct(std::string(name, length), product))
            products.push_back(product);
    }
    return products;
}

#pragma once
// The in-memory model of one installation: the script's global settings, its
// install options, the item lists built from it, and the user's choices.
#include <memory>
#include <string>
#include <vector>

#include "framework/docview.h"
#include "script/items.h"

template <typename T>
using CItemList = std::vector<std::unique_ptr<T>>;

class CSetupDoc : public CDocument {
public:
    // scriptPath: the SETUP.INF whose item sections the document reads with
    // the installer's own parser. The section "Config" is read through the
    // application's settings file (the same script, made so at start-up).
    explicit CSetupDoc(const std::string& scriptPath);
    ~CSetupDoc() override;

    BOOL OnNewDocument() override;

    const std::string& GetInstallDir() const { return m_strInstallDir; }
    void SetInstallDir(const std::string& dir);
    const std::string& GetProduct() const { return m_strProduct; }
    const std::string& GetGroupName() const { return m_strGroupName; }
    void SetGroupName(const std::string& name);   // also written back into "Config"
    const std::string& GetSelectedOption() const { return m_strSelectedOption; }
    void SetSelectedOption(const std::string& name) { m_strSelectedOption = name; }
    int IsUninstallEnabled() const { return m_bUninstall; }
    const std::string& GetScriptPath() const { return m_strScriptPath; }

    CItemList<COptionItem>* GetOptions();
    int LoadOptions(const std::string& section);
    // Each list is built on first use while it is empty.
    CItemList<CFileItem>* GetFileItems();
    CItemList<CIniItem>* GetIniItems();
    CItemList<CRegItem>* GetRegItems();
    CItemList<CExeItem>* GetExeItems();
    CItemList<COcxItem>* GetOcxItems();
    CItemList<CLogoItem>* GetLogoItems() { return &m_logoItems; }

    int LoadFileItems(CItemList<CFileItem>& list, const std::string& section);
    int LoadIniItems(CItemList<CIniItem>& list, const std::string& section);
    int LoadRegItems(CItemList<CRegItem>& list, const std::string& section);
    int LoadExeItems(CItemList<CExeItem>& list, const std::string& section);
    int LoadOcxItems(CItemList<COcxItem>& list, const std::string& section);
    int LoadLogoItems();

    // Read directly by the wizard, the uninstall log and the uninstall registration.
    int m_bShowChooseDirPage = 1;
    int m_bShowGroupNamePage = 1;
    int m_bShowUserNamePage = 1;
    int m_nUserNameMinLength = 0;
    int m_nUserNameMaxLength = 0;
    int m_bUninstall = 1;
    std::string m_strUninstallKey;
    std::string m_strUninstallLogPath;
    std::string m_strUninstallShortcut;

private:
    // A value of the section "Config" of the application's settings file.
    std::string GetConfigString(const char* key, const char* def) const;
    // The sections an item list is read from, in order: the plain one, the
    // "Common::" one, then the selected option's own one.
    std::vector<std::string> ItemSections(const char* plain, const char* optionSection) const;

    std::string m_strScriptPath;
    std::string m_strInstallDir;
    std::string m_strProduct;
    std::string m_strGroupName;
    CItemList<COptionItem> m_options;
    CItemList<CFileItem> m_fileItems;
    CItemList<CIniItem> m_iniItems;
    CItemList<CRegItem> m_regItems;
    CItemList<CExeItem> m_exeItems;
    CItemList<COcxItem> m_ocxItems;
    std::string m_strSelectedOption;
    CItemList<CLogoItem> m_logoItems;
};

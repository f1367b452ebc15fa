#include "script/setupdoc.h"

#include "framework/app.h"
#include "paths/field.h"
#include "paths/mbcs.h"
#include "paths/pathvars.h"
#include "profile/fileprofile.h"
#include "profile/intrule.h"
#include "script/itemlines.h"

namespace {

// The global settings. Read through the application's settings file (the
// script itself, made so at start-up), so the Windows private-profile
// functions match this section's name and keys without regard to case.
const char kConfig[] = "Config";

// Booleans of "Config" are the exact text "TRUE"; "true", "Yes" and "1" are
// all false.
int IsTrue(const std::string& text)
{
    return text == "TRUE" ? 1 : 0;
}

std::string ConfigField(const std::string& value, int index)
{
    return GetField(value, index, "", ",");
}

// Reads one item section through `profile` (the installer's own parser) and
// appends an item for every entry that has a value. Returns the number of
// items appended.
template <typename T, typename Make>
int LoadSection(CFileProfile& profile, const std::string& section, CItemList<T>& list, Make make)
{
    profile.SetSection(section);
    const int count = profile.GetKeyCount();
    int added = 0;
    for (int i = 0; i < count; ++i) {
        std::string key;
        if (!profile.GetKeyName(i, key))
            continue;
        // Copied: the store's own text goes away with the store.
        const std::string value = profile.GetStringAt(i, std::string());
        if (value.empty())
            continue;   // "name=" or a line without "=": no item
        list.push_back(make(key, value));
        ++added;
    }
    return added;
}

// One section, with a store of its own: the script is parsed anew.
template <typename T, typename Make>
int LoadSection(const std::string& scriptPath, const std::string& section, CItemList<T>& list,
                Make make)
{
    CReadonlyFileProfile profile(scriptPath);
    return LoadSection(profile, section, list, make);
}

// Several sections into one list, in order, from one parse of the script.
template <typename T, typename Make>
void LoadSections(const std::string& scriptPath, const std::vector<std::string>& sections,
                  CItemList<T>& list, Make make)
{
    CReadonlyFileProfile profile(scriptPath);
    for (const std::string& section : sections)
        LoadSection(profile, section, list, make);
}

} // namespace

CSetupDoc::CSetupDoc(const std::string& scriptPath) : m_strScriptPath(scriptPath) {}

CSetupDoc::~CSetupDoc() = default;

BOOL CSetupDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;

    // The logo texts first: the background is painted from them as soon as
    // the frame shows.
    LoadLogoItems();

    // The launcher writes the medium's directory here into its staged copy of
    // the script. Run straight from the medium, the script has none and the
    // files lie beside the running program.
    const std::string srcDir = GetConfigString("SrcDir", "");
    if (!srcDir.empty()) {
        SetSrcDir(srcDir);
    } else {
        const std::string module = GetModulePath();
        const std::size_t slash = FindLastBackslash(module);
        if (slash != std::string::npos)
            SetSrcDir(module.substr(0, slash));
    }

    m_strInstallDir = GetConfigString("InstallDir", "");
    ExpandPathVariables(m_strInstallDir);
    SetInstDir(m_strInstallDir);

    m_strProduct = GetConfigString("Product", "");
    LoadOptions("InstallOption");
    m_strGroupName = GetConfigString("GroupName", "");

    m_bShowChooseDirPage = IsTrue(GetConfigString("ShowChooseDirPage", "TRUE"));
    m_bShowGroupNamePage = IsTrue(GetConfigString("ShowGroupNamePage", "TRUE"));

    const std::string userName = GetConfigString("ShowUserNamePage", "TRUE");
    m_bShowUserNamePage = IsTrue(ConfigField(userName, 0));
    m_nUserNameMinLength = ParseScriptInt(ConfigField(userName, 1));
    m_nUserNameMaxLength = ParseScriptInt(ConfigField(userName, 2));

    const std::string uninstall = GetConfigString("Uninstall", "TRUE");
    m_bUninstall = IsTrue(ConfigField(uninstall, 0));
    m_strUninstallKey = ConfigField(uninstall, 1);
    m_strUninstallShortcut = ConfigField(uninstall, 2);

    m_strUninstallLogPath = m_strInstallDir + "\\UNINSTAL.INF";
    return TRUE;
}

void CSetupDoc::SetInstallDir(const std::string& dir)
{
    m_strInstallDir = dir;
    // The uninstall log lives in the install directory and moves with it.
    m_strUninstallLogPath = dir + "\\UNINSTAL.INF";
}

void CSetupDoc::SetGroupName(const std::string& name)
{
    m_strGroupName = name;
    // Kept in the script for the uninstaller. Run straight from a read-only
    // medium the write fails; the value in memory serves this run all the same.
    if (CApplication* app = CApplication::Current())
        app->WriteProfileString(kConfig, "GroupName", name.c_str());
}

std::string CSetupDoc::GetConfigString(const char* key, const char* def) const
{
    // Without an application object there is no settings file: every setting
    // takes its default, as with a script that has no section "Config".
    const CApplication* app = CApplication::Current();
    return app ? app->GetProfileString(kConfig, key, def) : std::string(def);
}

CItemList<COptionItem>* CSetupDoc::GetOptions()
{
    if (m_options.empty())
        LoadOptions("InstallOption");
    return &m_options;
}

int CSetupDoc::LoadOptions(const std::string& section)
{
    // Options are neither merged nor de-duplicated: two keys of the same name
    // are two options.
    return LoadSection(m_strScriptPath, section, m_options, MakeOptionItem);
}

std::vector<std::string> CSetupDoc::ItemSections(const char* plain, const char* optionSection) const
{
    std::vector<std::string> sections = {plain, std::string("Common::") + plain};
    // Only known once the wizard is done, which is why the lists load lazily.
    if (!m_strSelectedOption.empty())
        sections.push_back(m_strSelectedOption + "::" + optionSection);
    return sections;
}

CItemList<CFileItem>* CSetupDoc::GetFileItems()
{
    if (m_fileItems.empty()) {
        // The option's own file section is spelt "InstallFIles", capital I,
        // and names match exactly: "Full::InstallFiles" is never read.
        LoadSections(m_strScriptPath, ItemSections("InstallFiles", "InstallFIles"), m_fileItems,
                     MakeFileItem);
        if (IsUninstallEnabled())
            m_fileItems.push_back(MakeUninstallerItem(m_strUninstallShortcut));
    }
    return &m_fileItems;
}

CItemList<CIniItem>* CSetupDoc::GetIniItems()
{
    if (m_iniItems.empty())
        LoadSections(m_strScriptPath, ItemSections("IniUpdates", "IniUpdates"), m_iniItems, MakeIniItem);
    return &m_iniItems;
}

CItemList<CRegItem>* CSetupDoc::GetRegItems()
{
    if (m_regItems.empty())
        LoadSections(m_strScriptPath, ItemSections("RegUpdates", "RegUpdates"), m_regItems, MakeRegItem);
    return &m_regItems;
}

CItemList<CExeItem>* CSetupDoc::GetExeItems()
{
    if (m_exeItems.empty())
        LoadSections(m_strScriptPath, ItemSections("Executes", "Executes"), m_exeItems, MakeExeItem);
    return &m_exeItems;
}

CItemList<COcxItem>* CSetupDoc::GetOcxItems()
{
    if (m_ocxItems.empty())
        LoadSections(m_strScriptPath, ItemSections("RegisterOcx", "RegisterOcx"), m_ocxItems, MakeOcxItem);
    return &m_ocxItems;
}

int CSetupDoc::LoadFileItems(CItemList<CFileItem>& list, const std::string& section)
{
    return LoadSection(m_strScriptPath, section, list, MakeFileItem);
}

int CSetupDoc::LoadIniItems(CItemList<CIniItem>& list, const std::string& section)
{
    return LoadSection(m_strScriptPath, section, list, MakeIniItem);
}

int CSetupDoc::LoadRegItems(CItemList<CRegItem>& list, const std::string& section)
{
    return LoadSection(m_strScriptPath, section, list, MakeRegItem);
}

int CSetupDoc::LoadExeItems(CItemList<CExeItem>& list, const std::string& section)
{
    return LoadSection(m_strScriptPath, section, list, MakeExeItem);
}

int CSetupDoc::LoadOcxItems(CItemList<COcxItem>& list, const std::string& section)
{
    return LoadSection(m_strScriptPath, section, list, MakeOcxItem);
}

int CSetupDoc::LoadLogoItems()
{
    return LoadSection(m_strScriptPath, "Logo", m_logoItems, MakeLogoItem);
}

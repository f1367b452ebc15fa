// The setup document: the global settings of "Config" as the private-profile
// functions give them, the install options, which sections each item list is
// built from and in which order, the uninstaller item, and lists that are
// built once on first use.
#include <windows.h>
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "paths/pathvars.h"
#include "scripttest.h"

namespace {

using scripttest::KeysOf;
using scripttest::ScriptTest;

std::string Expanded(std::string text)
{
    ExpandPathVariables(text);
    return text;
}

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\'));
}

class SetupDoc : public ScriptTest {};

TEST_F(SetupDoc, WithoutConfigEverySettingTakesItsDefault)
{
    WriteScript({"[Other]", "Product=not this one"});
    const auto doc = OpenDocument();
    EXPECT_EQ("", doc->GetProduct());
    EXPECT_EQ("", doc->GetGroupName());
    EXPECT_EQ("", doc->GetInstallDir());
    EXPECT_EQ("", doc->GetSelectedOption());
    EXPECT_EQ(1, doc->m_bShowChooseDirPage);
    EXPECT_EQ(1, doc->m_bShowGroupNamePage);
    EXPECT_EQ(1, doc->m_bShowUserNamePage);
    EXPECT_EQ(0, doc->m_nUserNameMinLength);
    EXPECT_EQ(0, doc->m_nUserNameMaxLength);
    EXPECT_EQ(1, doc->IsUninstallEnabled());
    EXPECT_EQ("", doc->m_strUninstallKey);
    EXPECT_EQ("", doc->m_strUninstallShortcut);
    EXPECT_EQ("\\UNINSTAL.INF", doc->m_strUninstallLogPath);
    EXPECT_TRUE(doc->GetOptions()->empty());
    EXPECT_TRUE(doc->GetLogoItems()->empty());
}

struct ConfigRow {
    std::vector<std::string> lines;
    int chooseDirPage;
    int groupNamePage;
    int userNamePage;
    int minLength;
    int maxLength;
    int uninstall;
    const char* uninstallKey;
    const char* uninstallShortcut;
};

TEST_F(SetupDoc, PageSwitchesAndUninstallSettings)
{
    const ConfigRow rows[] = {
        // Only the exact text "TRUE" is true.
        {{"[Config]", "ShowChooseDirPage=true"}, 0, 1, 1, 0, 0, 1, "", ""},
        {{"[Config]", "ShowChooseDirPage=TRUE", "ShowGroupNamePage=Yes"}, 1, 0, 1, 0, 0, 1, "", ""},
        {{"[Config]", "ShowGroupNamePage=1"}, 1, 0, 1, 0, 0, 1, "", ""},
        // Quotes around one field go; a field without digits is 0 (no limit).
        {{"[Config]", "ShowUserNamePage=TRUE,\"3\",x"}, 1, 1, 1, 3, 0, 1, "", ""},
        {{"[Config]", "ShowUserNamePage=TRUE,1,32"}, 1, 1, 1, 1, 32, 1, "", ""},
        {{"[Config]", "ShowUserNamePage=FALSE,2"}, 1, 1, 0, 2, 0, 1, "", ""},
        {{"[Config]", "ShowUserNamePage=,5,6"}, 1, 1, 0, 5, 6, 1, "", ""},
        {{"[Config]", "Uninstall=TRUE,VendorTool,アンインストール"}, 1, 1, 1, 0, 0, 1, "VendorTool",
         "アンインストール"},
        {{"[Config]", "Uninstall=TRUE,\"Vendor, Tool\""}, 1, 1, 1, 0, 0, 1, "Vendor, Tool", ""},
        {{"[Config]", "Uninstall=1,Key,Shortcut"}, 1, 1, 1, 0, 0, 0, "Key", "Shortcut"},
        {{"[Config]", "Uninstall=TRUE"}, 1, 1, 1, 0, 0, 1, "", ""},
        // The private-profile functions match section and key names in any case.
        {{"[CONFIG]", "showchoosedirpage=FALSE", "SHOWUSERNAMEPAGE=TRUE,4,8", "uninstall=no,K"}, 0, 1, 1, 4,
         8, 0, "K", ""},
        // Keys of other sections are not settings.
        {{"[Setup]", "Uninstall=FALSE", "[Config]", "Product=P"}, 1, 1, 1, 0, 0, 1, "", ""},
    };
    for (const ConfigRow& row : rows) {
        SCOPED_TRACE(scripttest::Lines(row.lines, " | "));
        WriteScript(row.lines);
        const auto doc = OpenDocument();
        EXPECT_EQ(row.chooseDirPage, doc->m_bShowChooseDirPage);
        EXPECT_EQ(row.groupNamePage, doc->m_bShowGroupNamePage);
        EXPECT_EQ(row.userNamePage, doc->m_bShowUserNamePage);
        EXPECT_EQ(row.minLength, doc->m_nUserNameMinLength);
        EXPECT_EQ(row.maxLength, doc->m_nUserNameMaxLength);
        EXPECT_EQ(row.uninstall, doc->IsUninstallEnabled());
        EXPECT_EQ(row.uninstallKey, doc->m_strUninstallKey);
        EXPECT_EQ(row.uninstallShortcut, doc->m_strUninstallShortcut);
    }
}

TEST_F(SetupDoc, ProductAndGroupNameInAnyLetterCase)
{
    WriteScript({"[Logo]", "LT=T,100,Arial,x", "[cOnFiG]", "PRODUCT=テスト製品 1.0", "groupname=テスト グループ"});
    const auto doc = OpenDocument();
    EXPECT_EQ("テスト製品 1.0", doc->GetProduct());
    EXPECT_EQ("テスト グループ", doc->GetGroupName());
}

TEST_F(SetupDoc, InstallDirIsExpandedAndHeld)
{
    char windows[MAX_PATH];
    ASSERT_GT(::GetWindowsDirectoryA(windows, MAX_PATH), 3u);
    const std::string expected = std::string(windows, 3) + "Program Files\\テスト";

    SetInstDir("Z:\\stale");
    WriteScript({"[Config]", "InstallDir=$ProgramFiles$\\テスト"});
    const auto doc = OpenDocument();
    EXPECT_EQ(expected, doc->GetInstallDir());
    EXPECT_EQ(expected, Expanded("$InstDir$"));
    EXPECT_EQ(expected + "\\UNINSTAL.INF", doc->m_strUninstallLogPath);
}

TEST_F(SetupDoc, SourceDirectoryFromScriptOrBesideTheProgram)
{
    struct Row {
        std::vector<std::string> lines;
        std::string expected;
    } const rows[] = {
        {{"[Config]", "SrcDir=A:\\MEDIA"}, "A:\\MEDIA"},
        {{"[Config]", "SrcDir="}, ProgramDirectory()},
        {{"[Config]", "Product=P"}, ProgramDirectory()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(scripttest::Lines(row.lines, " | "));
        SetSrcDir("Z:\\stale");
        WriteScript(row.lines);
        const auto doc = OpenDocument();
        EXPECT_EQ(row.expected, Expanded("$SrcDir$"));
    }
}

TEST_F(SetupDoc, ChangedInstallDirMovesTheUninstallLog)
{
    WriteScript({"[Config]", "InstallDir=C:\\OLD"});
    const auto doc = OpenDocument();
    doc->SetInstallDir("D:\\APP");
    EXPECT_EQ("D:\\APP", doc->GetInstallDir());
    EXPECT_EQ("D:\\APP\\UNINSTAL.INF", doc->m_strUninstallLogPath);
}

TEST_F(SetupDoc, GroupNameIsWrittenBackIntoConfig)
{
    WriteScript({"[config]", "groupname=Old", "Product=P", "[InstallFiles]", "A=1,,A.TX_"});
    const auto doc = OpenDocument();
    doc->SetGroupName("新しいグループ");
    EXPECT_EQ("新しいグループ", doc->GetGroupName());

    // Into the script's own "Config" section, whatever its letter case.
    const std::string text = scripttest::ReadBytes(m_strScript);
    EXPECT_NE(std::string::npos, text.find("groupname=新しいグループ")) << text;
    EXPECT_EQ(std::string::npos, text.find("[Config]")) << text;
    EXPECT_EQ(std::string::npos, text.find("Old")) << text;

    // A later run reads the new name, and the item sections are intact.
    const auto again = OpenDocument();
    EXPECT_EQ("新しいグループ", again->GetGroupName());
    EXPECT_EQ("P", again->GetProduct());
    again->m_bUninstall = 0;
    EXPECT_EQ(std::vector<std::string>{"A"}, KeysOf(*again->GetFileItems(), &CFileItem::m_strName));
}

TEST_F(SetupDoc, WithoutApplicationConfigTakesDefaults)
{
    WriteScript({"[Config]", "Product=P", "ShowChooseDirPage=FALSE", "[Logo]", "LT=T,100,Arial,x"});
    m_app.reset();
    CSetupDoc doc(m_strScript);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ("", doc.GetProduct());
    EXPECT_EQ(1, doc.m_bShowChooseDirPage);
    EXPECT_EQ(1u, doc.GetLogoItems()->size());
    doc.SetGroupName("G");   // nowhere to write it; the document keeps it
    EXPECT_EQ("G", doc.GetGroupName());
}

// One kind of item list: its sections, a line whose item can be told by an
// id, and the ids of a built list.
struct ListKind {
    const char* plain;
    const char* option;     // the option section's name after "<option>::"
    std::vector<std::string> decoys;
    std::function<std::string(const std::string&)> line;
    std::function<std::vector<std::string>(CSetupDoc&)> ids;
};

std::vector<ListKind> ListKinds()
{
    return {
        {"InstallFiles", "InstallFIles", {"Full::InstallFiles", "Common::InstallFIles"},
         [](const std::string& id) { return id + "=1,,X.TX_"; },
         [](CSetupDoc& d) { return KeysOf(*d.GetFileItems(), &CFileItem::m_strName); }},
        {"IniUpdates", "IniUpdates", {"Full::IniUpdate"},
         [](const std::string& id) { return id + "=S,K,V"; },
         [](CSetupDoc& d) { return KeysOf(*d.GetIniItems(), &CIniItem::m_strFile); }},
        {"RegUpdates", "RegUpdates", {"Full::RegUpdate"},
         [](const std::string& id) { return "CURRENT_USER=" + id + ",V,SZ,D"; },
         [](CSetupDoc& d) { return KeysOf(*d.GetRegItems(), &CRegItem::m_strKeyPath); }},
        {"Executes", "Executes", {"Full::Execute"},
         [](const std::string& id) { return id + "=,SYNC"; },
         [](CSetupDoc& d) { return KeysOf(*d.GetExeItems(), &CExeItem::m_strProgram); }},
        {"RegisterOcx", "RegisterOcx", {"Full::RegisterOCX"},
         [](const std::string& id) { return id + "=C:\\X.OCX"; },
         [](CSetupDoc& d) { return KeysOf(*d.GetOcxItems(), &COcxItem::m_strName); }},
    };
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST_F(SetupDoc, ItemSectionsAreReadPlainCommonThenSelectedOption)
{
    for (const ListKind& kind : ListKinds()) {
        SCOPED_TRACE(kind.plain);
        const std::string plain = kind.plain;
        const std::string option = kind.option;
        std::vector<std::string> lines = {
            "[Config]", "Uninstall=FALSE",
            "[InstallOption]", "Full=FL,All", "Small=FL,Less",
            // File order is not list order: the option's section comes first here.
            "[Full::" + option + "]", kind.line("F1"), kind.line("F2"),
            "[" + plain + "]", kind.line("P1"), kind.line("P2"),
            "[Small::" + option + "]", kind.line("S1"),
            "[Common::" + plain + "]", kind.line("C1"),
        };
        // Section names match exactly, and only the first of equal names counts.
        std::vector<std::string> decoys = kind.decoys;
        decoys.push_back("full::" + option);
        decoys.push_back("common::" + plain);
        decoys.push_back(Lower(plain));
        decoys.push_back(plain);
        decoys.push_back("Full::" + option);
        for (const std::string& decoy : decoys) {
            lines.push_back("[" + decoy + "]");
            lines.push_back(kind.line("X"));
        }
        WriteScript(lines);

        const struct {
            const char* selected;
            std::vector<std::string> expected;
        } selections[] = {
            {"Full", {"P1", "P2", "C1", "F1", "F2"}},
            {"Small", {"P1", "P2", "C1", "S1"}},
            {"", {"P1", "P2", "C1"}},
            {"Other", {"P1", "P2", "C1"}},
        };
        for (const auto& selection : selections) {
            SCOPED_TRACE(selection.selected);
            const auto doc = OpenDocument();
            EXPECT_EQ(2u, doc->GetOptions()->size());
            doc->SetSelectedOption(selection.selected);
            EXPECT_EQ(selection.expected, kind.ids(*doc));
        }
    }
}

TEST_F(SetupDoc, OneOptionOnlyReadsNoOptionSection)
{
    WriteScript({
        "[InstallOption]", "Only=FL,Everything",
        "[InstallFiles]", "A=1,,A.TX_",
        "[Only::InstallFIles]", "O=1,,O.TX_",
        "[Common::InstallFiles]", "C=1,,C.TX_",
    });
    const auto doc = OpenDocument();
    ASSERT_EQ(1u, doc->GetOptions()->size());
    EXPECT_EQ("Only", (*doc->GetOptions())[0]->GetName());
    EXPECT_EQ("", doc->GetSelectedOption());
    EXPECT_EQ((std::vector<std::string>{"A", "C", "VMUNST10.EXE"}),
              KeysOf(*doc->GetFileItems(), &CFileItem::m_strName));
}

TEST_F(SetupDoc, UninstallerIsTheLastFileItem)
{
    WriteScript({
        "[Config]", "Uninstall=TRUE,VendorTool,\"Remove, Tool\"",
        "[InstallOption]", "Full=FL,All", "Small=FL,Less",
        "[InstallFiles]", "A=1,,A.TX_",
        "[Full::InstallFIles]", "F=1,,F.TX_",
    });
    const auto doc = OpenDocument();
    doc->SetSelectedOption("Full");
    const CItemList<CFileItem>& items = *doc->GetFileItems();
    ASSERT_EQ((std::vector<std::string>{"A", "F", "VMUNST10.EXE"}), KeysOf(items, &CFileItem::m_strName));
    const CFileItem& u = *items.back();
    EXPECT_EQ(1, u.m_nDisk);
    EXPECT_EQ("", u.m_strSourceSubdir);
    EXPECT_EQ("VMUNST10.EX_", u.m_strSourceName);
    EXPECT_EQ("$SYSDIR$", u.m_strDestDir);
    EXPECT_EQ("VMUNST10.EXE", u.m_strDestName);
    EXPECT_EQ(0, u.m_nSize);
    EXPECT_EQ("Remove, Tool", u.m_strShortcut);
    EXPECT_EQ(0, u.m_nFlags);
}

TEST_F(SetupDoc, UninstallerAloneOrNotAtAll)
{
    WriteScript({"[Config]", "Product=P"});
    EXPECT_EQ(std::vector<std::string>{"VMUNST10.EXE"},
              KeysOf(*OpenDocument()->GetFileItems(), &CFileItem::m_strName));

    WriteScript({"[Config]", "Uninstall=true,Key,Name", "[InstallFiles]", "A=1,,A.TX_"});
    EXPECT_EQ(std::vector<std::string>{"A"}, KeysOf(*OpenDocument()->GetFileItems(), &CFileItem::m_strName));

    WriteScript({"[Config]", "Uninstall=FALSE"});
    EXPECT_TRUE(OpenDocument()->GetFileItems()->empty());
}

TEST_F(SetupDoc, BuiltListsAreNotReadAgain)
{
    const std::vector<std::string> first = {
        "[InstallOption]", "Full=FL,All", "Small=FL,Less",
        "[InstallFiles]", "A=1,,A.TX_",
        "[IniUpdates]", "A.INI=S,K,V",
        "[RegUpdates]", "CURRENT_USER=A,V,SZ,D",
        "[Executes]", "A.EXE=,SYNC",
        "[RegisterOcx]", "A=C:\\A.OCX",
    };
    WriteScript(first);
    const auto doc = OpenDocument();
    const CItemList<CFileItem>* files = doc->GetFileItems();
    const CFileItem* firstFile = (*files)[0].get();
    doc->GetIniItems();
    doc->GetRegItems();
    doc->GetExeItems();
    doc->GetOcxItems();

    WriteScript({
        "[InstallOption]", "Other=FL,x",
        "[InstallFiles]", "B=1,,B.TX_", "C=1,,C.TX_",
        "[IniUpdates]", "B.INI=S,K,V",
        "[RegUpdates]", "CURRENT_USER=B,V,SZ,D",
        "[Executes]", "B.EXE=,SYNC",
        "[RegisterOcx]", "B=C:\\B.OCX",
    });
    EXPECT_EQ(files, doc->GetFileItems());
    EXPECT_EQ(firstFile, (*doc->GetFileItems())[0].get());
    EXPECT_EQ((std::vector<std::string>{"A", "VMUNST10.EXE"}), KeysOf(*files, &CFileItem::m_strName));
    EXPECT_EQ(std::vector<std::string>{"A.INI"}, KeysOf(*doc->GetIniItems(), &CIniItem::m_strFile));
    EXPECT_EQ(std::vector<std::string>{"A"}, KeysOf(*doc->GetRegItems(), &CRegItem::m_strKeyPath));
    EXPECT_EQ(std::vector<std::string>{"A.EXE"}, KeysOf(*doc->GetExeItems(), &CExeItem::m_strProgram));
    EXPECT_EQ(std::vector<std::string>{"A"}, KeysOf(*doc->GetOcxItems(), &COcxItem::m_strName));
    ASSERT_EQ(2u, doc->GetOptions()->size());
    EXPECT_EQ("Full", (*doc->GetOptions())[0]->GetName());
}

TEST_F(SetupDoc, EmptyListsAreReadAgain)
{
    WriteScript({"[Config]", "Uninstall=FALSE"});
    const auto doc = OpenDocument();
    EXPECT_TRUE(doc->GetFileItems()->empty());
    EXPECT_TRUE(doc->GetIniItems()->empty());
    EXPECT_TRUE(doc->GetExeItems()->empty());
    EXPECT_TRUE(doc->GetOptions()->empty());

    WriteScript({
        "[Config]", "Uninstall=FALSE",
        "[InstallOption]", "Full=FL,All",
        "[Common::InstallFiles]", "A=1,,A.TX_",
        "[IniUpdates]", "A.INI=S,K,V",
        "[Executes]", "A.EXE=,SYNC",
    });
    EXPECT_EQ(std::vector<std::string>{"A"}, KeysOf(*doc->GetFileItems(), &CFileItem::m_strName));
    EXPECT_EQ(std::vector<std::string>{"A.INI"}, KeysOf(*doc->GetIniItems(), &CIniItem::m_strFile));
    EXPECT_EQ(std::vector<std::string>{"A.EXE"}, KeysOf(*doc->GetExeItems(), &CExeItem::m_strProgram));
    EXPECT_EQ(1u, doc->GetOptions()->size());
}

// Scripts come from editors on every system: the last field of each line must
// not keep a stray line-end byte, whatever the line ends are.
TEST_F(SetupDoc, LineEndsOfTheScript)
{
    const std::vector<std::string> script = {
        "; setup script",
        "[Config]", "Product=製品", "InstallDir=C:\\製品", "Uninstall=TRUE,Key,Remove",
        "[Logo]", "RB=T,240,Arial,Version 2.0",
        "[InstallOption]", "Full=FL,All", "Small=GRP,Less",
        "[InstallFiles]", "A=1,\\DOCS,A.TX_,0,DOC,A.TXT,2048,1,Read me", "B=2,,B.DL_,,$SysDir$,B.DLL,10",
        "",
        "[Full::InstallFIles]", "F=1,,F.TX_,0,,F.TXT,1,0,Full",
        "[Executes]", "X.EXE=,SYNC,HIDE,3000,/Q",
    };
    const char* const endings[] = {"\r\n", "\n"};
    for (const char* eol : endings) {
        SCOPED_TRACE(eol[0] == '\r' ? "CR LF" : "LF");
        WriteScript(script, eol);
        const auto doc = OpenDocument();
        EXPECT_EQ("製品", doc->GetProduct());
        EXPECT_EQ("C:\\製品", doc->GetInstallDir());
        EXPECT_EQ("Remove", doc->m_strUninstallShortcut);

        ASSERT_EQ(1u, doc->GetLogoItems()->size());
        EXPECT_EQ("Version 2.0", (*doc->GetLogoItems())[0]->m_strText);

        ASSERT_EQ(2u, doc->GetOptions()->size());
        EXPECT_EQ("Less", (*doc->GetOptions())[1]->GetDescription());

        doc->SetSelectedOption("Full");
        const CItemList<CFileItem>& files = *doc->GetFileItems();
        ASSERT_EQ((std::vector<std::string>{"A", "B", "F", "VMUNST10.EXE"}),
                  KeysOf(files, &CFileItem::m_strName));
        EXPECT_EQ("Read me", files[0]->m_strShortcut);
        EXPECT_EQ(10, files[1]->m_nSize);
        EXPECT_EQ(1, files[1]->m_nFlags);
        EXPECT_EQ("Full", files[2]->m_strShortcut);
        EXPECT_EQ("Remove", files[3]->m_strShortcut);

        ASSERT_EQ(1u, doc->GetExeItems()->size());
        EXPECT_EQ("/Q", (*doc->GetExeItems())[0]->m_strArguments);
    }
}

} // namespace

// Script lines of every item section and the items they become: fields split
// at commas outside double quotes, blanks kept, defaults of empty and missing
// fields, keywords compared as script authors know them.
#include <windows.h>
#include <gtest/gtest.h>

#include "scripttest.h"

namespace {

using scripttest::ScriptTest;

class ItemLines : public ScriptTest {
protected:
    // The items that one line of the section `section` gives.
    template <typename T, typename Load>
    CItemList<T> Read(const std::string& section, const std::string& line, Load load)
    {
        WriteScript({"[" + section + "]", line});
        CSetupDoc doc(m_strScript);
        CItemList<T> list;
        const int added = (doc.*load)(list, section);
        EXPECT_EQ(static_cast<int>(list.size()), added);
        return list;
    }
};

struct FileRow {
    const char* line;
    const char* name;
    int32_t disk;
    const char* subdir;
    const char* source;
    const char* destDir;
    const char* destName;
    int32_t size;
    int32_t flags;
    const char* shortcut;
};

TEST_F(ItemLines, FileLines)
{
    const FileRow rows[] = {
        {"README=1,\\DOCS,README.TX_,0,DOC,README.TXT,2048,1,\"Read me\"",
         "README", 1, "\\DOCS", "README.TX_", "DOC", "README.TXT", 2048, 1, "Read me"},
        // Missing fields: flags 1 (recorded for uninstallation), no shortcut.
        {"P=2,,P.DL_,,$SysDir$,P.DLL,1000", "P", 2, "", "P.DL_", "$SysDir$", "P.DLL", 1000, 1, ""},
        {"Q=1,\\X,Q.EX_,0,,Q.EXE,10,0", "Q", 1, "\\X", "Q.EX_", "", "Q.EXE", 10, 0, ""},
        {"R=1,\"\\SUB,DIR\",R.TX_", "R", 1, "\\SUB,DIR", "R.TX_", "", "", 0, 1, ""},
        // No hexadecimal; digits end at the first non-digit; blanks around fields stay.
        {"S=0x10,, S.TX_ ,9,,S.TXT,12KB, 3,x", "S", 0, "", " S.TX_ ", "", "S.TXT", 12, 3, "x"},
        {"T=-2,,,,,,,,\"a,b\",ignored", "T", -2, "", "", "", "", 0, 1, "a,b"},
        {"U=1", "U", 1, "", "", "", "", 0, 1, ""},
        {"=1,,E.TX_", "", 1, "", "E.TX_", "", "", 0, 1, ""},
        // The key ends at its first blank.
        {"MY FILE = 1,,M.TX_", "MY", 1, "", "M.TX_", "", "", 0, 1, ""},
        {"取説=1,\\文書,表.TX_,0,$InstDir$\\表,表.TXT,5,1,取扱説明書",
         "取説", 1, "\\文書", "表.TX_", "$InstDir$\\表", "表.TXT", 5, 1, "取扱説明書"},
    };
    for (const FileRow& row : rows) {
        SCOPED_TRACE(row.line);
        const auto list = Read<CFileItem>("InstallFiles", row.line, &CSetupDoc::LoadFileItems);
        ASSERT_EQ(1u, list.size());
        const CFileItem& item = *list[0];
        EXPECT_EQ(row.name, item.m_strName);
        EXPECT_EQ(row.disk, item.m_nDisk);
        EXPECT_EQ(row.subdir, item.m_strSourceSubdir);
        EXPECT_EQ(row.source, item.m_strSourceName);
        EXPECT_EQ(row.destDir, item.m_strDestDir);
        EXPECT_EQ(row.destName, item.m_strDestName);
        EXPECT_EQ(row.size, item.m_nSize);
        EXPECT_EQ(row.flags, item.m_nFlags);
        EXPECT_EQ(row.shortcut, item.m_strShortcut);
    }
}

// Source and destination paths of a file item, unexpanded.
TEST_F(ItemLines, FilePathsAreComposedFromTheMediumAndTheInstallDirectory)
{
    struct PathRow {
        const char* line;
        const char* sourcePath;
        const char* sourceDir;
        const char* destPath;
        const char* destDir;
    };
    const PathRow rows[] = {
        {"A=1,,A.TX_,0,,A.TXT", "$SRCDIR$\\A.TX_", "$SRCDIR$", "$INSTDIR$\\A.TXT", "$INSTDIR$"},
        {"B=1,\\DATA\\SUB,B.DL_,0,BIN,B.DLL", "$SRCDIR$\\DATA\\SUB\\B.DL_", "$SRCDIR$\\DATA\\SUB",
         "$INSTDIR$\\BIN\\B.DLL", "$INSTDIR$\\BIN"},
        {"C=2,\\X,C.DL_,0,$SysDir$,C.DLL", "$SRCDIR$\\X\\C.DL_", "$SRCDIR$\\X", "$SysDir$\\C.DLL",
         "$SysDir$"},
        {"D=1,,D.TX_,0,$WinDir$\\表,表.TXT", "$SRCDIR$\\D.TX_", "$SRCDIR$", "$WinDir$\\表\\表.TXT",
         "$WinDir$\\表"},
        // Only a leading "$" makes a path of its own.
        {"E=1,,E.TX_,0,A$B,E.TXT", "$SRCDIR$\\E.TX_", "$SRCDIR$", "$INSTDIR$\\A$B\\E.TXT",
         "$INSTDIR$\\A$B"},
    };
    for (const PathRow& row : rows) {
        SCOPED_TRACE(row.line);
        const auto list = Read<CFileItem>("InstallFiles", row.line, &CSetupDoc::LoadFileItems);
        ASSERT_EQ(1u, list.size());
        EXPECT_EQ(row.sourcePath, list[0]->GetSourcePath());
        EXPECT_EQ(row.sourceDir, list[0]->GetSourceDirectory());
        EXPECT_EQ(row.destPath, list[0]->GetDestinationPath());
        EXPECT_EQ(row.destDir, list[0]->GetDestinationDirectory());
    }
}

// In every item section an entry without a value adds nothing.
TEST_F(ItemLines, EntriesWithoutValueAddNoItem)
{
    const char* const lines[] = {"X=", "X", "X =  ", "X=   ; note", "X;=1,2"};
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        EXPECT_TRUE((Read<CFileItem>("InstallFiles", line, &CSetupDoc::LoadFileItems).empty()));
        EXPECT_TRUE((Read<CIniItem>("IniUpdates", line, &CSetupDoc::LoadIniItems).empty()));
        EXPECT_TRUE((Read<CRegItem>("RegUpdates", line, &CSetupDoc::LoadRegItems).empty()));
        EXPECT_TRUE((Read<CExeItem>("Executes", line, &CSetupDoc::LoadExeItems).empty()));
        EXPECT_TRUE((Read<COcxItem>("RegisterOcx", line, &CSetupDoc::LoadOcxItems).empty()));
        WriteScript({"[Logo]", line, "[InstallOption]", line});
        CSetupDoc doc(m_strScript);
        EXPECT_EQ(0, doc.LoadLogoItems());
        EXPECT_EQ(0, doc.LoadOptions("InstallOption"));
    }
}

struct IniRow {
    const char* line;
    const char* file;
    const char* section;
    const char* key;
    const char* value;
    int32_t mode;
};

TEST_F(ItemLines, IniLines)
{
    const IniRow rows[] = {
        {"WIN.INI=windows,load,\"$InstDir$\\TOOL.EXE\",1", "WIN.INI", "windows", "load",
         "$InstDir$\\TOOL.EXE", 1},
        // No mode: 9, a write.
        {"SYSTEM.INI=boot,shell", "SYSTEM.INI", "boot", "shell", "", 9},
        {"APP.INI=Old,,,4", "APP.INI", "Old", "", "", 4},
        {"A.INI=s, k ,v w,x", "A.INI", "s", " k ", "v w", 0},
        {"A.INI=s,k,\"a,b\" ,0x3", "A.INI", "s", "k", "\"a,b\" ", 0},
        {"A.INI=s,k,v, 12;c", "A.INI", "s", "k", "v", 12},
        {"$WinDir$\\製品.INI=設定,パス,$InstDir$,-1", "$WinDir$\\製品.INI", "設定", "パス", "$InstDir$", -1},
    };
    for (const IniRow& row : rows) {
        SCOPED_TRACE(row.line);
        const auto list = Read<CIniItem>("IniUpdates", row.line, &CSetupDoc::LoadIniItems);
        ASSERT_EQ(1u, list.size());
        const CIniItem& item = *list[0];
        EXPECT_EQ(row.file, item.m_strFile);
        EXPECT_EQ(row.section, item.m_strSection);
        EXPECT_EQ(row.key, item.m_strKey);
        EXPECT_EQ(row.value, item.m_strValue);
        EXPECT_EQ(row.mode, item.m_nMode);
    }
}

struct RegRow {
    const char* line;
    HKEY root;
    const char* keyPath;
    const char* valueName;
    int32_t type;
    const char* data;
    DWORD dword;
    int32_t flags;
};

TEST_F(ItemLines, RegistryLines)
{
    const RegRow rows[] = {
        {"LOCAL_MACHINE=SOFTWARE\\Vendor\\Tool,Path,SZ,$InstDir$,1", HKEY_LOCAL_MACHINE,
         "SOFTWARE\\Vendor\\Tool", "Path", REG_SZ, "$InstDir$", 0, 1},
        // Root names and types are compared letter case included.
        {"local_machine=SOFTWARE\\X,V,DWORD,5", HKEY_CURRENT_USER, "SOFTWARE\\X", "V", REG_DWORD, "5", 5, 0},
        {"USERS=.DEFAULT\\X,V,dword,5", HKEY_USERS, ".DEFAULT\\X", "V", REG_SZ, "5", 5, 0},
        {"CLASSES_ROOT=.abc,,SZ,\"abc,file\"", HKEY_CLASSES_ROOT, ".abc", "", REG_SZ, "abc,file", 0, 0},
        {"CURRENT_USER=K,V,DWORD,-1", HKEY_CURRENT_USER, "K", "V", REG_DWORD, "-1", 0xFFFFFFFF, 0},
        {"CURRENT_USER=K,V,DWORD,0x10,3", HKEY_CURRENT_USER, "K", "V", REG_DWORD, "0x10", 0, 3},
        {"CURRENT_USER=K,V,DWORD, 4294967295", HKEY_CURRENT_USER, "K", "V", REG_DWORD, " 4294967295",
         0xFFFFFFFF, 0},
        {"CURRENT_USER=K,V,BINARY,01 02", HKEY_CURRENT_USER, "K", "V", REG_BINARY, "01 02", 1, 0},
        {"CURRENT_USER=K", HKEY_CURRENT_USER, "K", "", REG_SZ, "", 0, 0},
        {"HKEY_LOCAL_MACHINE=K,V, DWORD,7,2", HKEY_CURRENT_USER, "K", "V", REG_SZ, "7", 7, 2},
        {"CLASSES_ROOT=製品.文書\\shell,,SZ,\"$InstDir$\\表示.EXE\"", HKEY_CLASSES_ROOT,
         "製品.文書\\shell", "", REG_SZ, "$InstDir$\\表示.EXE", 0, 0},
    };
    for (const RegRow& row : rows) {
        SCOPED_TRACE(row.line);
        const auto list = Read<CRegItem>("RegUpdates", row.line, &CSetupDoc::LoadRegItems);
        ASSERT_EQ(1u, list.size());
        const CRegItem& item = *list[0];
        EXPECT_EQ(row.root, item.m_hRoot);
        EXPECT_EQ(row.keyPath, item.m_strKeyPath);
        EXPECT_EQ(row.valueName, item.m_strValueName);
        EXPECT_EQ(row.type, item.m_nType);
        EXPECT_EQ(row.data, item.m_strData);
        EXPECT_EQ(row.dword, item.GetDwordData());
        EXPECT_EQ(row.flags, item.m_nFlags);
    }
}

struct ExeRow {
    const char* line;
    const char* program;
    const char* workDir;
    int32_t wait;
    int32_t show;
    int32_t timeout;
    const char* arguments;
};

TEST_F(ItemLines, ExecuteLines)
{
    const ExeRow rows[] = {
        // One empty field: every default.
        {"SETUP2.EXE=,", "SETUP2.EXE", "$TmpDir$", 1, SW_SHOWNORMAL, -1, ""},
        {"$TmpDir$\\DRV.EXE=,SYNC,HIDE,30000,/Q", "$TmpDir$\\DRV.EXE", "$TmpDir$", 1, SW_HIDE, 30000, "/Q"},
        {"$InstDir$\\README.EXE=$InstDir$,ASYNC", "$InstDir$\\README.EXE", "$InstDir$", 0, SW_SHOWNORMAL,
         -1, ""},
        {"X.EXE=,sync", "X.EXE", "$TmpDir$", 0, SW_SHOWNORMAL, -1, ""},
        {"X.EXE=,同期,MAX,0", "X.EXE", "$TmpDir$", 1, SW_MAXIMIZE, -1, ""},
        {"X.EXE=C:\\W,,MIN,-5,\"/a,/b\" /c", "X.EXE", "C:\\W", 1, SW_MINIMIZE, -5, "\"/a,/b\" /c"},
        {"X.EXE=C:\\W,SYNC,SHOW,1,\"/a,/b\"", "X.EXE", "C:\\W", 1, SW_SHOWNORMAL, 1, "/a,/b"},
        // A show word that is none of the four starts the program shown normally.
        {"X.EXE=,SYNC,show", "X.EXE", "$TmpDir$", 1, SW_SHOWNORMAL, -1, ""},
        {"X.EXE=,SYNC,hide", "X.EXE", "$TmpDir$", 1, SW_SHOWNORMAL, -1, ""},
        {"X.EXE=,SYNC,MAXIMIZED", "X.EXE", "$TmpDir$", 1, SW_SHOWNORMAL, -1, ""},
        {"X.EXE=C:\\W , SYNC, HIDE", "X.EXE", "C:\\W ", 0, SW_SHOWNORMAL, -1, ""},
    };
    for (const ExeRow& row : rows) {
        SCOPED_TRACE(row.line);
        const auto list = Read<CExeItem>("Executes", row.line, &CSetupDoc::LoadExeItems);
        ASSERT_EQ(1u, list.size());
        const CExeItem& item = *list[0];
        EXPECT_EQ(row.program, item.m_strProgram);
        EXPECT_EQ(row.workDir, item.m_strWorkDir);
        EXPECT_EQ(row.wait, item.m_bWait);
        EXPECT_EQ(row.show, item.m_nShow);
        EXPECT_EQ(row.timeout, item.m_nTimeout);
        EXPECT_EQ(row.arguments, item.m_strArguments);
    }
}

struct OcxRow {
    const char* line;
    const char* name;
    const char* path;
    int32_t uninstall;
};

TEST_F(ItemLines, OcxLines)
{
    const OcxRow rows[] = {
        {"CTL=$SysDir$\\CTL.OCX,0", "CTL", "$SysDir$\\CTL.OCX", 0},
        // Only the exact "0" keeps the control registered at uninstallation.
        {"CTL=$SysDir$\\CTL.OCX, 0", "CTL", "$SysDir$\\CTL.OCX", 1},
        {"CTL=$SysDir$\\CTL.OCX,00", "CTL", "$SysDir$\\CTL.OCX", 1},
        {"CTL=$SysDir$\\CTL.OCX", "CTL", "$SysDir$\\CTL.OCX", 1},
        {"CTL=$SysDir$\\CTL.OCX,\"0\"", "CTL", "$SysDir$\\CTL.OCX", 0},
        {"CTL=\"C:\\A,B\\CTL.OCX\",1", "CTL", "C:\\A,B\\CTL.OCX", 1},
        {"CTL=,0", "CTL", "", 0},
    };
    for (const OcxRow& row : rows) {
        SCOPED_TRACE(row.line);
        const auto list = Read<COcxItem>("RegisterOcx", row.line, &CSetupDoc::LoadOcxItems);
        ASSERT_EQ(1u, list.size());
        EXPECT_EQ(row.name, list[0]->m_strName);
        EXPECT_EQ(row.path, list[0]->m_strPath);
        EXPECT_EQ(row.uninstall, list[0]->m_bUninstall);
    }
}

struct LogoRow {
    const char* line;
    int32_t text;
    int32_t corner;
    int32_t size;
    const char* font;
    const char* shown;
};

TEST_F(ItemLines, LogoLines)
{
    const LogoRow rows[] = {
        {"lt=t,100,Arial,Hello", 1, 0, 100, "Arial", "Hello"},
        {"XX=T,100,Arial,Hello", 1, 0, 100, "Arial", "Hello"},
        {"LB=B,LOGO.BMP", 0, 1, 0, "", "LOGO.BMP"},
        {"rT=T,,,", 1, 2, 0, "", ""},
        {"RB=T,240,Arial,\"Version 2.0, Japanese\"", 1, 3, 240, "Arial", "Version 2.0, Japanese"},
        {"Rb=T,120,ＭＳ Ｐゴシック,セットアップ", 1, 3, 120, "ＭＳ Ｐゴシック", "セットアップ"},
        {"RB=TT,240,Arial,x", 0, 3, 0, "", "240"},
    };
    for (const LogoRow& row : rows) {
        SCOPED_TRACE(row.line);
        WriteScript({"[Logo]", row.line});
        CSetupDoc doc(m_strScript);
        ASSERT_EQ(1, doc.LoadLogoItems());
        ASSERT_EQ(1u, doc.GetLogoItems()->size());
        const CLogoItem& item = *(*doc.GetLogoItems())[0];
        EXPECT_EQ(row.text, item.m_bText);
        EXPECT_EQ(row.corner, item.m_nCorner);
        EXPECT_EQ(row.size, item.m_nSize);
        EXPECT_EQ(row.font, item.m_strFontName);
        EXPECT_EQ(row.shown, item.m_strText);
    }
}

TEST_F(ItemLines, InstallOptionsKeepScriptOrderAndDuplicates)
{
    WriteScript({
        "[InstallOption]",
        "Full=FL,\"Everything, with samples\"",
        "Small=GRP,最小構成",
        "Custom=fl,Choose",
        "Empty=",
        "Full=X,Again",
        "NoDescription=GRP",
        "[installoption]",
        "Other=FL,never read",
    });
    CSetupDoc doc(m_strScript);
    EXPECT_EQ(5, doc.LoadOptions("InstallOption"));
    struct Expected {
        const char* name;
        int type;
        const char* description;
    } const expected[] = {
        {"Full", 1, "Everything, with samples"},
        {"Small", 2, "最小構成"},
        {"Custom", 0, "Choose"},
        {"Full", 0, "Again"},
        {"NoDescription", 2, ""},
    };
    const CItemList<COptionItem>& options = *doc.GetOptions();
    ASSERT_EQ(5u, options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(expected[i].name, options[i]->GetName());
        EXPECT_EQ(expected[i].type, options[i]->GetType());
        EXPECT_EQ(expected[i].description, options[i]->GetDescription());
    }
}

} // namespace

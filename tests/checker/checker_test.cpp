// The script checker's findings: a table of script lines with what each must
// report, on every line end, and a clean script that reports nothing. Built
// natively and for Win32 (run under Wine): both must give the same results.
// Sources are compiled to code page 932, as scripts are.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "checker/medium.h"
#include "checker/scriptcheck.h"
#include "hostio/scriptsource.h"

namespace {

// A script that checks clean; rows add lines to it.
const char kConfig[] =
    "; 見本\n"
    "[Config]\n"
    "Product=製品 1.0\n"
    "InstallDir=$ProgramFiles$\\製品\n"
    "GroupName=製品\n"
    "ShowUserNamePage=TRUE,1,32\n"
    "Uninstall=TRUE,Seihin,アンインストール\n";
const char kOptions[] =
    "[InstallOption]\n"
    "Typical=FL,標準\n"
    "Full=FL,完全\n"
    "[Typical::InstallFIles]\n"
    "T=1,,T.DL_,,$SysDir$,T.DLL,10\n"
    "[Full::InstallFIles]\n"
    "F=2,\\DATA,F.DA_,,DATA,F.DAT,20,1\n";
const char kFiles[] =
    "[InstallFiles]\n"
    "A=1,,A.EX_,0,,A.EXE,100,1,\"起動, 製品\"\n";

std::vector<std::string> Findings(const std::string& script, IMedium* medium = nullptr)
{
    std::vector<std::string> out;
    for (const CFinding& f : CheckScript(script, medium))
        out.push_back(std::to_string(f.m_nLine) + ":" + MessageIdName(f.m_id));
    return out;
}

std::string WithLineEnds(const std::string& lf, const std::string& ending)
{
    std::string text;
    for (char c : lf) {
        if (c == '\n')
            text += ending;
        else
            text += c;
    }
    return text;
}

struct Row {
    const char* what;
    const char* added;   // lines appended to the clean script (which has 14 lines)
    std::vector<std::string> expected;
};

// The clean script is 16 lines; added lines are line 17 on.
const Row kRows[] = {
    {"clean", "", {}},
    // Sections that look right and are never read.
    {"option file section with a small f", "[Typical::InstallFiles]\nX=1,,X,,,X,1\n", {"17:SectionCase"}},
    {"common section in lower case", "[common::IniUpdates]\nWIN.INI=a,b,c,1\n", {"17:SectionCase"}},
    {"section of an option that does not exist", "[Custom::IniUpdates]\nWIN.INI=a,b,c,1\n",
     {"17:SectionNoSuchOption"}},
    {"misspelt section", "[InstalFiles]\nX=1,,X,,,X,1\n", {"17:SectionMisspelt"}},
    {"section the installer does not know", "[Readme]\ntext=hello\n", {"17:SectionUnknown"}},
    {"second section of the same name", "[InstallFiles]\nB=1,,B,,,B,1\n", {"17:SectionDuplicate"}},
    {"second Config in other letter case", "[CONFIG]\nProduct=other\n", {"17:SectionDuplicate"}},
    {"an empty known section", "[Logo]\n", {}},
};

// Rows whose lines go into [Config] (inserted after line 7, so they are line 8 on).
const Row kConfigRows[] = {
    {"misspelt setting", "InstalDir=C:\\X\n", {"8:ConfigMisspeltKey"}},
    {"unknown setting", "Colour=blue\n", {"8:ConfigUnknownKey"}},
    {"setting given twice", "Product=again\n", {"8:ConfigDuplicateKey"}},
    {"True in mixed case", "ShowChooseDirPage=True\n", {"8:BooleanReadAsFalse"}},
    {"yes", "ShowGroupNamePage=yes\n", {"8:BooleanReadAsFalse"}},
    {"FALSE is meant false", "ShowGroupNamePage=FALSE\n", {}},
    {"setting names ignore case", "showchoosedirpage=TRUE\n", {}},
    {"unknown path variable", "SrcDir=$Foo$\\x\n", {}},   // SrcDir is not expanded
};

}  // namespace

TEST(CheckerTest, ScriptLinesGiveTheirFindingsOnEveryLineEnd)
{
    const char* const endings[] = {"\r\n", "\n", "\r"};
    for (const char* ending : endings) {
        for (const Row& row : kRows) {
            const std::string script = std::string(kConfig) + kOptions + kFiles + row.added;
            EXPECT_EQ(row.expected, Findings(WithLineEnds(script, ending)))
                << row.what << ", line end " << testing::PrintToString(ending);
        }
        for (const Row& row : kConfigRows) {
            const std::string script = std::string(kConfig) + row.added + kOptions + kFiles;
            EXPECT_EQ(row.expected, Findings(WithLineEnds(script, ending)))
                << row.what << ", line end " << testing::PrintToString(ending);
        }
    }
}

TEST(CheckerTest, ItemLinesAgainstTheirFormats)
{
    // Each row is one line added to [InstallFiles] (line 17) or to its own
    // section header given in the row.
    const Row rows[] = {
        {"file line without destination name", "B=1,,B.EX_,0,\n", {"17:TooFewFields"}},
        {"file line with an empty source name", "B=1,,,0,,B.EXE,1\n", {"17:RequiredFieldEmpty"}},
        {"file line with ten fields", "B=1,,B,0,,B,1,1,x,extra\n", {"17:TooManyFields"}},
        {"size with a unit", "B=1,,B,0,,B,12KB\n", {"17:IntegerTrailingText"}},
        {"size in hexadecimal", "B=1,,B,0,,B,0x10\n", {"17:IntegerTrailingText"}},
        {"disk 0", "B=0,,B,0,,B,1\n", {"17:DiskNumberInvalid"}},
        {"unknown path variable", "B=1,,B,0,$InstallDir$\\X,B,1\n", {"17:MisspeltPathVariable"}},
        {"token not like any variable", "B=1,,B,0,$Zzzzzzzzz$,B,1\n", {"17:UnknownPathVariable"}},
        {"dollar text is not a token", "B=1,,B,0,,B,1,1,100$ and $5\n", {}},
        {"path variables ignore case", "B=1,,B,0,$SYSDIR$,B,1\n", {}},
        {"line without value", "B=\n", {"17:NoValue"}},
        {"line without equals sign", "B\n", {"17:NoValue"}},
    };
    for (const Row& row : rows) {
        const std::string script = std::string(kConfig) + kOptions + kFiles + row.added;
        EXPECT_EQ(row.expected, Findings(script)) << row.what;
    }
    // Lines of other formats, in their own sections (header line 17, line 18).
    const Row others[] = {
        {"registry root in lower case", "[RegUpdates]\nlocal_machine=SOFTWARE\\X,V,SZ,1\n",
         {"18:KeywordFallback"}},
        {"registry type in lower case", "[RegUpdates]\nUSERS=.DEFAULT\\X,V,dword,5\n", {"18:KeywordFallback"}},
        {"registry line without key path", "[RegUpdates]\nUSERS=,V,SZ,1\n", {"18:RequiredFieldEmpty"}},
        {"a clean registry line", "[RegUpdates]\nLOCAL_MACHINE=SOFTWARE\\$UserName$,V,DWORD,5,1\n", {}},
        {"binary data in bytes apart", "[RegUpdates]\nLOCAL_MACHINE=SOFTWARE\\X,V,BINARY,\"de,AD, be ef\"\n", {}},
        {"binary data together, and none", "[RegUpdates]\nLOCAL_MACHINE=SOFTWARE\\X,V,BINARY,DEADBEEF\n"
                                            "LOCAL_MACHINE=SOFTWARE\\X,W,BINARY,\n", {}},
        {"binary data of an odd count", "[RegUpdates]\nLOCAL_MACHINE=SOFTWARE\\X,V,BINARY,DEADBEE\n",
         {"18:BinaryDataMalformed"}},
        {"binary data written as a number", "[RegUpdates]\nLOCAL_MACHINE=SOFTWARE\\X,V,BINARY,0x12\n",
         {"18:BinaryDataMalformed"}},
        {"a separator inside a byte", "[RegUpdates]\nLOCAL_MACHINE=SOFTWARE\\X,V,BINARY,D E\n",
         {"18:BinaryDataMalformed"}},
        {"hexadecimal text under SZ is no binary", "[RegUpdates]\nLOCAL_MACHINE=SOFTWARE\\X,V,SZ,xyz\n", {}},
        {"INI mode 5", "[IniUpdates]\nWIN.INI=Sec,Key,V,5\n", {"18:IniModeNothing"}},
        {"INI mode 8", "[IniUpdates]\nWIN.INI=Sec,Key,V,8\n", {"18:IniModeNothing"}},
        {"INI mode 4 on an empty section", "[IniUpdates]\nAPP.INI=,,,4\n",
         {"18:RequiredFieldEmpty", "18:IniModeDeletesFile"}},
        {"INI default mode", "[IniUpdates]\nSYSTEM.INI=boot,shell\n", {}},
        {"execute wait in lower case", "[Executes]\nX.EXE=,sync\n", {"18:KeywordFallback"}},
        {"execute show word", "[Executes]\n$InstDir$\\A.EXE=,ASYNC,show\n", {"18:KeywordFallback"}},
        {"execute with every default", "[Executes]\nX.EXE=,\n", {}},
        {"execute in Japanese", "[Executes]\nX.EXE=,同期,HIDE,3000\n", {}},
        {"logo of another kind", "[Logo]\nLT=B,picture\n", {"18:LogoNotPainted"}},
        {"logo corner", "[Logo]\nMID=T,120,Arial,x\n", {"18:KeywordFallback"}},
        {"logo kind ignores case", "[Logo]\nrb=t,120,Arial,x\n", {}},
        {"OCX without path", "[RegisterOcx]\nCtl=\n", {"18:NoValue"}},
        {"OCX keep field", "[RegisterOcx]\nCtl=$SysDir$\\C.OCX,no\n", {"18:KeywordFallback"}},
    };
    for (const Row& row : others) {
        const std::string script = std::string(kConfig) + kOptions + kFiles + row.added;
        EXPECT_EQ(row.expected, Findings(script)) << row.what;
    }
}

TEST(CheckerTest, OptionsAndConfigAsAWhole)
{
    // One option: its sections are never read.
    EXPECT_EQ(std::vector<std::string>({"10:SingleOption"}),
              Findings(std::string(kConfig) + "[InstallOption]\nOnly=FL,x\n[Only::IniUpdates]\nWIN.INI=a,b,c,1\n"));
    // Two options, one without sections of its own.
    EXPECT_EQ(std::vector<std::string>({"9:OptionWithoutSections"}),
              Findings(std::string(kConfig) + "[InstallOption]\nA=FL,a\nB=FL,b\n[B::IniUpdates]\nWIN.INI=a,b,c,1\n"));
    // No [Config] at all; lines before the first section.
    EXPECT_EQ(std::vector<std::string>({"0:NoConfig", "1:LineBeforeSection"}),
              Findings(std::string("Product=x\n") + kFiles));
    // Settings left out whose defaults matter.
    EXPECT_EQ(std::vector<std::string>({"1:EmptyProduct", "1:EmptyInstallDir", "1:EmptyUninstallKey"}),
              Findings(std::string("[Config]\nGroupName=G\n") + kFiles));
    EXPECT_EQ(std::vector<std::string>({"2:UserNameLimits"}),
              Findings("[Config]\nShowUserNamePage=TRUE,8,4\nProduct=P\nInstallDir=C:\\P\nUninstall=FALSE\n"));
}

namespace {

// A medium in memory: paths relative to its directory, with their sizes.
class CMemoryMedium : public IMedium {
public:
    std::map<std::string, long long> m_files;
    bool IsFile(const std::string& path) override { return m_files.count(path) != 0; }
    bool InstalledSize(const std::string& path, long long& size) override
    {
        const auto it = m_files.find(path);
        if (it == m_files.end())
            return false;
        size = it->second;
        return true;
    }
};

}  // namespace

TEST(CheckerTest, FilesOnTheMedium)
{
    const std::string script = std::string(kConfig) + kOptions + kFiles;
    CMemoryMedium medium;
    medium.m_files = {{"DISK1\\DISK1", 0}, {"DISK1\\_SETUP.EX_", 1}, {"DISK1\\VMUNST10.EX_", 1},
                      {"DISK1\\A.EX_", 100}, {"DISK1\\T.DL_", 10},
                      {"DISK2\\DISK2", 0}, {"DISK2\\DATA\\F.DA_", 20}};
    EXPECT_EQ(std::vector<std::string>(), Findings(script, &medium));

    medium.m_files["DISK1\\A.EX_"] = 101;
    medium.m_files.erase("DISK2\\DATA\\F.DA_");
    EXPECT_EQ(std::vector<std::string>({"14:SourceMissing", "16:SizeDiffers"}), Findings(script, &medium));

    medium.m_files.erase("DISK2\\DISK2");
    medium.m_files.erase("DISK1\\VMUNST10.EX_");
    medium.m_files.erase("DISK1\\_SETUP.EX_");
    EXPECT_EQ(std::vector<std::string>({"0:SetupFileMissing", "0:UninstallerMissing", "14:DiskMissing",
                                        "16:SizeDiffers"}),
              Findings(script, &medium));
}

TEST(CheckerTest, SzddHeaderGivesTheInstalledSize)
{
    EXPECT_EQ(0x01020304, SzddExpandedSize(std::string("SZDD\x88\xF0\x27\x33" "A_\x04\x03\x02\x01", 14)));
    EXPECT_EQ(-1, SzddExpandedSize("MZ\x90"));
    EXPECT_EQ(-1, SzddExpandedSize(std::string("SZDD\x88\xF0\x27\x33" "B_\x04\x03\x02\x01", 14)));
}

TEST(CheckerTest, SourcesInUtf8BecomeCodePage932)
{
    std::string cp932;
    std::string problem;
    ASSERT_TRUE(ScriptSourceToCp932("\xEF\xBB\xBF[Config]\nProduct=\xE8\xA3\xBD\xE5\x93\x81\n", cp932, problem));
    EXPECT_EQ("[Config]\nProduct=製品\n", cp932);
    ASSERT_TRUE(ScriptSourceToCp932("Product=\xE8\xA3\xBD\xE5\x93\x81\n", cp932, problem));
    EXPECT_EQ("Product=製品\n", cp932);
    // Code page 932 text stays as it is.
    ASSERT_TRUE(ScriptSourceToCp932("Product=製品\n", cp932, problem));
    EXPECT_EQ("Product=製品\n", cp932);
    // A character code page 932 does not have.
    EXPECT_FALSE(ScriptSourceToCp932("Product=\xF0\x9F\x98\x80\n", cp932, problem));
}

TEST(CheckerTest, EditDistance)
{
    EXPECT_EQ(0, EditDistance("InstallDir", "installdir"));
    EXPECT_EQ(1, EditDistance("InstalDir", "InstallDir"));
    EXPECT_EQ(1, EditDistance("InstlalDir", "InstallDir"));   // transposition
    EXPECT_EQ(3, EditDistance("", "abc"));
}

// The removal plan, decided from a log and a few facts of the system before
// anything is touched: the order of the steps, what is refused and why,
// shared files, INI records with commas, the registration key; and the
// summary the user sees at the end.
#include "uninstaller/removalplan.h"
#include "uninstaller/summary.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "uninstaller/pathkey.h"

namespace {

const char kLog[] = "C:\\Program Files\\APP\\UNINSTAL.INF";
const char kReg[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP";

// A Windows 95 machine whose files and INI contents the test lays out.
class CFakeFacts : public IPlanFacts {
public:
    std::string WindowsDirectory() override { return m_strWindows; }
    std::string SystemDirectory() override { return m_strSystem; }
    std::vector<std::string> ProgramsFolders() override { return {"C:\\WINDOWS\\Start Menu\\Programs"}; }
    std::vector<std::string> ShellFolders() override
    {
        return {"C:\\WINDOWS\\Start Menu", "C:\\WINDOWS\\Desktop"};
    }
    bool HasProgramManager() override { return m_bProgramManager; }
    bool FileExists(const std::string& path) override
    {
        ++m_nExistenceQuestions;
        return m_files.count(PathKey(path)) != 0 || m_ini.count(PathKey(path)) != 0;
    }
    std::vector<std::string> IniSectionNames(const std::string& file) override
    {
        std::vector<std::string> names;
        for (const auto& section : m_ini[PathKey(file)])
            names.push_back(section.first);
        return names;
    }
    std::vector<std::string> IniKeyNames(const std::string& file, const std::string& name) override
    {
        for (const auto& section : m_ini[PathKey(file)]) {
            if (EqualNoCase(section.first, name))
                return section.second;
        }
        return {};
    }

    void AddFile(const std::string& path) { m_files.insert(PathKey(path)); }
    void AddIni(const std::string& path, const std::string& section, std::vector<std::string> keys)
    {
        m_ini[PathKey(path)].emplace_back(section, std::move(keys));
    }

    std::string m_strWindows = "C:\\WINDOWS";
    std::string m_strSystem = "C:\\WINDOWS\\SYSTEM";
    bool m_bProgramManager = false;
    int m_nExistenceQuestions = 0;

private:
    std::set<std::string> m_files;
    std::map<std::string, std::vector<std::pair<std::string, std::vector<std::string>>>> m_ini;
};

const char* KindName(StepKind kind)
{
    switch (kind) {
    case StepKind::UnregisterControl: return "unregister";
    case StepKind::DeleteShortcut: return "shortcut";
    case StepKind::RemoveProgramFolder: return "folder";
    case StepKind::DeleteProgramGroup: return "group";
    case StepKind::DeleteIniKey: return "ini-key";
    case StepKind::DeleteIniSection: return "ini-section";
    case StepKind::DeleteIniFile: return "ini-file";
    case StepKind::DeleteFile: return "file";
    case StepKind::DeleteRegistration: return "registration";
    case StepKind::DeleteLog: return "log";
    case StepKind::RemoveDirectory: return "directory";
    }
    return "?";
}

const char* RefusalName(Refusal reason)
{
    switch (reason) {
    case Refusal::NotFullPath: return "not a full path";
    case Refusal::RootDirectory: return "root";
    case Refusal::WindowsDirectory: return "Windows directory";
    case Refusal::SystemDirectory: return "system directory";
    case Refusal::ShellFolder: return "shell folder";
    case Refusal::SystemIniFile: return "system INI file";
    case Refusal::AmbiguousIniRecord: return "ambiguous";
    case Refusal::UninstallKeyItself: return "the uninstall key itself";
    case Refusal::NotBelowUninstallKey: return "not below the uninstall key";
    case Refusal::NoProgramManager: return "no Program Manager";
    case Refusal::GroupNameUnsendable: return "unsendable group name";
    }
    return "?";
}

// "file C:\A [shared, kept]", "ini-key C:\WINDOWS\WIN.INI|section|key", …
std::vector<std::string> Steps(const CRemovalPlan& plan)
{
    std::vector<std::string> lines;
    for (const CRemovalStep& step : plan.m_steps) {
        std::string line = std::string(KindName(step.m_kind)) + " " + step.m_strTarget;
        if (!step.m_strSection.empty())
            line += "|" + step.m_strSection;
        if (!step.m_strKey.empty())
            line += "|" + step.m_strKey;
        if (step.m_bShared)
            line += step.m_bKeep ? " [shared, kept]" : " [shared]";
        if (step.m_bValuesOnly)
            line += " [values only]";
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Refusals(const CRemovalPlan& plan)
{
    std::vector<std::string> lines;
    for (const CRefusal& refusal : plan.m_refusals)
        lines.push_back(std::string(KindName(refusal.m_kind)) + " " + refusal.m_strValue + ": " +
                        RefusalName(refusal.m_reason));
    return lines;
}

CLogRecords Records(std::vector<std::string> values)
{
    CLogRecords records;
    unsigned long key = 0;
    for (std::string& value : values)
        records.push_back({key++, std::move(value)});
    return records;
}

CUninstallLog Log()
{
    CUninstallLog log;
    log.m_strProduct = "アプリ 1.0";
    log.m_strReg = kReg;
    return log;
}

using Lines = std::vector<std::string>;

TEST(RemovalPlan, EveryRecordKindInTheOrderOfRemoval)
{
    CFakeFacts facts;
    facts.AddIni("C:\\WINDOWS\\WIN.INI", "APP", {"Path"});
    facts.AddIni("C:\\Program Files\\APP\\APP.INI", "Options", {"Size"});
    CUninstallLog log = Log();
    log.m_files = Records({"C:\\Program Files\\APP\\APP.EXE", kLog, "C:\\Program Files\\APP\\BIN\\TOOL.EXE"});
    log.m_directories = Records({"C:\\Program Files\\APP", "C:\\Program Files\\APP\\BIN",
                                 "C:\\Program Files\\APP\\BIN\\深い"});
    log.m_shortcuts = Records({"C:\\WINDOWS\\Start Menu\\Programs\\アプリ\\アプリ.lnk",
                               "C:\\WINDOWS\\Start Menu\\Programs\\アプリ\\削除.lnk"});
    log.m_controls = Records({"C:\\Program Files\\APP\\GRID.OCX"});
    log.m_iniFiles = Records({"C:\\Program Files\\APP\\NEW.INI"});
    log.m_iniSections = Records({"C:\\Program Files\\APP\\APP.INI,Options"});
    log.m_iniKeys = Records({"WIN.INI,APP,Path"});
    log.m_iniValues = Records({"SYSTEM.INI,boot,shell"});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ((Lines{
                  "unregister C:\\Program Files\\APP\\GRID.OCX",
                  "shortcut C:\\WINDOWS\\Start Menu\\Programs\\アプリ\\アプリ.lnk",
                  "shortcut C:\\WINDOWS\\Start Menu\\Programs\\アプリ\\削除.lnk",
                  "folder C:\\WINDOWS\\Start Menu\\Programs\\アプリ",
                  // A bare INI name is the Windows directory's; keys before sections before files.
                  "ini-key C:\\WINDOWS\\WIN.INI|APP|Path",
                  "ini-section C:\\Program Files\\APP\\APP.INI|Options",
                  "ini-file C:\\Program Files\\APP\\NEW.INI",
                  "file C:\\Program Files\\APP\\APP.EXE",
                  "file C:\\Program Files\\APP\\BIN\\TOOL.EXE",
                  "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP",
                  // The log goes after everything it names, before the
                  // directories, so that the install directory can go too.
                  "log C:\\Program Files\\APP\\UNINSTAL.INF",
                  "directory C:\\Program Files\\APP\\BIN\\深い",
                  "directory C:\\Program Files\\APP\\BIN",
                  "directory C:\\Program Files\\APP",
              }),
              Steps(plan));
    // The [DeleteIniValue] key existed before the installation: left alone.
    EXPECT_EQ(Lines{}, Refusals(plan));
    EXPECT_EQ("アプリ 1.0", plan.m_strProduct);
    EXPECT_TRUE(plan.m_sharedFiles.empty());
}

TEST(RemovalPlan, RecordsOfAnEarlierInstallationIntoTheSameDirectoryCountOnce)
{
    // Keys 0-1 of the later installation, 2-4 left from the earlier one,
    // which named the same files in another spelling and the log again.
    CFakeFacts facts;
    CUninstallLog log = Log();
    log.m_files = Records({"C:\\Program Files\\APP\\A.EXE", kLog, "c:\\program files\\app\\a.exe",
                           "C:\\Program Files\\APP\\OLD.DLL", "C:/Program Files/APP/UNINSTAL.INF"});
    log.m_directories = Records({"C:\\Program Files\\APP", "C:\\Program Files\\APP\\"});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ((Lines{
                  "file C:\\Program Files\\APP\\A.EXE",
                  "file C:\\Program Files\\APP\\OLD.DLL",
                  "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP",
                  "log C:\\Program Files\\APP\\UNINSTAL.INF",
                  "directory C:\\Program Files\\APP",
              }),
              Steps(plan));
}

TEST(RemovalPlan, TheLogGoesOnlyWhenItNamesItself)
{
    // Registration writes the log's own record last; without it the log is
    // not among what the installation left, and the uninstaller keeps it.
    CFakeFacts facts;
    CUninstallLog log = Log();
    log.m_files = Records({"C:\\Program Files\\APP\\A.EXE"});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ((Lines{"file C:\\Program Files\\APP\\A.EXE",
                     "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP"}),
              Steps(plan));
}

TEST(RemovalPlan, OnWindowsNTTheSixteenBitSystemDirectoryIsSharedToo)
{
    CFakeFacts facts;
    facts.m_strWindows = "C:\\WINNT";
    facts.m_strSystem = "C:\\WINNT\\system32";
    CUninstallLog log = Log();
    log.m_strReg = "SOFTWARE\\Vendor";
    log.m_files = Records({"C:\\WINNT\\SYSTEM\\VBRUN300.DLL", "C:\\WINNT\\SYSTEM32\\A.DLL",
                           "C:\\WINNT\\SYSTEM32\\DRIVERS\\A.SYS"});
    EXPECT_EQ((Lines{"file C:\\WINNT\\SYSTEM\\VBRUN300.DLL [shared, kept]",
                     "file C:\\WINNT\\SYSTEM32\\A.DLL [shared, kept]",
                     "file C:\\WINNT\\SYSTEM32\\DRIVERS\\A.SYS"}),
              Steps(BuildRemovalPlan(log, kLog, facts)));
}

TEST(RemovalPlan, FilesOfTheWindowsAndSystemDirectoriesAreSharedAndKeptUnlessTheUserSaysSo)
{
    CFakeFacts facts;
    facts.m_strWindows = "c:\\windows\\";           // compared in any case, with or without "\"
    facts.AddFile("C:\\WINDOWS\\SYSTEM\\GRID.OCX");
    facts.AddFile("C:\\WINDOWS\\APP.HLP");
    facts.AddFile("C:\\WINDOWS\\HELP\\APP.HLP");
    CUninstallLog log = Log();
    log.m_controls = Records({"C:\\WINDOWS\\SYSTEM\\GRID.OCX", "C:\\WINDOWS\\SYSTEM\\ONLY.OCX",
                              "C:\\Program Files\\APP\\OWN.OCX"});
    log.m_files = Records({"C:\\WINDOWS\\SYSTEM\\GRID.OCX", "C:\\WINDOWS\\APP.HLP",
                           "C:\\WINDOWS\\SYSTEM\\GONE.DLL", "C:\\WINDOWS\\HELP\\APP.HLP",
                           "C:\\Program Files\\APP\\A.EXE"});
    CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ((Lines{
                  "unregister C:\\WINDOWS\\SYSTEM\\GRID.OCX [shared, kept]",
                  // Its file is not in the log: it stays, and so does its registration.
                  "unregister C:\\WINDOWS\\SYSTEM\\ONLY.OCX [shared, kept]",
                  "unregister C:\\Program Files\\APP\\OWN.OCX",
                  "file C:\\WINDOWS\\SYSTEM\\GRID.OCX [shared, kept]",
                  "file C:\\WINDOWS\\APP.HLP [shared, kept]",
                  "file C:\\WINDOWS\\SYSTEM\\GONE.DLL [shared, kept]",
                  // Below the Windows directory, not in it: the product's own.
                  "file C:\\WINDOWS\\HELP\\APP.HLP",
                  "file C:\\Program Files\\APP\\A.EXE",
                  "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP",
              }),
              Steps(plan));
    // The user is asked about the shared files that exist.
    EXPECT_EQ((std::vector<std::size_t>{3, 4}), plan.m_sharedFiles);

    // "Yes" for the control's file: it goes, and is unregistered first.
    plan.KeepSharedFile(3, false);
    EXPECT_EQ("unregister C:\\WINDOWS\\SYSTEM\\GRID.OCX [shared]", Steps(plan)[0]);
    EXPECT_EQ("file C:\\WINDOWS\\SYSTEM\\GRID.OCX [shared]", Steps(plan)[3]);
    EXPECT_EQ("unregister C:\\WINDOWS\\SYSTEM\\ONLY.OCX [shared, kept]", Steps(plan)[1]);
    plan.KeepSharedFile(3, true);
    EXPECT_EQ("unregister C:\\WINDOWS\\SYSTEM\\GRID.OCX [shared, kept]", Steps(plan)[0]);
    // Only shared file steps take an answer.
    plan.KeepSharedFile(7, true);
    EXPECT_EQ("file C:\\Program Files\\APP\\A.EXE", Steps(plan)[7]);
}

TEST(RemovalPlan, RootsTheWindowsDirectoriesAndShellFoldersAreNeverRemoved)
{
    CFakeFacts facts;
    CUninstallLog log = Log();
    log.m_directories = Records({
        "C:\\", "D:", "\\\\SERVER\\SHARE\\", "C:\\WINDOWS\\", "c:/windows/system", "C:\\APP\\..\\WINDOWS",
        "C:\\WINDOWS.", "C:\\WINDOWS\\Start Menu\\Programs", "C:\\WINDOWS\\Desktop", "APP", "\\APP", "C:APP",
        "C:\\..", "", "C:\\WINDOWS\\SYSTEM\\APP",
    });
    log.m_files = Records({"C:\\WINDOWS", "C:\\", "BARE.DLL"});
    log.m_shortcuts = Records({"C:\\WINDOWS\\Start Menu"});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ((Lines{
                  "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP",
                  "directory C:\\WINDOWS\\SYSTEM\\APP",
              }),
              Steps(plan));
    EXPECT_EQ((Lines{
                  "shortcut C:\\WINDOWS\\Start Menu: shell folder",
                  "file C:\\WINDOWS: Windows directory",
                  "file C:\\: root",
                  "file BARE.DLL: not a full path",
                  "directory C:\\: root",
                  "directory D:: not a full path",
                  "directory \\\\SERVER\\SHARE\\: root",
                  "directory C:\\WINDOWS\\: Windows directory",
                  "directory c:/windows/system: system directory",
                  "directory C:\\APP\\..\\WINDOWS: Windows directory",
                  "directory C:\\WINDOWS.: Windows directory",
                  "directory C:\\WINDOWS\\Start Menu\\Programs: shell folder",
                  "directory C:\\WINDOWS\\Desktop: shell folder",
                  "directory APP: not a full path",
                  "directory \\APP: not a full path",
                  "directory C:APP: not a full path",
                  "directory C:\\..: not a full path",
              }),
              Refusals(plan));
}

TEST(RemovalPlan, TheRegistrationKeyMustBeAProductsKeyBelowTheUninstallKey)
{
    struct Case {
        const char* reg;
        const char* step;      // "" when there is none
        const char* refusal;   // "" when there is none
    };
    const Case cases[] = {
        {kReg, "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP", ""},
        {"software\\microsoft\\windows\\currentversion\\uninstall\\APP\\",
         "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP", ""},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vendor\\APP",
         "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vendor\\APP", ""},
        // An empty key name: the registration went into the uninstall key
        // itself, which stays; only this product's values in it go.
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\",
         "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall [values only]",
         "the uninstall key itself"},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
         "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall [values only]",
         "the uninstall key itself"},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\\\APP", "", "not below the uninstall key"},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UninstallAPP", "", "not below the uninstall key"},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "", "not below the uninstall key"},
        {"SOFTWARE\\Microsoft", "", "not below the uninstall key"},
        {"SOFTWARE\\Vendor\\APP", "", "not below the uninstall key"},
        {"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP", "", "not below the uninstall key"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reg);
        CFakeFacts facts;
        CUninstallLog log = Log();
        log.m_strReg = c.reg;
        const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
        EXPECT_EQ(*c.step ? Lines{c.step} : Lines{}, Steps(plan));
        EXPECT_EQ(*c.refusal ? Lines{"registration " + std::string(c.reg) + ": " + c.refusal} : Lines{},
                  Refusals(plan));
    }
}

TEST(RemovalPlan, IniRecordsWithCommasAreActedOnOnlyWhenExactlyOneReadingExists)
{
    struct Case {
        const char* name;
        std::vector<std::string> sections;   // DeleteIniSection records
        std::vector<std::string> keys;       // DeleteIniKeyword records
        Lines steps;
        Lines refusals;
    };
    // The machine: a file name and a section name with commas in them.
    const auto layOut = [](CFakeFacts& facts) {
        facts.AddIni("C:\\APP\\A,B.INI", "Opt", {"Key", "K,2"});
        facts.AddIni("C:\\APP\\A,B.INI", "x,y", {"z"});
        facts.AddIni("C:\\APP\\A", "B.INI,Opt", {"Key"});
        facts.AddIni("C:\\APP\\C.INI", "S", {"a,b", "a"});
        facts.AddIni("C:\\APP\\C.INI", "S,a", {"b"});
    };
    const Case cases[] = {
        {"a comma in the file name, one reading exists", {"C:\\APP\\A,B.INI,x,y"}, {},
         {"ini-section C:\\APP\\A,B.INI|x,y"}, {}},
        {"two readings exist: the file A,B.INI's [Opt] and the file A's [B.INI,Opt]",
         {"C:\\APP\\A,B.INI,Opt"}, {}, {}, {"ini-section C:\\APP\\A,B.INI,Opt: ambiguous"}},
        {"a comma in the key", {}, {"C:\\APP\\A,B.INI,Opt,K,2"}, {"ini-key C:\\APP\\A,B.INI|Opt|K,2"}, {}},
        {"three readings, two exist: [S] a,b / [S,a] b", {}, {"C:\\APP\\C.INI,S,a,b"}, {},
         {"ini-key C:\\APP\\C.INI,S,a,b: ambiguous"}},
        {"no reading exists any more: nothing to do", {"C:\\APP\\GONE.INI,x,y"}, {"C:\\APP\\A,B.INI,Opt,Gone"},
         {}, {}},
        {"no comma to split at", {"C:\\APP\\A.INI"}, {"C:\\APP\\A.INI,Opt"}, {}, {}},
        {"blanks around the fields were dropped by the writer", {}, {"C:\\APP\\C.INI, S , a "},
         {"ini-key C:\\APP\\C.INI|S|a"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeFacts facts;
        layOut(facts);
        CUninstallLog log = Log();
        log.m_strReg = "SOFTWARE\\Vendor";     // keeps the registration out of the steps
        log.m_iniSections = Records(c.sections);
        log.m_iniKeys = Records(c.keys);
        const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
        EXPECT_EQ(c.steps, Steps(plan));
        Lines refusals = Refusals(plan);
        refusals.pop_back();   // the registration's
        EXPECT_EQ(c.refusals, refusals);
    }
}

TEST(RemovalPlan, IniEntriesThatExistedBeforeInAnotherLetterCaseStay)
{
    // The installer compares names exactly and recorded [app] and "load" as
    // new, but the private-profile functions wrote into the [App] and "Load"
    // that were there before: those are not the installation's to delete.
    CFakeFacts facts;
    facts.AddIni("C:\\WINDOWS\\WIN.INI", "App", {"Load"});
    facts.AddIni("C:\\WINDOWS\\WIN.INI", "Mine", {"load", "Other"});
    facts.AddIni("C:\\WINDOWS\\TWICE.INI", "Dup", {"x"});
    facts.AddIni("C:\\WINDOWS\\TWICE.INI", "DUP", {"x"});
    CUninstallLog log = Log();
    log.m_iniSections = Records({"WIN.INI,app", "TWICE.INI,Dup", "WIN.INI,Mine"});
    log.m_iniKeys = Records({"WIN.INI,App,load", "WIN.INI,mine,load", "WIN.INI,Mine,load", "WIN.INI,Mine,load"});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ((Lines{"ini-key C:\\WINDOWS\\WIN.INI|Mine|load",
                     "ini-section C:\\WINDOWS\\WIN.INI|Mine",
                     "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP"}),
              Steps(plan));
}

TEST(RemovalPlan, IniFilesAreResolvedAsTheInstallerWroteThemAndSystemFilesStay)
{
    EXPECT_EQ("C:\\WINDOWS\\WIN.INI", ResolveIniFile("WIN.INI", "C:\\WINDOWS"));
    EXPECT_EQ("C:\\WINDOWS\\SUB\\A.INI", ResolveIniFile("SUB\\A.INI", "C:\\WINDOWS"));
    EXPECT_EQ("D:\\A.INI", ResolveIniFile("D:\\A.INI", "C:\\WINDOWS"));
    EXPECT_EQ("D&A.INI", ResolveIniFile("D&A.INI", "C:\\WINDOWS"));

    CFakeFacts facts;
    CUninstallLog log = Log();
    log.m_strReg = "SOFTWARE\\Vendor";
    log.m_iniFiles = Records({"c:\\windows\\win.ini", "C:\\WINDOWS\\SYSTEM.INI", "C:\\WINDOWS\\APP.INI"});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ(Lines{"ini-file C:\\WINDOWS\\APP.INI"}, Steps(plan));
    EXPECT_EQ((Lines{"ini-file c:\\windows\\win.ini: system INI file",
                     "ini-file C:\\WINDOWS\\SYSTEM.INI: system INI file",
                     "registration SOFTWARE\\Vendor: not below the uninstall key"}),
              Refusals(plan));
}

TEST(RemovalPlan, ProgramManagerGroupsOnlyWhereProgramManagerIsTheShell)
{
    CUninstallLog log = Log();
    log.m_groups = Records({"アプリ", "アプリ", "A\")][DeleteGroup(\"メイン", ""});
    CFakeFacts nt351;
    nt351.m_bProgramManager = true;
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, nt351);
    EXPECT_EQ((Lines{"group アプリ",
                     "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\APP"}),
              Steps(plan));
    EXPECT_EQ(Lines{"group A\")][DeleteGroup(\"メイン: unsendable group name"}, Refusals(plan));
    EXPECT_EQ("[DeleteGroup(\"アプリ\")]", DeleteGroupCommand("アプリ"));

    CFakeFacts windows95;
    const CRemovalPlan folders = BuildRemovalPlan(log, kLog, windows95);
    EXPECT_EQ((Lines{"group アプリ: no Program Manager", "group アプリ: no Program Manager",
                     "group A\")][DeleteGroup(\"メイン: no Program Manager"}),
              Refusals(folders));
}

TEST(RemovalPlan, AProgramFolderIsTheShortcutsFolderDirectlyInAProgramsFolder)
{
    CFakeFacts facts;
    CUninstallLog log = Log();
    log.m_strReg = "SOFTWARE\\Vendor";
    log.m_shortcuts = Records({
        "C:\\WINDOWS\\Start Menu\\Programs\\A\\x.lnk",
        "c:\\windows\\start menu\\programs\\a\\y.lnk",         // the same folder
        "C:\\WINDOWS\\Start Menu\\Programs\\\\z.lnk",          // an empty group name
        "C:\\WINDOWS\\Start Menu\\Programs\\V\\B\\w.lnk",      // deeper: not a program folder
        "C:\\WINDOWS\\Desktop\\d.lnk",
        "C:\\Program Files\\APP\\e.lnk",
    });
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ((Lines{
                  "shortcut C:\\WINDOWS\\Start Menu\\Programs\\A\\x.lnk",
                  "shortcut c:\\windows\\start menu\\programs\\a\\y.lnk",
                  "shortcut C:\\WINDOWS\\Start Menu\\Programs\\z.lnk",
                  "shortcut C:\\WINDOWS\\Start Menu\\Programs\\V\\B\\w.lnk",
                  "shortcut C:\\WINDOWS\\Desktop\\d.lnk",
                  "shortcut C:\\Program Files\\APP\\e.lnk",
                  "folder C:\\WINDOWS\\Start Menu\\Programs\\A",
              }),
              Steps(plan));
}

TEST(RemovalPlan, ManyCommasAreNotTriedReadingByReading)
{
    CFakeFacts facts;
    CUninstallLog log = Log();
    log.m_strReg = "SOFTWARE\\Vendor";
    log.m_iniKeys = Records({"C:\\A.INI" + std::string(200, ',')});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    EXPECT_EQ(Lines{}, Steps(plan));
    EXPECT_EQ(0, facts.m_nExistenceQuestions);
    EXPECT_EQ(2u, plan.m_refusals.size());
    EXPECT_EQ(Refusal::AmbiguousIniRecord, plan.m_refusals[0].m_reason);
}

CStepResult Result(Outcome outcome, Failure failure = Failure::None, unsigned long error = 0)
{
    CStepResult result;
    result.m_outcome = outcome;
    result.m_failure = failure;
    result.m_nError = error;
    return result;
}

TEST(RemovalSummary, ListsWhatIsLeftForAReasonTheUserShouldKnow)
{
    CFakeFacts facts;
    CUninstallLog log = Log();
    log.m_strReg = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    log.m_files = Records({"C:\\APP\\A.EXE", "C:\\APP\\B.DLL", "C:\\WINDOWS\\SYSTEM\\S.DLL",
                           "C:\\APP\\GONE.TXT", "C:\\APP\\ERR.TXT"});
    log.m_shortcuts = Records({"C:\\WINDOWS\\Start Menu\\Programs\\A\\x.lnk"});
    log.m_directories = Records({"C:\\APP", "C:\\"});
    const CRemovalPlan plan = BuildRemovalPlan(log, kLog, facts);
    ASSERT_EQ((Lines{
                  "shortcut C:\\WINDOWS\\Start Menu\\Programs\\A\\x.lnk",
                  "folder C:\\WINDOWS\\Start Menu\\Programs\\A",
                  "file C:\\APP\\A.EXE",
                  "file C:\\APP\\B.DLL",
                  "file C:\\WINDOWS\\SYSTEM\\S.DLL [shared, kept]",
                  "file C:\\APP\\GONE.TXT",
                  "file C:\\APP\\ERR.TXT",
                  "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall [values only]",
                  "directory C:\\APP",
              }),
              Steps(plan));
    const std::vector<CStepResult> results = {
        Result(Outcome::Done),
        Result(Outcome::NotEmpty),        // the user's own shortcuts: not listed
        Result(Outcome::Done),
        Result(Outcome::AtRestart),
        Result(Outcome::Kept),
        Result(Outcome::NothingThere),
        Result(Outcome::Failed, Failure::SystemError, 5),
        Result(Outcome::NotThisProduct),
        Result(Outcome::NotEmpty),
    };
    const CRemovalSummary summary = SummariseRemoval(plan, results);
    std::vector<std::string> left;
    for (const CLeftItem& item : summary.m_left)
        left.push_back(std::string(KindName(item.m_kind)) + " " + item.m_strTarget);
    EXPECT_EQ((Lines{
                  "file C:\\APP\\B.DLL",
                  "file C:\\APP\\ERR.TXT",
                  "registration SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                  "directory C:\\APP",
                  // The refused root; the uninstall key's own refusal is no loss.
                  "directory C:\\",
              }),
              left);
    EXPECT_EQ(LeftReason::AtRestart, summary.m_left[0].m_reason);
    EXPECT_EQ(5u, summary.m_left[1].m_result.m_nError);
    EXPECT_EQ(LeftReason::NotThisProduct, summary.m_left[2].m_reason);
    EXPECT_EQ(LeftReason::NotEmpty, summary.m_left[3].m_reason);
    EXPECT_EQ(Refusal::RootDirectory, summary.m_left[4].m_refusal);
    EXPECT_TRUE(summary.m_bRestart);
    EXPECT_TRUE(summary.HasProblems());

    // Deleted at the restart only: nothing the user has to look after.
    CRemovalSummary restartOnly;
    restartOnly.m_left.push_back(summary.m_left[0]);
    restartOnly.m_bRestart = true;
    EXPECT_FALSE(restartOnly.HasProblems());
}

}  // namespace

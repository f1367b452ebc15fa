// The removal steps against Wine's file system, private-profile functions and
// registry: files (read-only, in use, already gone), directories, INI
// entries, controls, Program Manager groups and the registration; and the
// facts the plan asks of the system.
#include <windows.h>
#include <olectl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "paths/pathvars.h"
#include "platform/handles.h"
#include "services/uninstlog.h"
#include "tests/win/profile/testutil.h"
#include "uninstaller/products.h"
#include "uninstaller/remover.h"
#include "uninstaller/systemfacts.h"

using testutil::CTempDir;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPending[] = "PendingFileRenameOperations";

// The strings that MoveFileEx entered for the next restart (the list's
// closing empty strings left out).
std::vector<std::string> PendingRenames()
{
    std::vector<std::string> entries;
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return entries;
    DWORD size = 0;
    DWORD type = 0;
    if (::RegQueryValueExA(key, kPending, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string data(size, '\0');
        ::RegQueryValueExA(key, kPending, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        for (std::size_t pos = 0; pos < data.size();) {
            const std::size_t end = data.find('\0', pos);
            entries.push_back(data.substr(pos, end - pos));
            pos = end == std::string::npos ? data.size() : end + 1;
        }
    }
    ::RegCloseKey(key);
    while (!entries.empty() && entries.back().empty())
        entries.pop_back();
    return entries;
}

void ClearPendingRenames()
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, kPending);
        ::RegCloseKey(key);
    }
}

std::string ShortName(const std::string& path)
{
    char buffer[MAX_PATH];
    const DWORD n = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return std::string(buffer, n);
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CRemovalStep Step(StepKind kind, const std::string& target, const std::string& section = "",
                  const std::string& key = "")
{
    CRemovalStep step;
    step.m_kind = kind;
    step.m_strTarget = target;
    step.m_strSection = section;
    step.m_strKey = key;
    return step;
}

// Program Manager as the tests see it: every command, and a set answer.
class CRecordingProgramManager : public IProgramManager {
public:
    CRecordingProgramManager(std::vector<std::string>& commands, bool accept)
        : m_commands(commands), m_bAccept(accept) {}
    bool Execute(const std::string& command) override
    {
        m_commands.push_back(command);
        return m_bAccept;
    }

private:
    std::vector<std::string>& m_commands;
    bool m_bAccept;
};

class RemoverTest : public testing::Test {
protected:
    void SetUp() override { ClearPendingRenames(); }
    void TearDown() override { ClearPendingRenames(); }

    // A step with a remover of the given platform's restart method.
    CStepResult Run(RestartMethod method, const CRemovalStep& step)
    {
        CRestartDeletions restart(method, m_wininit);
        CRemover remover(m_log, restart, nullptr);
        return remover.Run(step);
    }
    std::string MakeFile(const std::string& name, const std::string& content = "x")
    {
        const std::string path = m_dir.File(name);
        WriteBytes(path, content);
        return path;
    }

    CTempDir m_dir{"-テスト アプリ"};
    CTempDir m_windows{"-windows"};
    std::string m_log = m_dir.File("UNINSTAL.INF");
    std::string m_wininit = m_windows.File("WININIT.INI");
};

TEST_F(RemoverTest, FilesGoReadOnlyOrNotAndWhatIsGoneIsNoFailure)
{
    struct Case {
        const char* name;
        DWORD attributes;
        Outcome outcome;
    };
    const Case cases[] = {
        {"plain.dll", FILE_ATTRIBUTE_NORMAL, Outcome::Done},
        {"読取専用.dll", FILE_ATTRIBUTE_READONLY, Outcome::Done},
        {"hidden.inf", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, Outcome::Done},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = MakeFile(c.name);
        ::SetFileAttributesA(path.c_str(), c.attributes);
        EXPECT_EQ(c.outcome, Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteFile, path)).m_outcome);
        EXPECT_FALSE(Exists(path));
    }
    EXPECT_EQ(Outcome::NothingThere,
              Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteFile, m_dir.File("gone.dll"))).m_outcome);
    EXPECT_EQ(Outcome::NothingThere,
              Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteFile, m_dir.File("nodir\\x.dll"))).m_outcome);
    // A file record that names a directory removes nothing.
    ::CreateDirectoryA(m_dir.File("sub").c_str(), nullptr);
    const CStepResult dir = Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteFile, m_dir.File("sub")));
    EXPECT_EQ(Outcome::Failed, dir.m_outcome);
    EXPECT_EQ(Failure::NotAFile, dir.m_failure);
    EXPECT_TRUE(Exists(m_dir.File("sub")));
    // A step the plan keeps is not carried out.
    const std::string kept = MakeFile("kept.dll");
    CRemovalStep keep = Step(StepKind::DeleteFile, kept);
    keep.m_bKeep = true;
    EXPECT_EQ(Outcome::Kept, Run(RestartMethod::MoveFileEx, keep).m_outcome);
    EXPECT_TRUE(Exists(kept));
}

TEST_F(RemoverTest, OnWindowsNTAFileInUseAndThenItsDirectoryGoAtTheNextRestart)
{
    const std::string sub = m_dir.File("BIN");
    ::CreateDirectoryA(sub.c_str(), nullptr);
    const std::string path = sub + "\\使用中.DLL";
    WriteBytes(path, "x");
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    CFileHandle lock(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);

    CRestartDeletions restart(RestartMethod::MoveFileEx, m_wininit);
    CRemover remover(m_log, restart, nullptr);
    EXPECT_EQ(Outcome::AtRestart, remover.Run(Step(StepKind::DeleteFile, path)).m_outcome);
    EXPECT_TRUE(Exists(path));
    // Nothing but the pending file is left: the directory is entered after it.
    EXPECT_EQ(Outcome::AtRestart, remover.Run(Step(StepKind::RemoveDirectory, sub)).m_outcome);
    // Each entry: the name, then an empty new name (delete).
    EXPECT_EQ((std::vector<std::string>{"\\??\\" + path, "", "\\??\\" + sub}), PendingRenames());
    EXPECT_FALSE(Exists(m_wininit));
    // A directory that holds anything else stays.
    WriteBytes(m_dir.File("user.txt"), "mine");
    EXPECT_EQ(Outcome::NotEmpty, remover.Run(Step(StepKind::RemoveDirectory, m_dir.Path())).m_outcome);
}

TEST_F(RemoverTest, OnWindows95AFileInUseGoesThroughWininitAndItsDirectoryStays)
{
    const std::string first = MakeFile("使用中 一.DLL");
    const std::string second = MakeFile("second file.dll");
    CFileHandle lock1(::CreateFileA(first.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    CFileHandle lock2(::CreateFileA(second.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock1 && lock2);
    WriteBytes(m_wininit, "[rename]\r\nC:\\NEW.DLL=C:\\TEMP.DLL\r\n");

    CRestartDeletions restart(RestartMethod::WininitIni, m_wininit);
    CRemover remover(m_log, restart, nullptr);
    EXPECT_EQ(Outcome::AtRestart, remover.Run(Step(StepKind::DeleteFile, first)).m_outcome);
    EXPECT_EQ(Outcome::AtRestart, remover.Run(Step(StepKind::DeleteFile, second)).m_outcome);
    // Short names: WININIT runs before long names are there.
    ASSERT_NE(ShortName(first), first);
    EXPECT_EQ("[rename]\r\nC:\\NEW.DLL=C:\\TEMP.DLL\r\nNUL=" + ShortName(first) + "\r\nNUL=" +
                  ShortName(second) + "\r\n",
              ReadBytes(m_wininit));
    // WININIT removes no directories.
    EXPECT_EQ(Outcome::NotEmpty, remover.Run(Step(StepKind::RemoveDirectory, m_dir.Path())).m_outcome);
    EXPECT_TRUE(PendingRenames().empty());
}

TEST_F(RemoverTest, AFileInUseThatCannotBeEnteredForTheRestartStaysAsItWas)
{
    const std::string path = MakeFile("locked.dll");
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    CFileHandle lock(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    CRestartDeletions restart(RestartMethod::WininitIni, m_windows.File("missing\\WININIT.INI"));
    CRemover remover(m_log, restart, nullptr);
    const CStepResult result = remover.Run(Step(StepKind::DeleteFile, path));
    EXPECT_EQ(Outcome::Failed, result.m_outcome);
    EXPECT_EQ(Failure::SystemError, result.m_failure);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_SHARING_VIOLATION), result.m_nError);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), ::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(RemoverTest, DirectoriesGoOnlyWhenEmpty)
{
    const std::string empty = m_dir.File("空");
    const std::string readOnly = m_dir.File("ro");
    const std::string full = m_dir.File("full");
    for (const std::string& dir : {empty, readOnly, full})
        ::CreateDirectoryA(dir.c_str(), nullptr);
    ::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(full + "\\user.txt", "mine");
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::WininitIni, Step(StepKind::RemoveDirectory, empty)).m_outcome);
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::WininitIni, Step(StepKind::RemoveDirectory, readOnly)).m_outcome);
    EXPECT_EQ(Outcome::NotEmpty, Run(RestartMethod::MoveFileEx, Step(StepKind::RemoveDirectory, full)).m_outcome);
    EXPECT_EQ("mine", ReadBytes(full + "\\user.txt"));
    EXPECT_EQ(Outcome::NothingThere,
              Run(RestartMethod::MoveFileEx, Step(StepKind::RemoveDirectory, m_dir.File("none"))).m_outcome);
    const CStepResult file =
        Run(RestartMethod::MoveFileEx, Step(StepKind::RemoveDirectory, full + "\\user.txt"));
    EXPECT_EQ(Failure::NotADirectory, file.m_failure);
    EXPECT_TRUE(PendingRenames().empty());
}

TEST_F(RemoverTest, IniKeysSectionsAndFilesGoThroughThePrivateProfileFunctions)
{
    const std::string ini = MakeFile("APP.INI", "[Keep]\r\na=1\r\n[製品]\r\nPath=C:\\APP\r\nOther=2\r\n[Gone]\r\nx=1\r\n");
    EXPECT_EQ(Outcome::Done,
              Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteIniKey, ini, "製品", "Path")).m_outcome);
    EXPECT_EQ(Outcome::Done,
              Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteIniSection, ini, "Gone")).m_outcome);
    EXPECT_EQ("[Keep]\r\na=1\r\n[製品]\r\nOther=2\r\n", ReadBytes(ini));
    // A file that is gone is not made again by deleting from it.
    const std::string gone = m_dir.File("GONE.INI");
    EXPECT_EQ(Outcome::NothingThere,
              Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteIniKey, gone, "a", "b")).m_outcome);
    EXPECT_FALSE(Exists(gone));
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteIniFile, ini)).m_outcome);
    EXPECT_FALSE(Exists(ini));
}

class ControlTest : public RemoverTest {
protected:
    // The test control, copied into the test's directory under a name.
    std::string Control(const std::string& name)
    {
        char self[MAX_PATH];
        const DWORD n = ::GetModuleFileNameA(nullptr, self, sizeof self);
        std::string source(self, n);
        source = source.substr(0, source.find_last_of('\\')) + "\\testcontrol.ocx";
        const std::string path = m_dir.File(name);
        EXPECT_TRUE(::CopyFileA(source.c_str(), path.c_str(), FALSE)) << source;
        return path;
    }
    static void Register(const std::string& path)
    {
        CModule control(::LoadLibraryA(path.c_str()));
        ASSERT_TRUE(control) << path;
        using Entry = HRESULT(STDAPICALLTYPE*)();
        auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(control.Get(), "DllRegisterServer")));
        ASSERT_TRUE(entry);
        ASSERT_EQ(S_OK, entry());
    }
    static bool Registered(const std::string& name)
    {
        HKEY key;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\SetupTests\\Controls", 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        const bool found = ::RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        ::RegCloseKey(key);
        return found;
    }
};

TEST_F(ControlTest, ControlsUnregisterThroughTheirOwnEntryPoint)
{
    const std::string grid = Control("グリッド.ocx");
    Register(grid);
    ASSERT_TRUE(Registered("グリッド.ocx"));
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::MoveFileEx, Step(StepKind::UnregisterControl, grid)).m_outcome);
    EXPECT_FALSE(Registered("グリッド.ocx"));
    // The step unloads the control again: its file can go next.
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteFile, grid)).m_outcome);

    const std::string failing = Control("failing.ocx");
    Register(failing);
    const CStepResult failed = Run(RestartMethod::MoveFileEx, Step(StepKind::UnregisterControl, failing));
    EXPECT_EQ(Failure::UnregisterFailed, failed.m_failure);
    EXPECT_EQ(static_cast<unsigned long>(SELFREG_E_CLASS), failed.m_nError);
    EXPECT_TRUE(Registered("failing.ocx"));

    const std::string notAControl = m_dir.File("version.ocx");
    ::CopyFileA((GetSystemDir() + "\\version.dll").c_str(), notAControl.c_str(), FALSE);
    EXPECT_EQ(Failure::NotAControl,
              Run(RestartMethod::MoveFileEx, Step(StepKind::UnregisterControl, notAControl)).m_failure);
    const std::string text = MakeFile("text.ocx", "not a module");
    const CStepResult notLoaded = Run(RestartMethod::MoveFileEx, Step(StepKind::UnregisterControl, text));
    EXPECT_EQ(Failure::SystemError, notLoaded.m_failure);
    EXPECT_NE(0u, notLoaded.m_nError);
    EXPECT_EQ(Outcome::NothingThere,
              Run(RestartMethod::MoveFileEx, Step(StepKind::UnregisterControl, m_dir.File("gone.ocx"))).m_outcome);

    // A shared control whose file stays keeps its registration.
    const std::string shared = Control("shared.ocx");
    Register(shared);
    CRemovalStep keep = Step(StepKind::UnregisterControl, shared);
    keep.m_bKeep = true;
    EXPECT_EQ(Outcome::Kept, Run(RestartMethod::MoveFileEx, keep).m_outcome);
    EXPECT_TRUE(Registered("shared.ocx"));
}

TEST_F(RemoverTest, ProgramManagerIsAskedOnceAndEachGroupByItsCommand)
{
    std::vector<std::string> commands;
    int made = 0;
    CRestartDeletions restart(RestartMethod::MoveFileEx, m_wininit);
    CRemover remover(m_log, restart, [&]() {
        ++made;
        return std::make_unique<CRecordingProgramManager>(commands, true);
    });
    EXPECT_EQ(Outcome::Done, remover.Run(Step(StepKind::DeleteProgramGroup, "アプリ")).m_outcome);
    EXPECT_EQ(Outcome::Done, remover.Run(Step(StepKind::DeleteProgramGroup, "Tools, 2 (x)")).m_outcome);
    EXPECT_EQ(1, made);
    EXPECT_EQ((std::vector<std::string>{"[DeleteGroup(\"アプリ\")]", "[DeleteGroup(\"Tools, 2 (x)\")]"}), commands);

    CRemover refusing(m_log, restart, [&]() { return std::make_unique<CRecordingProgramManager>(commands, false); });
    EXPECT_EQ(Failure::CommandRefused, refusing.Run(Step(StepKind::DeleteProgramGroup, "G")).m_failure);
    CRemover absent(m_log, restart, []() { return std::unique_ptr<IProgramManager>(); });
    EXPECT_EQ(Failure::NoProgramManager, absent.Run(Step(StepKind::DeleteProgramGroup, "G")).m_failure);
}

class RegistrationTest : public RemoverTest {
protected:
    void TearDown() override
    {
        for (const std::string& key : m_keys)
            testutil::DeleteRegTree(HKEY_LOCAL_MACHINE, key);
        RemoverTest::TearDown();
    }
    // A product's key below the uninstall key, with its two values.
    std::string Registration(const std::string& uninstallString, bool withSubkey = false)
    {
        const std::string path = UninstallKeyPath(testutil::UniqueName() + "-製品");
        m_keys.push_back(path);
        HKEY key;
        EXPECT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ::RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>("製品"), 5);
        ::RegSetValueExA(key, "UninstallString", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(uninstallString.c_str()),
                         static_cast<DWORD>(uninstallString.size() + 1));
        ::RegCloseKey(key);
        if (withSubkey) {
            EXPECT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, (path + "\\Other").c_str(), 0,
                                                       nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
            ::RegCloseKey(key);
        }
        return path;
    }
    static bool KeyExists(const std::string& path)
    {
        HKEY key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    static bool HasValue(const std::string& path, const char* name)
    {
        HKEY key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        const bool found = ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        ::RegCloseKey(key);
        return found;
    }
    std::string Command(const std::string& log) const { return GetSystemDir() + "\\VMUNST10.EXE " + log; }

    std::vector<std::string> m_keys;
};

TEST_F(RegistrationTest, ARegistrationGoesOnlyWhenItNamesThisLog)
{
    WriteBytes(m_log, "log");
    const std::string ours = Registration(Command(m_log));
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteRegistration, ours)).m_outcome);
    EXPECT_FALSE(KeyExists(ours));
    EXPECT_EQ(Outcome::NothingThere,
              Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteRegistration, ours)).m_outcome);

    // The same product installed again elsewhere has taken the key over.
    const std::string theirs = Registration(Command("D:\\Other Place\\UNINSTAL.INF"));
    EXPECT_EQ(Outcome::NotThisProduct,
              Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteRegistration, theirs)).m_outcome);
    EXPECT_TRUE(HasValue(theirs, "UninstallString"));

    // The log under its short name is the same log.
    const std::string shortly = Registration(Command(m_log));
    CRestartDeletions restart(RestartMethod::MoveFileEx, m_wininit);
    CRemover remover(ShortName(m_log), restart, nullptr);
    ASSERT_NE(ShortName(m_log), m_log);
    EXPECT_EQ(Outcome::Done, remover.Run(Step(StepKind::DeleteRegistration, shortly)).m_outcome);
    EXPECT_FALSE(KeyExists(shortly));
}

TEST_F(RegistrationTest, AKeyWithOtherKeysInItLosesOnlyTheTwoValues)
{
    const std::string nested = Registration(Command(m_log), true);
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::MoveFileEx, Step(StepKind::DeleteRegistration, nested)).m_outcome);
    EXPECT_TRUE(KeyExists(nested + "\\Other"));
    EXPECT_FALSE(HasValue(nested, "DisplayName"));
    EXPECT_FALSE(HasValue(nested, "UninstallString"));
    // So does the key a values-only step names (the uninstall key itself in the program).
    const std::string keyItself = Registration(Command(m_log));
    CRemovalStep values = Step(StepKind::DeleteRegistration, keyItself);
    values.m_bValuesOnly = true;
    EXPECT_EQ(Outcome::Done, Run(RestartMethod::MoveFileEx, values).m_outcome);
    EXPECT_TRUE(KeyExists(keyItself));
    EXPECT_FALSE(HasValue(keyItself, "UninstallString"));
    EXPECT_EQ(Outcome::NothingThere, Run(RestartMethod::MoveFileEx, values).m_outcome);
}

TEST_F(RegistrationTest, TheProductsToChooseFromAreThoseRegisteredWithThisUninstaller)
{
    // Registered the way setup registers it.
    SetInstDir(m_dir.Path());
    const std::string keyName = testutil::UniqueName() + "-アプリ";
    m_keys.push_back(UninstallKeyPath(keyName));
    CUninstallLogWriter writer;
    writer.Register(m_log, {"アプリ 2.0", keyName});
    SetInstDir("");
    const std::string other = Registration("C:\\OTHER\\UNINST.EXE -f C:\\OTHER\\LOG");
    const std::string unnamed = Registration(Command("C:\\NONAME\\UNINSTAL.INF"));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, unnamed.c_str(), 0, KEY_SET_VALUE, &key));
    ::RegDeleteValueA(key, "DisplayName");
    ::RegCloseKey(key);

    std::vector<std::string> found;
    for (const CInstalledProduct& product : FindInstalledProducts())
        found.push_back(product.m_strKeyName + "|" + product.m_strDisplayName + "|" + product.m_strLogPath);
    const std::string unnamedKey = unnamed.substr(unnamed.find_last_of('\\') + 1);
    EXPECT_NE(found.end(), std::find(found.begin(), found.end(), keyName + "|アプリ 2.0|" + m_log));
    EXPECT_NE(found.end(), std::find(found.begin(), found.end(),
                                     unnamedKey + "|" + unnamedKey + "|C:\\NONAME\\UNINSTAL.INF"));
    for (const std::string& line : found)
        EXPECT_EQ(std::string::npos, line.find("OTHER")) << line;
}

TEST_F(RemoverTest, TheSystemsFactsForThePlan)
{
    CSystemFacts facts;
    EXPECT_EQ(GetWindowsDir(), facts.WindowsDirectory());
    EXPECT_EQ(GetSystemDir(), facts.SystemDirectory());
    const std::vector<std::string> programs = facts.ProgramsFolders();
    EXPECT_NE(programs.end(), std::find(programs.begin(), programs.end(), GetProgramsDir()));
    EXPECT_NE(programs.end(), std::find(programs.begin(), programs.end(), NtProfilePrograms()));
    const std::vector<std::string> shell = facts.ShellFolders();
    EXPECT_NE(shell.end(), std::find(shell.begin(), shell.end(), GetDesktopDir()));
    // Wine's default version is a Windows NT after 4.0.
    EXPECT_FALSE(facts.HasProgramManager());
    EXPECT_EQ(RestartMethod::MoveFileEx, RestartMethodOfThisSystem());

    // Names as the file holds them, and the keys of the first matching section.
    const std::string ini = MakeFile("FACTS.INI", "[App]\r\nLoad=1\r\nmy key = 2\r\n[app]\r\nx=1\r\n[製品]\r\n");
    EXPECT_EQ((std::vector<std::string>{"App", "app", "製品"}), facts.IniSectionNames(ini));
    EXPECT_EQ((std::vector<std::string>{"Load", "my key"}), facts.IniKeyNames(ini, "APP"));
    EXPECT_TRUE(facts.IniKeyNames(m_dir.File("NONE.INI"), "App").empty());
    EXPECT_FALSE(Exists(m_dir.File("NONE.INI")));
}

}  // namespace

// Path variables expanded with the real values of the test's Wine prefix.
// Expected values come from the platform's own functions, never from
// knowledge of where Wine keeps its folders.
#include "paths/pathvars.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

std::string PlatformWindowsDir()
{
    char buf[MAX_PATH];
    const UINT n = ::GetWindowsDirectoryA(buf, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buf) : std::string();
}

std::string PlatformSystemDir()
{
    char buf[MAX_PATH];
    const UINT n = ::GetSystemDirectoryA(buf, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buf) : std::string();
}

// The shell's answer for a folder number, "" when it has no path.
std::string ShellFolder(int csidl)
{
    LPITEMIDLIST idl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &idl)))
        return std::string();
    char buf[MAX_PATH] = {};
    const BOOL ok = ::SHGetPathFromIDListA(idl, buf);
    ::CoTaskMemFree(idl);
    return ok ? std::string(buf) : std::string();
}

std::string Expanded(std::string s)
{
    ExpandPathVariables(s);
    return s;
}

// The held values are process-wide: each test sets those it relies on.
class PathVarsTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetInstDir("");
        SetSrcDir("");
        SetTmpDir("");
        SetUserName("");
    }
    void TearDown() override { SetUp(); }
};

} // namespace

TEST_F(PathVarsTest, PlatformTokensExpandToThePlatformsValues)
{
    const std::string windows = PlatformWindowsDir();
    const std::string system = PlatformSystemDir();
    const std::string desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY);
    const std::string startMenu = ShellFolder(CSIDL_STARTMENU);
    const std::string startUp = ShellFolder(CSIDL_STARTUP);
    const std::string sendTo = ShellFolder(CSIDL_SENDTO);
    for (const std::string* v : {&windows, &system, &desktop, &startMenu, &startUp, &sendTo})
        ASSERT_FALSE(v->empty());
    // The drive part of the Windows directory ("C:\") with "Program Files".
    const std::string programFiles = windows.substr(0, windows.find('\\') + 1) + "Program Files";

    struct Row {
        const char* text;
        std::string expected;
    };
    const Row rows[] = {
        {"$WinDir$",                  windows},
        {"$WINDIR$\\",                windows + "\\"},
        {"$windir$\\SetupTmp",        windows + "\\SetupTmp"},
        {"$SysDir$",                  system},
        {"$SYSDIR$\\VMUNST10.EXE",    system + "\\VMUNST10.EXE"},
        {"$SysDir$X",                 system + "X"},
        {"$ProgramFiles$",            programFiles},
        {"$ProgramFiles$\\Tool",      programFiles + "\\Tool"},
        {"$Desktop$\\x.lnk",          desktop + "\\x.lnk"},
        {"$StartMenu$",               startMenu},
        {"$StartUp$",                 startUp},
        {"$SENDTO$\\表",              sendTo + "\\表"},
        {"$WinDir$;$SysDir$;$WinDir$", windows + ";" + system + ";" + windows},
        {"$Foo$\\X",                  "$Foo$\\X"},
        {"100$",                      "100$"},
        {"",                          ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.expected, Expanded(row.text));
    }
}

TEST_F(PathVarsTest, GettersAnswerAsThePlatformDoes)
{
    EXPECT_EQ(PlatformWindowsDir(), GetWindowsDir());
    EXPECT_EQ(PlatformSystemDir(), GetSystemDir());

    struct Row {
        const char* name;
        std::string (*getter)();
        int csidl;
    };
    const Row rows[] = {
        {"desktop",    GetDesktopDir,   CSIDL_DESKTOPDIRECTORY},
        {"start menu", GetStartMenuDir, CSIDL_STARTMENU},
        {"startup",    GetStartUpDir,   CSIDL_STARTUP},
        {"send to",    GetSendToDir,    CSIDL_SENDTO},
        {"programs",   GetProgramsDir,  CSIDL_PROGRAMS},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string expected = ShellFolder(row.csidl);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(expected, row.getter());
        EXPECT_EQ(expected, GetSpecialFolderPath(row.csidl));
    }
}

// A folder that is no directory ("My Computer") and a number the shell does
// not know both give "".
TEST_F(PathVarsTest, SpecialFolderWithoutAPathIsEmpty)
{
    EXPECT_EQ("", GetSpecialFolderPath(CSIDL_DRIVES));
    EXPECT_EQ("", GetSpecialFolderPath(0xFF));
}

// The copy and update workers expand paths on their own threads, where no
// window is active and the component library may not be initialised.
TEST_F(PathVarsTest, SpecialFoldersOnAWorkerThread)
{
    std::string desktop, programs;
    std::thread worker([&] {
        desktop = GetDesktopDir();
        programs = GetProgramsDir();
    });
    worker.join();
    EXPECT_EQ(ShellFolder(CSIDL_DESKTOPDIRECTORY), desktop);
    EXPECT_EQ(ShellFolder(CSIDL_PROGRAMS), programs);
}

TEST_F(PathVarsTest, ModulePathIsTheRunningProgram)
{
    std::string expected(32768, '\0');
    expected.resize(::GetModuleFileNameA(nullptr, &expected[0], static_cast<DWORD>(expected.size())));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected, GetModulePath());
}

TEST_F(PathVarsTest, HeldValuesAreStoredAsGivenAndExpandedWhenUsed)
{
    SetInstDir("C:\\APP");
    SetSrcDir("E:\\DISK1\\");
    SetTmpDir("C:\\WINDOWS\\SetupTmp");
    SetUserName("山田表");
    EXPECT_EQ("C:\\APP\\UNINSTAL.INF", Expanded("$INSTDIR$\\UNINSTAL.INF"));
    EXPECT_EQ("C:\\APP\\a", Expanded("$instdir$\\a"));
    EXPECT_EQ("C:\\APP;C:\\APP\\BIN", Expanded("$InstDir$;$InstDir$\\BIN"));
    EXPECT_EQ("E:\\DISK1\\\\DISK2", Expanded("$SRCDIR$\\DISK2"));   // no backslash removed
    EXPECT_EQ("C:\\WINDOWS\\SetupTmp\\x", Expanded("$TmpDir$\\x"));
    EXPECT_EQ("C:\\APP\\山田表.INI", Expanded("$InstDir$\\$UserName$.INI"));

    // A value holding a token is stored as it stands and expanded in turn.
    SetInstDir("$WinDir$\\APP\\");
    CProcessPathVars values;
    EXPECT_EQ("$WinDir$\\APP\\", values.Value(PathVar::InstDir));
    EXPECT_EQ(PlatformWindowsDir() + "\\APP\\\\A", Expanded("$InstDir$\\A"));

    // Expansion sees the value current at the time of use.
    SetInstDir("D:\\NEW");
    EXPECT_EQ("D:\\NEW\\A", Expanded("$InstDir$\\A"));
}

TEST_F(PathVarsTest, EmptyValueRemovesItsToken)
{
    EXPECT_EQ(PlatformSystemDir() + "\\.INI", Expanded("$SysDir$\\$UserName$.INI"));
    EXPECT_EQ("\\A", Expanded("$InstDir$\\A"));
}

// A user name typed as "$UserName$" (or values naming each other) must not
// keep the expansion going for ever: the token it brings in stays as text.
TEST_F(PathVarsTest, ValuesNamingThemselvesEndTheExpansion)
{
    SetUserName("$UserName$");
    EXPECT_EQ("C:\\$UserName$.INI", Expanded("C:\\$UserName$.INI"));
    SetUserName("$USERNAME$$username$");
    EXPECT_EQ("$USERNAME$$username$", Expanded("$UserName$"));

    SetInstDir("$SrcDir$\\I");
    SetSrcDir("$InstDir$\\S");
    const std::string s = Expanded("$InstDir$");
    EXPECT_EQ("$InstDir$\\S\\I", s);
}

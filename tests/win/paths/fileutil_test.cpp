// File-system helpers against the real file system of the test's Wine prefix.
// Every test works in a directory of its own, C:\<suite>_<test>; fixtures are
// built and inspected with the wide-character functions (test_files.h).
#include "paths/fileutil.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/win/paths/test_files.h"

using namespace testfiles;
using Entries = std::vector<std::string>;

namespace {

// Shift-JIS characters whose second byte is 0x5C, the backslash.
const std::string kSo = "ソ";     // 0x83 0x5C
const std::string kHyo = "表";    // 0x95 0x5C
const std::string kNo = "能";     // 0x94 0x5C

// Ten double-byte characters: a component of 20 bytes but 10 characters.
const std::string kWideComponent = kHyo + kSo + kNo + kHyo + kSo + kNo + kHyo + kSo + kNo + kHyo;
const std::string kAsciiComponent(40, 'd');

class FileSystemTest : public testing::Test {
protected:
    void SetUp() override { m_dir = FreshTestDir(); }
    std::string At(const std::string& rel) const { return m_dir + "\\" + rel; }
    std::string m_dir;
};

// Runs a test body with the current directory set to dir.
class CCurrentDirectory {
public:
    explicit CCurrentDirectory(const std::string& dir)
    {
        char old[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, old);
        m_old = old;
        ::SetCurrentDirectoryA(dir.c_str());
    }
    ~CCurrentDirectory() { ::SetCurrentDirectoryA(m_old.c_str()); }

private:
    std::string m_old;
};

} // namespace

// ---------------------------------------------------------------------------
// IsDirectory and FileExists

TEST_F(FileSystemTest, IsDirectoryAndFileExistsTellFilesFromDirectories)
{
    const std::string file127 = PathOfLength(m_dir, 127, ".txt");
    const std::string file128 = PathOfLength(m_dir, 128, ".txt");
    const std::string file259 = PathOfLength(m_dir, 259, ".txt");
    const std::string dir200 = PathOfLength(m_dir, 200, ".dir");
    // More than 259 bytes, fewer than 260 characters: the platform takes it.
    const std::string wideDir = DeepPath(m_dir, 320, kWideComponent);
    // More than 259 characters: the ANSI file functions refuse it.
    const std::string longDir = DeepPath(m_dir, 320, kAsciiComponent);
    ASSERT_EQ(127u, file127.size());
    ASSERT_EQ(128u, file128.size());
    ASSERT_EQ(259u, file259.size());
    ASSERT_GT(wideDir.size(), 300u);

    MakeTree(m_dir, {"file.txt", "sub\\", kHyo + "\\", kHyo + "\\" + kSo + ".txt"});
    MakeFile(file127);
    MakeFile(file128);
    MakeFile(file259);
    MakeDir(dir200);
    MakeDirs(wideDir);
    MakeFile(wideDir + "\\f.txt");
    MakeDirs(longDir);
    MakeFile(longDir + "\\f.txt");

    struct Row {
        std::string path;
        bool isDirectory;
        bool fileExists;
    };
    const Row rows[] = {
        // path                               IsDirectory FileExists
        {At("file.txt"),                      false,      true},
        {At("sub"),                           true,       false},
        {At("sub\\"),                         true,       false},
        {At("missing.txt"),                   false,      false},
        {At("missing\\file.txt"),             false,      false},
        {At(kHyo),                            true,       false},
        {At(kHyo + "\\" + kSo + ".txt"),      false,      true},
        // OpenFile(OF_EXIST) fails from 128 characters on; these must not.
        {file127,                             false,      true},
        {file128,                             false,      true},
        {file259,                             false,      true},
        {dir200,                              true,       false},
        {wideDir,                             true,       false},
        {wideDir + "\\f.txt",                 false,      true},
        // Beyond what the ANSI file functions take: absent, without harm.
        {longDir,                             false,      false},
        {longDir + "\\f.txt",                 false,      false},
        {longDir + "\\missing.txt",           false,      false},
        {"",                                  false,      false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("path (" + std::to_string(row.path.size()) + " bytes): " + row.path);
        EXPECT_EQ(row.isDirectory, IsDirectory(row.path));
        EXPECT_EQ(row.fileExists, FileExists(row.path));
    }
}

// A name without drive or directory is looked up along the search path, as
// OpenFile did; a directory found that way is still no file.
TEST_F(FileSystemTest, FileExistsSearchesThePathForABareName)
{
    MakeTree(m_dir, {"here.txt", "sub\\", "sub\\below.txt"});
    // The program's own directory comes first along the search path.
    std::string programDir(MAX_PATH, '\0');
    programDir.resize(::GetModuleFileNameA(nullptr, &programDir[0], MAX_PATH));
    programDir.resize(programDir.rfind('\\'));
    MakeFile(programDir + "\\beside.txt");
    MakeFile(programDir + "\\表beside.txt");
    CCurrentDirectory cwd(m_dir);

    struct Row {
        const char* path;
        bool fileExists;
    };
    const Row rows[] = {
        {"notepad.exe",          true},    // in the system directory
        {"here.txt",             true},    // in the current directory
        {"beside.txt",           true},    // beside the program
        {"表beside.txt",         true},    // 0x5C as a second byte: still a bare name
        {"below.txt",            false},   // only in a subdirectory
        {"sub\\below.txt",       true},    // relative path: no search
        {".\\beside.txt",        false},   // relative path: no search
        {"system32",             false},   // a directory along the path
        {"nosuchfile.xyz",       false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(row.fileExists, FileExists(row.path));
    }
}

// OpenFile could not open a file that another program held without sharing,
// and called it missing; the file is there all the same.
TEST_F(FileSystemTest, FileExistsFindsAFileHeldOpenWithoutSharing)
{
    const std::string path = At("locked.dat");
    MakeFile(path);
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_TRUE(FileExists(path));
    ::CloseHandle(h);
}

// ---------------------------------------------------------------------------
// CreateDirectoryTree

TEST_F(FileSystemTest, CreateDirectoryTreeCreatesEveryMissingLevel)
{
    struct Row {
        const char* name;
        Entries before;       // entries made first
        std::string path;     // relative to the test directory
        bool result;
        Entries after;        // everything below the test directory afterwards
    };
    const Row rows[] = {
        {"three levels", {}, "A\\B\\C", true, {"A\\", "A\\B\\", "A\\B\\C\\"}},
        {"trailing backslash", {}, "A\\B\\", true, {"A\\", "A\\B\\"}},
        {"existing levels are kept", {"A\\", "A\\B\\", "A\\B\\f.txt"}, "A\\B\\C", true,
         {"A\\", "A\\B\\", "A\\B\\C\\", "A\\B\\f.txt"}},
        {"all there already", {"A\\", "A\\B\\"}, "A\\B", true, {"A\\", "A\\B\\"}},
        {"a file in the way", {"A"}, "A\\B", false, {"A"}},
        {"a file at the end", {"A\\", "A\\B"}, "A\\B", false, {"A\\", "A\\B"}},
        {"second bytes 0x5C", {}, kSo + "\\" + kHyo + "\\" + kNo,
         true, {kSo + "\\", kSo + "\\" + kHyo + "\\", kSo + "\\" + kHyo + "\\" + kNo + "\\"}},
        {"double-byte name then backslash", {}, kHyo + kHyo + "\\x\\",
         true, {kHyo + kHyo + "\\", kHyo + kHyo + "\\x\\"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string root = At(std::string("case") + std::to_string(&row - rows));
        MakeDir(root);
        MakeTree(root, row.before);
        EXPECT_EQ(row.result, CreateDirectoryTree(root + "\\" + row.path));
        EXPECT_EQ(row.after, ListTree(root));
    }
}

// "C:\ソフト\表\A": byte 4 is the second byte of "ソ", where the scan begins.
// Starting there must not take it for a separator. "C:\ソソ\能\A" has the
// same at byte 6, where a byte-wise scan would create a stray "C:\ソ".
TEST_F(FileSystemTest, CreateDirectoryTreeStartsOnACharacterBoundaryAtTheRoot)
{
    struct Row {
        std::string top;      // directly below C:\ (made fresh)
        std::string below;    // relative to top
        std::vector<std::string> tree;
    };
    const Row rows[] = {
        {"ソフト", "表\\A", {"表\\", "表\\A\\"}},
        {"ソソ", "能\\A", {"能\\", "能\\A\\"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.top);
        const std::string top = "C:\\" + row.top;
        ASSERT_EQ('\\', top[4]);
        const Entries rootBefore = ListDir("C:");

        EXPECT_TRUE(CreateDirectoryTree(top + "\\" + row.below));

        Entries newAtRoot;
        for (const std::string& e : ListDir("C:")) {
            if (std::find(rootBefore.begin(), rootBefore.end(), e) == rootBefore.end())
                newAtRoot.push_back(e);
        }
        EXPECT_EQ(Entries{row.top + "\\"}, newAtRoot);
        EXPECT_EQ(row.tree, ListTree(top));
    }
}

// Paths of four bytes or fewer have no prefix to walk: the whole path is
// the directory, TRUE when it is there, otherwise created.
TEST_F(FileSystemTest, CreateDirectoryTreeTakesAShortPathWhole)
{
    CCurrentDirectory cwd(m_dir);
    EXPECT_TRUE(CreateDirectoryTree("C:\\"));
    EXPECT_TRUE(CreateDirectoryTree("C:"));
    EXPECT_TRUE(CreateDirectoryTree("ab"));
    EXPECT_TRUE(CreateDirectoryTree("abcd"));
    EXPECT_FALSE(CreateDirectoryTree(""));
    EXPECT_EQ((Entries{"ab\\", "abcd\\"}), ListTree(m_dir));
}

TEST_F(FileSystemTest, CreateDirectoryTreeIsNotLimitedTo260Bytes)
{
    // 300+ bytes but fewer than 260 characters: created whole, nothing cut.
    const std::string wide = DeepPath(m_dir, 320, kWideComponent);
    ASSERT_GT(wide.size(), 300u);
    EXPECT_TRUE(CreateDirectoryTree(wide));
    EXPECT_TRUE(IsDir(wide));

    // More characters than the platform takes: FALSE, no overrun, and the
    // full path does not appear.
    const std::string ascii = DeepPath(At("long"), 320, kAsciiComponent);
    EXPECT_FALSE(CreateDirectoryTree(ascii));
    EXPECT_FALSE(Exists(ascii));
    const std::string longer = DeepPath(At("longer"), 2000, kAsciiComponent);
    EXPECT_FALSE(CreateDirectoryTree(longer));
    EXPECT_FALSE(Exists(longer));
}

TEST_F(FileSystemTest, CreateDirectoryTreePassesTheSecurityAttributes)
{
    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, FALSE };
    EXPECT_TRUE(CreateDirectoryTree(At("S\\T"), &sa));
    EXPECT_EQ((Entries{"S\\", "S\\T\\"}), ListTree(m_dir));
}

// ---------------------------------------------------------------------------
// DeleteDirectoryTree

const Entries kSampleTree = {
    "a.txt", "sub\\", "sub\\b.txt", "sub\\deeper\\", "sub\\deeper\\c.txt", "empty\\",
};

TEST_F(FileSystemTest, DeleteDirectoryTreeRemovesEverythingBelow)
{
    struct Row {
        const char* name;
        std::string dir;       // relative to the test directory
        Entries tree;          // made below dir
        std::string argument;  // dir as passed
    };
    const Row rows[] = {
        {"without trailing backslash", "T", kSampleTree, "T"},
        {"with trailing backslash", "T", kSampleTree, "T\\"},
        {"empty directory", "T", {}, "T"},
        // "表" ends in the byte 0x5C: it is no trailing backslash.
        {"name ending in 0x5C", kHyo, {kSo + ".txt", kNo + "\\", kNo + "\\" + kHyo + "\\"}, kHyo},
        {"name ending in 0x5C, trailing backslash", kHyo, {kSo + ".txt"}, kHyo + "\\"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string root = At(std::string("case") + std::to_string(&row - rows));
        MakeDir(root);
        // Siblings that a pattern like "表*.*" in the parent would catch.
        MakeTree(root, {row.dir + "\\", row.dir + "X.txt", row.dir + "Y\\", row.dir + "Y\\y.txt"});
        MakeTree(root + "\\" + row.dir, row.tree);

        EXPECT_TRUE(DeleteDirectoryTree(root + "\\" + row.argument));
        EXPECT_EQ((Entries{row.dir + "X.txt", row.dir + "Y\\", row.dir + "Y\\y.txt"}), ListTree(root));
    }
}

// Names beginning with "." are passed over and stay, and read-only files are
// not forced; the directories holding them stay, and the result is FALSE.
TEST_F(FileSystemTest, DeleteDirectoryTreeLeavesDotNamesAndReadOnlyFiles)
{
    struct Row {
        const char* name;
        Entries tree;
        const char* readOnly;   // made read-only, or null
        Entries left;
    };
    const Row rows[] = {
        {".keep in the top", {"a.txt", ".keep", "sub\\", "sub\\b.txt"}, nullptr, {".keep"}},
        {"dot directory below", {"a.txt", "sub\\", "sub\\.cfg\\", "sub\\.cfg\\x", "sub\\b"}, nullptr,
         {"sub\\", "sub\\.cfg\\", "sub\\.cfg\\x"}},
        {"read-only file", {"a.txt", "sub\\", "sub\\ro.txt", "sub\\b.txt", "other\\"}, "sub\\ro.txt",
         {"sub\\", "sub\\ro.txt"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string root = At(std::string("case") + std::to_string(&row - rows));
        MakeDir(root);
        MakeTree(root, row.tree);
        if (row.readOnly) {
            ASSERT_TRUE(::SetFileAttributesA((root + "\\" + row.readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
        }

        EXPECT_FALSE(DeleteDirectoryTree(root));
        EXPECT_TRUE(IsDir(root));
        EXPECT_EQ(row.left, ListTree(root));
    }
}

TEST_F(FileSystemTest, DeleteDirectoryTreeRemovesADeepTree)
{
    std::string dir = At("deep");
    MakeDir(dir);
    for (int level = 0; level < 40; ++level) {
        MakeFile(dir + "\\f" + std::to_string(level) + ".txt");
        dir += "\\d";
        MakeDir(dir);
    }
    EXPECT_TRUE(DeleteDirectoryTree(At("deep")));
    EXPECT_EQ(Entries{}, ListTree(m_dir));
}

TEST_F(FileSystemTest, DeleteDirectoryTreeIsNotLimitedTo260Bytes)
{
    // 300+ bytes, fewer than 260 characters: the platform takes it, so do we.
    const std::string wide = DeepPath(At("wide"), 320, kWideComponent);
    ASSERT_GT(wide.size(), 300u);
    MakeDirs(wide);
    MakeFile(wide + "\\" + kHyo + ".txt");
    EXPECT_TRUE(DeleteDirectoryTree(At("wide")));
    EXPECT_FALSE(Exists(At("wide")));
}

TEST_F(FileSystemTest, DeleteDirectoryTreeKeepsWhatThePlatformCannotReach)
{
    // A top directory beyond the ANSI functions' reach: nothing happens.
    const std::string longTop = DeepPath(At("long"), 320, kAsciiComponent);
    MakeDirs(longTop);
    MakeFile(longTop + "\\f.txt");
    EXPECT_FALSE(DeleteDirectoryTree(longTop));
    EXPECT_FALSE(DeleteDirectoryTree(longTop + "\\"));
    EXPECT_TRUE(Exists(longTop + "\\f.txt"));

    // A short top directory with a branch that grows beyond the reach: what
    // can be reached goes, the rest and the directories above it stay.
    const std::string top = At("mixed");
    MakeDirs(top + "\\near");
    MakeFile(top + "\\near\\n.txt");
    MakeFile(top + "\\t.txt");
    const std::string beyond = DeepPath(top + "\\far", 320, kAsciiComponent);
    MakeDirs(beyond);
    MakeFile(beyond + "\\f.txt");
    EXPECT_FALSE(DeleteDirectoryTree(top));
    EXPECT_TRUE(Exists(beyond + "\\f.txt"));
    EXPECT_FALSE(Exists(top + "\\near"));
    EXPECT_FALSE(Exists(top + "\\t.txt"));
}

TEST_F(FileSystemTest, DeleteDirectoryTreeOfAMissingDirectoryIsFalse)
{
    EXPECT_FALSE(DeleteDirectoryTree(At("missing")));
    EXPECT_FALSE(DeleteDirectoryTree(At("missing\\")));
}

// "" would enumerate the root of the current drive and "C:\" the root of C:;
// neither can be removed, so both are refused before anything is deleted.
TEST_F(FileSystemTest, DeleteDirectoryTreeRefusesAnEmptyPathAndADriveRoot)
{
    const std::string sentinel = "C:\\" + std::string(testing::UnitTest::GetInstance()
                                                          ->current_test_info()->name()) + ".txt";
    MakeFile(sentinel);
    MakeFile(At("inside.txt"));
    CCurrentDirectory cwd(m_dir);
    for (const char* path : {"", "\\", "C:", "C:\\"}) {
        SCOPED_TRACE(std::string("path \"") + path + "\"");
        EXPECT_FALSE(DeleteDirectoryTree(path));
        EXPECT_TRUE(Exists(sentinel));
        EXPECT_TRUE(Exists(At("inside.txt")));
    }
}

// ---------------------------------------------------------------------------
// Login user and profile directory

TEST(UserTest, LoginUserNameIsThePlatformsAnswer)
{
    char name[256 + 1];
    DWORD size = sizeof(name);
    ASSERT_TRUE(::GetUserNameA(name, &size));
    EXPECT_EQ(std::string(name), GetLoginUserName());
    EXPECT_EQ("tester", GetLoginUserName());   // USER in the test harness
}

TEST(UserTest, UserProfileDirIsComposedFromWindowsDirAndLoginName)
{
    char windows[MAX_PATH];
    ASSERT_NE(0u, ::GetWindowsDirectoryA(windows, MAX_PATH));
    EXPECT_EQ(std::string(windows) + "\\Profiles\\tester", GetUserProfileDir());
}

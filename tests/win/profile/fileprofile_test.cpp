// The read-only file store on real files under Wine: loading through the
// mapped file, lookups, the missing-file question and renaming.
#include <windows.h>
#include <gtest/gtest.h>
#include "profile/fileprofile.h"
#include "question.h"
#include "testutil.h"

using testutil::CTempDir;

namespace {

// A setup script with Shift-JIS texts, mixed line endings and the cases the
// lookups must tell apart: duplicate sections and keys, keys differing in
// case, an empty key, a key without "=", an empty section name.
const char kScript[] =
    "; setup script\r\n"
    "orphan=before any section\r\n"
    "[Config]\r\n"
    "ProductName=テスト製品 1.0\r\n"
    "Version = -12abc\n"
    "Hex=0x10\r"
    "Title=first\r\n"
    "title=lower\r\n"
    "Title=second\r\n"
    "=empty key\r\n"
    "NoValue\r\n"
    "\r\n"
    "[Files]\r\n"
    "1=$InstDir$\\表.exe,1\r\n"
    "[Config]\r\n"
    "Hidden=in the second Config\r\n"
    "[]\r\n"
    "Unnamed=yes";

std::string SectionNames(CProfile& profile)
{
    std::string names;
    const int count = profile.GetSectionCount();
    for (int i = 0; i < count; ++i) {
        std::string name;
        EXPECT_TRUE(profile.GetSectionName(i, name));
        names += "[" + name + "]";
    }
    return names;
}

class ReadonlyFileProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_dir.File("SETUP.INF");
        testutil::WriteBytes(m_path, kScript);
    }

    CTempDir m_dir{"-設定"};
    CScriptedQuestion m_question;
    std::string m_path;
};

}  // namespace

TEST_F(ReadonlyFileProfileTest, LoadsSectionsAndEntriesInFileOrder)
{
    CReadonlyFileProfile profile(m_path);
    EXPECT_EQ(m_path, profile.GetName());
    EXPECT_EQ("[Config][Files][Config][]", SectionNames(profile));

    profile.SetSection("Config");
    ASSERT_EQ(8, profile.GetKeyCount());
    const char* keys[] = {"ProductName", "Version", "Hex", "Title", "title", "Title", "",
                          "NoValue"};
    const char* values[] = {"テスト製品 1.0", "-12abc", "0x10", "first", "lower", "second",
                            "empty key", ""};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        std::string key = "stale";
        EXPECT_TRUE(profile.GetKeyName(i, key));   // TRUE also for the empty key
        EXPECT_EQ(keys[i], key);
        EXPECT_EQ(values[i], profile.GetStringAt(i, "default"));
    }
    profile.SetSection("Files");
    EXPECT_EQ("$InstDir$\\表.exe,1", profile.GetString("1", ""));
    EXPECT_TRUE(m_question.Asked().empty());
}

TEST_F(ReadonlyFileProfileTest, LookupsAreExactAndTheFirstMatchWins)
{
    CReadonlyFileProfile profile(m_path);
    const std::string def = "default";
    struct Case { const char* section; const char* key; int ignoreCase; const char* expected; };
    const Case cases[] = {
        {"Config", "Title", 0, "first"},          // duplicate key: the first
        {"Config", "title", 0, "lower"},
        {"Config", "TITLE", 0, "default"},        // case matters...
        {"Config", "TITLE", 1, "first"},          // ...unless asked to ignore it
        {"Config", "productname", 1, "テスト製品 1.0"},
        {"Config", "Hidden", 0, "default"},       // second "Config" cannot be reached
        {"config", "Title", 0, "default"},        // section names are exact
        {"config", "Title", 1, "default"},
        {"Config", "", 0, "empty key"},
        {"Config", "NoValue", 0, ""},
        {"Config", "orphan", 0, "default"},       // lines before the first header
        {"", "Unnamed", 0, "yes"},                // "[]" is the section ""
        {"Missing", "Title", 0, "default"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "[" << c.section << "] " << c.key << " ignoreCase "
                                        << c.ignoreCase);
        profile.SetSection(c.section);
        EXPECT_EQ(c.section, profile.GetSection());
        EXPECT_EQ(c.expected, profile.GetString(c.key, def, c.ignoreCase));
    }
    profile.SetSection("config");
    EXPECT_EQ(&def, &profile.GetString("Title", def));   // no match: the caller's own object
    EXPECT_EQ(0, profile.GetKeyCount());
}

TEST_F(ReadonlyFileProfileTest, IntegersFollowTheScriptRule)
{
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Config");
    EXPECT_EQ(-12, profile.GetInt("Version", 99));
    EXPECT_EQ(0, profile.GetInt("Hex", 99));
    EXPECT_EQ(0, profile.GetInt("ProductName", 99));
    EXPECT_EQ(99, profile.GetInt("version", 99));   // exact key
    EXPECT_EQ(-12, profile.GetIntAt(1, 99));
    EXPECT_EQ(0, profile.GetIntAt(2, 99));
    EXPECT_EQ(99, profile.GetIntAt(8, 99));          // past the last entry
    EXPECT_EQ(99, profile.GetIntAt(-1, 99));
    profile.SetSection("Files");
    EXPECT_EQ(0, profile.GetIntAt(0, 99));           // the value, not the key "1", counts
    EXPECT_EQ(0, profile.GetInt("1", 99));
}

TEST_F(ReadonlyFileProfileTest, IndexOutsideTheListFindsNothing)
{
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Files");
    std::string name = "untouched";
    EXPECT_FALSE(profile.GetKeyName(1, name));
    EXPECT_FALSE(profile.GetKeyName(-1, name));
    EXPECT_EQ("untouched", name);
    EXPECT_EQ("default", profile.GetStringAt(1, "default"));
    EXPECT_FALSE(profile.GetSectionName(4, name));
    EXPECT_EQ("", name);

    profile.SetSection("Nowhere");               // no current section
    name = "untouched";
    EXPECT_FALSE(profile.GetKeyName(0, name));
    EXPECT_EQ("untouched", name);
}

TEST_F(ReadonlyFileProfileTest, SectionChosenBeforeLoadingIsFoundByTheLoad)
{
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Files");               // selecting does not load
    EXPECT_EQ(1, profile.GetKeyCount());
    profile.SetSection(nullptr);               // null selects ""
    EXPECT_EQ("", profile.GetSection());
    EXPECT_EQ("yes", profile.GetString("Unnamed", ""));
}

TEST_F(ReadonlyFileProfileTest, ValueReferencesStayValidUntilTheStoreUnloads)
{
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Config");
    const std::string& product = profile.GetString("ProductName", "");
    const std::string& second = profile.GetStringAt(5, "");
    profile.SetSection("Files");
    const std::string& file = profile.GetString("1", "");
    profile.GetString("nothing", "x");
    profile.SetSection("Config");
    profile.GetString("TITLE", "", 1);
    EXPECT_EQ("テスト製品 1.0", product);
    EXPECT_EQ("second", second);
    EXPECT_EQ("$InstDir$\\表.exe,1", file);
    EXPECT_EQ(&product, &profile.GetString("ProductName", ""));
}

TEST_F(ReadonlyFileProfileTest, LoadsOnceAndDoesNotHoldTheFileOpen)
{
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Files");
    EXPECT_EQ(1, profile.GetKeyCount());
    EXPECT_TRUE(DeleteFileA(m_path.c_str())) << "the store still holds its file";
    EXPECT_EQ(4, profile.GetSectionCount());   // the loaded sections stay
    EXPECT_TRUE(m_question.Asked().empty());
}

TEST_F(ReadonlyFileProfileTest, WritesAndDeletionsAreRefused)
{
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Config");
    EXPECT_FALSE(profile.WriteString("Title", "new"));
    EXPECT_FALSE(profile.WriteString("", ""));
    EXPECT_FALSE(profile.WriteInt("Count", 3));
    EXPECT_FALSE(profile.DeleteKey("Title"));
    EXPECT_FALSE(profile.DeleteSection());
    EXPECT_EQ("first", profile.GetString("Title", ""));
    EXPECT_EQ(kScript, testutil::ReadBytes(m_path));
}

TEST_F(ReadonlyFileProfileTest, MissingFileAsksAgainAtEveryRead)
{
    const std::string missing = m_dir.File("無い.INF");
    m_question.Answer({IDRETRY, IDIGNORE});
    CReadonlyFileProfile profile(missing);
    profile.SetSection("Config");
    const std::string def = "default";
    EXPECT_EQ(&def, &profile.GetString("Title", def));
    EXPECT_EQ(std::vector<std::string>(2, missing), m_question.Asked());

    // Each further read parses again and asks again (answered Ignore).
    EXPECT_EQ(0, profile.GetKeyCount());
    EXPECT_EQ(0, profile.GetSectionCount());
    EXPECT_EQ(7, profile.GetInt("Count", 7));
    std::string name = "untouched";
    EXPECT_FALSE(profile.GetKeyName(0, name));
    EXPECT_EQ("untouched", name);
    EXPECT_EQ(7, profile.GetIntAt(0, 7));
    EXPECT_EQ(std::vector<std::string>(7, missing), m_question.Asked());
}

TEST_F(ReadonlyFileProfileTest, RetryLoadsAFileThatHasAppeared)
{
    const std::string later = m_dir.File("later.INF");
    m_question.Answer({IDRETRY});
    m_question.OnAsk([&] { testutil::WriteBytes(later, "[Config]\r\nTitle=late\r\n"); });
    CReadonlyFileProfile profile(later);
    profile.SetSection("Config");
    EXPECT_EQ("late", profile.GetString("Title", ""));
    EXPECT_EQ(1u, m_question.Asked().size());
}

TEST_F(ReadonlyFileProfileTest, FileWithoutSectionsIsReadAgainByTheNextRead)
{
    // Empty (cannot be mapped), a single byte, and only comments and orphans.
    const char* contents[] = {"", "[", "; nothing\r\nkey=value\r\n"};
    for (const char* content : contents) {
        SCOPED_TRACE(content);
        const std::string path = m_dir.File("sparse.ini");
        testutil::WriteBytes(path, content);
        CReadonlyFileProfile profile(path);
        EXPECT_EQ(0, profile.GetSectionCount());
        profile.SetSection("S");
        EXPECT_EQ("d", profile.GetString("key", "d"));
        testutil::WriteBytes(path, "[S]\r\nkey=now\r\n");
        EXPECT_EQ("now", profile.GetString("key", "d"));
    }
    EXPECT_TRUE(m_question.Asked().empty());
}

TEST_F(ReadonlyFileProfileTest, SetNameUnloadsAndLoadsTheNewFile)
{
    const std::string other = m_dir.File("OTHER.INI");
    testutil::WriteBytes(other, "[Other]\r\nKey=other value\r\n");
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Files");
    EXPECT_EQ(1, profile.GetKeyCount());

    // The same name: nothing happens, the loaded text stays.
    testutil::WriteBytes(m_path, "[Changed]\r\n");
    EXPECT_TRUE(profile.SetName(m_path));
    EXPECT_EQ("Files", profile.GetSection());
    EXPECT_EQ(1, profile.GetKeyCount());

    EXPECT_TRUE(profile.SetName(other));
    EXPECT_EQ(other, profile.GetName());
    EXPECT_EQ("", profile.GetSection());
    EXPECT_EQ("[Other]", SectionNames(profile));
    profile.SetSection("Other");
    EXPECT_EQ("other value", profile.GetString("Key", ""));

    // A missing file: asked, Ignore; the load itself still reports TRUE.
    const std::string missing = m_dir.File("missing.ini");
    EXPECT_TRUE(profile.SetName(missing));
    EXPECT_EQ(std::vector<std::string>{missing}, m_question.Asked());
}

TEST_F(ReadonlyFileProfileTest, UnloadForgetsNameAndSection)
{
    CReadonlyFileProfile profile(m_path);
    profile.SetSection("Files");
    EXPECT_EQ(1, profile.GetKeyCount());
    profile.Unload();
    EXPECT_EQ("", profile.GetName());
    EXPECT_EQ("", profile.GetSection());
}

TEST_F(ReadonlyFileProfileTest, PlainFileStoreLoadsNothing)
{
    CFileProfile profile(m_path);
    profile.SetSection("Config");
    EXPECT_EQ("default", profile.GetString("Title", "default"));
    EXPECT_EQ(5, profile.GetInt("Version", 5));
    EXPECT_EQ(0, profile.GetKeyCount());
    EXPECT_EQ(0, profile.GetSectionCount());
    std::string name = "untouched";
    EXPECT_FALSE(profile.GetKeyName(0, name));
    EXPECT_EQ("untouched", name);
    EXPECT_FALSE(profile.GetSectionName(0, name));
    EXPECT_EQ("", name);
    EXPECT_FALSE(profile.SetName(m_dir.File("OTHER.INI")));
    EXPECT_TRUE(m_question.Asked().empty());
}

TEST(ProfileDefaultName, IsTheProgramPathWithTheExtensionIni)
{
    char module[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    ASSERT_GT(n, 4u);
    const std::string path(module, n);
    ASSERT_EQ(".exe", path.substr(path.size() - 4));
    const std::string expected = path.substr(0, path.size() - 4) + ".INI";
    EXPECT_EQ(expected, DefaultProfileFileName());
    EXPECT_EQ(expected, CReadonlyFileProfile("").GetName());
}

TEST(ProfileDefaultName, ReplacesEverythingFromTheLastDot)
{
    struct Case { const char* path; const char* expected; };
    const Case cases[] = {
        {"C:\\SETUP\\_SETUP.EXE", "C:\\SETUP\\_SETUP.INI"},
        {"C:\\a.b\\setup.exe", "C:\\a.b\\setup.INI"},
        {"C:\\a\\setup.tar.gz", "C:\\a\\setup.tar.INI"},
        {"C:\\SETUP\\SETUP", "C:\\SETUP\\SETUP.INI"},
        {".exe", ".exe.INI"},             // a "." at the first byte is no extension
        {"", ".INI"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, ReplaceExtensionWithIni(c.path));
    }
}

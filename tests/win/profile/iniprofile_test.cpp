// CIniProfile over Wine's private-profile functions: exact file contents
// after writes, name lists and values longer than the first buffer.
#include <windows.h>
#include <gtest/gtest.h>
#include "profile/iniprofile.h"
#include "testutil.h"

using testutil::CTempDir;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

class IniProfileTest : public testing::Test {
protected:
    void SetUp() override { m_path = m_dir.File("UNINSTAL.INF"); }

    CTempDir m_dir{"-ログ"};
    std::string m_path;
};

std::string KeyNames(CProfile& profile)
{
    std::string names;
    const int count = profile.GetKeyCount();
    for (int i = 0; i < count; ++i) {
        std::string name;
        EXPECT_TRUE(profile.GetKeyName(i, name));
        names += "<" + name + ">";
    }
    return names;
}

}  // namespace

TEST_F(IniProfileTest, WritesReachTheFileAsTheyAreMade)
{
    CIniProfile profile(m_path);
    EXPECT_EQ(m_path, profile.GetName());
    profile.SetSection("DeleteFile");
    EXPECT_TRUE(profile.WriteString("0", "C:\\Program Files\\製品\\表示.exe"));
    EXPECT_TRUE(profile.WriteInt("Count", -42));
    profile.SetSection("Config");
    EXPECT_TRUE(profile.WriteString("Empty", ""));   // key with an empty value
    EXPECT_TRUE(profile.WriteInt("Max", 2147483647));
    // The layout is that of the private-profile functions (Wine's: no blank
    // line between sections, Shift-JIS bytes as they were given).
    EXPECT_EQ("[DeleteFile]\r\n"
              "0=C:\\Program Files\\製品\\表示.exe\r\n"
              "Count=-42\r\n"
              "[Config]\r\n"
              "Empty=\r\n"
              "Max=2147483647\r\n",
              ReadBytes(m_path));

    profile.SetSection("DeleteFile");
    EXPECT_EQ("C:\\Program Files\\製品\\表示.exe", profile.GetString("0", ""));
    EXPECT_EQ(-42, profile.GetInt("Count", 0));
    EXPECT_EQ(-42, profile.GetIntAt(1, 0));
    EXPECT_EQ("-42", profile.GetStringAt(1, "d"));
    EXPECT_EQ("d", profile.GetStringAt(2, "d"));
    EXPECT_EQ(7, profile.GetInt("Missing", 7));
    EXPECT_EQ("default", profile.GetString("Missing", "default"));
}

TEST_F(IniProfileTest, EmptyKeyAndValueDeleteTheCurrentSection)
{
    WriteBytes(m_path, "[Keep]\r\na=1\r\n\r\n[Drop]\r\nb=2\r\nc=3\r\n");
    {
        CIniProfile profile(m_path);
        profile.SetSection("Drop");
        EXPECT_TRUE(profile.WriteString("", ""));
        EXPECT_EQ(0, profile.GetKeyCount());
    }
    EXPECT_EQ("[Keep]\r\na=1\r\n", ReadBytes(m_path));
}

TEST_F(IniProfileTest, DeleteKeyAndDeleteSection)
{
    WriteBytes(m_path, "[One]\r\na=1\r\nb=2\r\n\r\n[Two]\r\nc=3\r\n");
    CIniProfile profile(m_path);
    profile.SetSection("One");
    EXPECT_TRUE(profile.DeleteKey("a"));
    EXPECT_EQ("[One]\r\nb=2\r\n[Two]\r\nc=3\r\n", ReadBytes(m_path));   // rewritten whole
    profile.SetSection("Two");
    EXPECT_TRUE(profile.DeleteSection());
    EXPECT_EQ("[One]\r\nb=2\r\n", ReadBytes(m_path));
    EXPECT_EQ(1, profile.GetSectionCount());
}

TEST_F(IniProfileTest, KeyAndSectionNamesByIndex)
{
    WriteBytes(m_path, "[A]\r\nfirst=1\r\nsecond=2\r\nthird=3\r\n[B]\r\n[C]\r\nx=\r\n");
    CIniProfile profile(m_path);
    profile.SetSection("A");
    EXPECT_EQ("<first><second><third>", KeyNames(profile));
    std::string name = "stale";
    EXPECT_FALSE(profile.GetKeyName(3, name));    // index == count
    EXPECT_EQ("", name);
    name = "stale";
    EXPECT_FALSE(profile.GetKeyName(-1, name));
    EXPECT_EQ("", name);
    EXPECT_EQ("2", profile.GetStringAt(1, ""));

    ASSERT_EQ(3, profile.GetSectionCount());
    const char* sections[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(profile.GetSectionName(i, name));
        EXPECT_EQ(sections[i], name);
    }
    EXPECT_FALSE(profile.GetSectionName(3, name));
    EXPECT_EQ("", name);

    profile.SetSection("B");
    EXPECT_EQ(0, profile.GetKeyCount());
    profile.SetSection("Missing");
    EXPECT_EQ(0, profile.GetKeyCount());
    EXPECT_FALSE(profile.GetKeyName(0, name));
}

TEST_F(IniProfileTest, NameListsLongerThanTheFirstBufferAreReadWhole)
{
    // Lists of 30 .. 1200 bytes around the first buffer of 256 and its doublings.
    for (int count : {3, 16, 17, 18, 40, 100}) {
        SCOPED_TRACE(testing::Message() << count << " names");
        const std::string path = m_dir.File("LIST" + std::to_string(count) + ".INI");
        std::string text = "[Keys]\r\n", expectedKeys, expectedSections;
        for (int i = 0; i < count; ++i) {
            char key[32];
            wsprintfA(key, "Key%02d_abcdef", i);   // 12 bytes + NUL
            text += std::string(key) + "=" + std::to_string(i) + "\r\n";
            expectedKeys += "<" + std::string(key) + ">";
        }
        for (int i = 0; i < count; ++i) {
            char section[32];
            wsprintfA(section, "Sect%02d_abcdef", i);
            text += "[" + std::string(section) + "]\r\n";
            expectedSections += "<" + std::string(section) + ">";
        }
        WriteBytes(path, text);
        CIniProfile profile(path);
        profile.SetSection("Keys");
        EXPECT_EQ(expectedKeys, KeyNames(profile));
        EXPECT_EQ(count - 1, profile.GetIntAt(count - 1, -1));
        std::string sections;
        ASSERT_EQ(count + 1, profile.GetSectionCount());
        for (int i = 1; i <= count; ++i) {
            std::string name;
            EXPECT_TRUE(profile.GetSectionName(i, name));
            sections += "<" + name + ">";
        }
        EXPECT_EQ(expectedSections, sections);
    }
}

TEST_F(IniProfileTest, ValuesLongerThanTheFirstBufferAreReadWhole)
{
    // Around 255 bytes (the first buffer filled) and its doublings.
    CIniProfile profile(m_path);
    profile.SetSection("Long");
    for (int length : {0, 1, 254, 255, 256, 510, 511, 512, 1023, 4000}) {
        SCOPED_TRACE(testing::Message() << length << " bytes");
        std::string value;
        for (int i = 0; i < length; ++i)
            value += char('a' + i % 26);
        const std::string key = "v" + std::to_string(length);
        ASSERT_TRUE(profile.WriteString(key, value));
        EXPECT_EQ(value, profile.GetString(key, "default"));
        // A long default comes back whole as well.
        EXPECT_EQ(value + "!", profile.GetString("missing", value + "!"));
    }
}

TEST_F(IniProfileTest, DestructionLeavesTheChangesInWinIni)
{
    // An own section: some sections of win.ini are kept in the registry by Wine.
    const std::string section = "SetupTest-" + std::to_string(GetCurrentProcessId());
    {
        CIniProfile profile("WIN.INI");
        profile.SetSection(section);
        ASSERT_TRUE(profile.WriteString("TempDir", "C:\\WINDOWS\\SetupTmp"));
        ASSERT_TRUE(profile.WriteInt("Count", 2));
    }
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string winIni = ReadBytes(std::string(windows) + "\\win.ini");
    EXPECT_NE(std::string::npos,
              winIni.find("[" + section + "]\r\nTempDir=C:\\WINDOWS\\SetupTmp\r\nCount=2\r\n"))
        << winIni;
    {
        CIniProfile profile("WIN.INI");
        profile.SetSection(section);
        EXPECT_EQ("C:\\WINDOWS\\SetupTmp", profile.GetString("TempDir", ""));
        EXPECT_TRUE(profile.DeleteSection());
    }
    EXPECT_EQ(std::string::npos, ReadBytes(std::string(windows) + "\\win.ini").find(section));
}

TEST(IniProfileName, EmptyNameIsTheProgramPathWithTheExtensionIni)
{
    CIniProfile profile("");
    EXPECT_EQ(DefaultProfileFileName(), profile.GetName());
    char module[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string path(module, n);
    EXPECT_EQ(path.substr(0, path.rfind('.')) + ".INI", profile.GetName());
}

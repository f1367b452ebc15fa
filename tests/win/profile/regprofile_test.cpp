// CRegProfile over Wine's registry, read back with the registry API.
#include <windows.h>
#include <gtest/gtest.h>
#include <map>
#include "profile/regprofile.h"
#include "testutil.h"

using testutil::CTempRegPath;

namespace {

struct RegValue {
    DWORD type;
    std::string data;
    bool operator==(const RegValue& o) const { return type == o.type && data == o.data; }
};

std::ostream& operator<<(std::ostream& os, const RegValue& v)
{
    return os << "{type " << v.type << ", " << testing::PrintToString(v.data) << "}";
}

std::string Sz(const std::string& text) { return text + '\0'; }
std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

bool KeyExists(const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Every value of a key, by name ("" is the unnamed value).
std::map<std::string, RegValue> ValuesOf(const std::string& path)
{
    std::map<std::string, RegValue> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        ADD_FAILURE() << "no key " << path;
        return values;
    }
    for (DWORD i = 0;; ++i) {
        char name[1024];
        BYTE data[4096];
        DWORD nameLength = sizeof name, dataLength = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) !=
            ERROR_SUCCESS)
            break;
        values[std::string(name, nameLength)] =
            RegValue{type, std::string(reinterpret_cast<char*>(data), dataLength)};
    }
    RegCloseKey(key);
    return values;
}

// Sets a value of HKLM\path\section. The section is created below the key
// of path: Wine's ANSI registry functions take paths of at most 260
// characters, and a section name may be long on its own.
void SetValue(const std::string& path, const std::string& section, const char* name, DWORD type,
              const std::string& data)
{
    HKEY base, key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &base, nullptr));
    const LONG created = RegCreateKeyExA(base, section.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                         nullptr, &key, nullptr);
    RegCloseKey(base);
    ASSERT_EQ(ERROR_SUCCESS, created);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type,
                                            reinterpret_cast<const BYTE*>(data.data()),
                                            DWORD(data.size())));
    RegCloseKey(key);
}

class RegProfileTest : public testing::Test {
protected:
    CTempRegPath m_key;
};

}  // namespace

TEST_F(RegProfileTest, EvenAReadCreatesTheMissingKeyPath)
{
    const std::string path = m_key.Path() + "\\Uninstall\\テスト製品";
    ASSERT_FALSE(KeyExists(m_key.Path()));
    CRegProfile profile(path, HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(KeyExists(path));   // not before the first use
    const std::string def = "default";
    EXPECT_EQ("default", profile.GetString("DisplayName", def));
    EXPECT_TRUE(KeyExists(path));
    EXPECT_TRUE(ValuesOf(path).empty());
}

TEST_F(RegProfileTest, WritesWithTheEmptySectionGoIntoTheBaseKey)
{
    const std::string path = m_key.Path() + "\\Uninstall\\テスト製品";
    {
        CRegProfile profile(path, HKEY_LOCAL_MACHINE);
        profile.SetSection("");
        EXPECT_TRUE(profile.WriteString("DisplayName", "テスト製品 1.0"));
        EXPECT_TRUE(profile.WriteString("UninstallString", "C:\\WINDOWS\\UNINST.EXE -f\"C:\\製品\\UNINSTAL.INF\""));
        EXPECT_TRUE(profile.WriteString("Empty", ""));
        EXPECT_TRUE(profile.WriteInt("Number", 42));
        EXPECT_TRUE(profile.WriteInt("Negative", -1));
    }
    const std::map<std::string, RegValue> expected = {
        {"DisplayName", {REG_SZ, Sz("テスト製品 1.0")}},
        {"UninstallString", {REG_SZ, Sz("C:\\WINDOWS\\UNINST.EXE -f\"C:\\製品\\UNINSTAL.INF\"")}},
        {"Empty", {REG_SZ, Sz("")}},
        {"Number", {REG_DWORD, Dword(42)}},
        {"Negative", {REG_DWORD, Dword(0xFFFFFFFF)}},
    };
    EXPECT_EQ(expected, ValuesOf(path));
}

TEST_F(RegProfileTest, SectionsAreSubkeysOfTheBaseKey)
{
    CRegProfile profile(m_key.Path(), HKEY_LOCAL_MACHINE);
    profile.SetSection("Options\\表");
    EXPECT_TRUE(profile.WriteString("Path", "C:\\x"));
    profile.SetSection("Second");
    EXPECT_TRUE(profile.WriteInt("Count", 3));
    EXPECT_EQ((std::map<std::string, RegValue>{{"Path", {REG_SZ, Sz("C:\\x")}}}),
              ValuesOf(m_key.Path() + "\\Options\\表"));
    EXPECT_EQ((std::map<std::string, RegValue>{{"Count", {REG_DWORD, Dword(3)}}}),
              ValuesOf(m_key.Path() + "\\Second"));
    EXPECT_TRUE(ValuesOf(m_key.Path()).empty());

    EXPECT_EQ(2, profile.GetSectionCount());
    std::string name;
    EXPECT_TRUE(profile.GetSectionName(0, name));
    EXPECT_EQ("Options", name);
    EXPECT_TRUE(profile.GetSectionName(1, name));
    EXPECT_EQ("Second", name);
    EXPECT_FALSE(profile.GetSectionName(2, name));
    EXPECT_EQ("", name);
}

TEST_F(RegProfileTest, ReadingFollowsTheValueType)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
        const char* text;   // GetString, default "def"
        int number;         // GetInt, default -7
    };
    const Case cases[] = {
        {"dword300", REG_DWORD, Dword(300), "300", 300},
        {"dwordNeg", REG_DWORD, Dword(0xFFFFFFFE), "-2", -2},
        {"sz1234", REG_SZ, Sz("1234"), "1234", 1234},
        {"sz12", REG_SZ, Sz("12"), "12", 12},
        {"szLong", REG_SZ, Sz("  -123456789 and more"), "  -123456789 and more", -123456789},
        {"szNoNul", REG_SZ, "77", "77", 77},
        {"szHex", REG_SZ, Sz("0x10"), "0x10", 0},
        {"szJapanese", REG_SZ, Sz("製品"), "製品", 0},
        {"binary2", REG_BINARY, std::string("\x34\x12", 2), "def", 0x1234},
        {"binary4", REG_BINARY, std::string("\x01\x02\x03\x04", 4), "def", 0x04030201},
        {"binary5", REG_BINARY, std::string("\x01\x02\x03\x04\x05", 5), "def", -7},
        {"expand", REG_EXPAND_SZ, Sz("%WINDIR%"), "def", -7},
    };
    for (const Case& c : cases)
        SetValue(m_key.Path(), "Values", c.name, c.type, c.data);
    CRegProfile profile(m_key.Path(), HKEY_LOCAL_MACHINE);
    profile.SetSection("Values");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, profile.GetString(c.name, "def"));
        EXPECT_EQ(c.number, profile.GetInt(c.name, -7));
    }
    EXPECT_EQ("def", profile.GetString("missing", "def"));
    EXPECT_EQ(-7, profile.GetInt("missing", -7));
    profile.SetSection("NoSuchSection");
    EXPECT_EQ("def", profile.GetString("sz1234", "def"));
    EXPECT_EQ(-7, profile.GetInt("sz1234", -7));
    EXPECT_FALSE(KeyExists(m_key.Path() + "\\NoSuchSection"));   // reads create no section
}

TEST_F(RegProfileTest, KeyCountByProbing)
{
    for (int count : {0, 1, 2, 3, 4, 5, 7, 8, 9, 100}) {
        SCOPED_TRACE(testing::Message() << count << " values");
        const std::string section = "Count" + std::to_string(count);
        for (int i = 0; i < count; ++i)
            SetValue(m_key.Path(), section, ("Value" + std::to_string(1000 + i)).c_str(),
                     REG_DWORD, Dword(DWORD(i)));
        CRegProfile profile(m_key.Path(), HKEY_LOCAL_MACHINE);
        profile.SetSection(section);
        EXPECT_EQ(count, profile.GetKeyCount());
        std::string name = "stale";
        EXPECT_FALSE(profile.GetKeyName(count, name));   // index == count
        EXPECT_EQ("", name);
        if (count > 0) {
            EXPECT_TRUE(profile.GetKeyName(count - 1, name));
            EXPECT_EQ("Value" + std::to_string(1000 + count - 1), name);
            EXPECT_EQ(std::to_string(count - 1), profile.GetStringAt(count - 1, "def"));
            EXPECT_EQ(count - 1, profile.GetIntAt(count - 1, -1));
        }
    }
}

TEST_F(RegProfileTest, TheUnnamedValueHasNoKeyNameButCounts)
{
    SetValue(m_key.Path(), "WithDefault", "", REG_SZ, Sz("unnamed"));
    SetValue(m_key.Path(), "WithDefault", "a", REG_SZ, Sz("1"));
    SetValue(m_key.Path(), "WithDefault", "b", REG_SZ, Sz("2"));
    CRegProfile profile(m_key.Path(), HKEY_LOCAL_MACHINE);
    profile.SetSection("WithDefault");
    EXPECT_EQ(3, profile.GetKeyCount());
    std::string names;
    int unnamed = 0;
    for (int i = 0; i < 3; ++i) {
        std::string name = "stale";
        if (profile.GetKeyName(i, name)) {
            names += "<" + name + ">";
        } else {
            EXPECT_EQ("", name);
            EXPECT_EQ("def", profile.GetStringAt(i, "def"));
            ++unnamed;
        }
    }
    EXPECT_EQ(1, unnamed);
    EXPECT_EQ("<a><b>", names);
    EXPECT_EQ("unnamed", profile.GetString("", "def"));
}

TEST_F(RegProfileTest, NamesLongerThanTheFirstBuffer)
{
    // A key name has at most 255 characters; in double-byte text that is
    // more bytes than the first buffer holds.
    std::string longSection, longName(700, 'n');
    for (int i = 0; i < 200; ++i)
        longSection += "表";
    SetValue(m_key.Path(), longSection, longName.c_str(), REG_SZ, Sz("v"));
    CRegProfile profile(m_key.Path(), HKEY_LOCAL_MACHINE);
    std::string name;
    EXPECT_TRUE(profile.GetSectionName(0, name));
    EXPECT_EQ(longSection, name);
    profile.SetSection(longSection);
    EXPECT_TRUE(profile.GetKeyName(0, name));
    EXPECT_EQ(longName, name);
    EXPECT_EQ(1, profile.GetKeyCount());
}

TEST_F(RegProfileTest, Deletions)
{
    const std::string path = m_key.Path() + "\\Sec";
    SetValue(m_key.Path(), "Sec", "a", REG_SZ, Sz("1"));
    SetValue(m_key.Path(), "Sec", "b", REG_SZ, Sz("2"));
    CRegProfile profile(m_key.Path(), HKEY_LOCAL_MACHINE);
    profile.SetSection("Sec");
    EXPECT_TRUE(profile.DeleteKey("a"));
    EXPECT_EQ((std::map<std::string, RegValue>{{"b", {REG_SZ, Sz("2")}}}), ValuesOf(path));
    EXPECT_FALSE(profile.DeleteKey("a"));   // the section exists, the value does not

    profile.SetSection("Missing");
    EXPECT_TRUE(profile.DeleteKey("a"));    // nothing that could be deleted
    EXPECT_FALSE(KeyExists(m_key.Path() + "\\Missing"));
    EXPECT_FALSE(profile.DeleteSection());

    profile.SetSection("Sec");
    EXPECT_TRUE(profile.DeleteSection());
    EXPECT_FALSE(KeyExists(path));
    EXPECT_TRUE(KeyExists(m_key.Path()));
}

TEST_F(RegProfileTest, SetNameMovesTheStoreToTheNewKey)
{
    const std::string first = m_key.Path() + "\\First";
    const std::string second = m_key.Path() + "\\Second";
    CRegProfile profile(first, HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(profile.WriteString("k", "1"));
    EXPECT_TRUE(profile.SetName(second));
    EXPECT_EQ(second, profile.GetName());
    EXPECT_TRUE(profile.WriteString("k", "2"));
    EXPECT_EQ((std::map<std::string, RegValue>{{"k", {REG_SZ, Sz("1")}}}), ValuesOf(first));
    EXPECT_EQ((std::map<std::string, RegValue>{{"k", {REG_SZ, Sz("2")}}}), ValuesOf(second));
}

TEST_F(RegProfileTest, WithoutABaseKeyReadsGiveDefaultsAndWritesFail)
{
    CRegProfile profile(m_key.Path(), nullptr);   // no root: the key cannot be created
    const std::string def = "default";
    EXPECT_EQ(&def, &profile.GetString("k", def));
    EXPECT_EQ(5, profile.GetInt("k", 5));
    EXPECT_FALSE(profile.WriteString("k", "v"));
    EXPECT_FALSE(profile.WriteInt("k", 1));
    EXPECT_EQ(0, profile.GetKeyCount());
    EXPECT_EQ(0, profile.GetSectionCount());
    std::string name = "stale";
    EXPECT_FALSE(profile.GetKeyName(0, name));
    EXPECT_EQ("", name);
    name = "stale";
    EXPECT_FALSE(profile.GetSectionName(0, name));
    EXPECT_EQ("", name);
    EXPECT_TRUE(profile.DeleteKey("k"));
    EXPECT_TRUE(profile.DeleteSection());
    EXPECT_EQ(7, profile.GetIntAt(0, 7));
}

TEST(RegProfileName, EmptyNameIsSoftwareMainAndTheProgramFileName)
{
    CRegProfile profile("", HKEY_LOCAL_MACHINE);
    EXPECT_EQ("Software\\Main\\profile_reg_test.exe", profile.GetName());
}

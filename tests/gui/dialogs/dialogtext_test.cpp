// Texts of the questions without showing them: template texts filled in,
// files described, destination paths split.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "engine/dialogtext.h"
#include "engine/questiondialogs.h"

namespace {

TEST(FormatTemplateText, FillsPlaceholdersInOrderAndNeverReadsArgumentsAsFormats)
{
    struct Case {
        const char* templ;
        std::vector<std::string> args;
        const char* expected;
    } cases[] = {
        {"%s セットアップ", {"テスト製品"}, "テスト製品 セットアップ"},
        {"ファイル'%s'を", {"C:\\100%s\\%d%n.DLL"}, "ファイル'C:\\100%s\\%d%n.DLL'を"},
        {"%d年%d月%d日", {"1997", "4", "1"}, "1997年4月1日"},
        {"100%% %s", {"x"}, "100% x"},
        {"'%s' と '%s'", {"a"}, "'a' と '%s'"},        // no argument left: as it stands
        {"%x %s", {"a"}, "%x a"},                      // not a placeholder of ours
        {"末尾%", {"a"}, "末尾%"},
        {"ソ%s表", {"ソ"}, "ソソ表"},                    // second bytes 0x5C around the placeholder
        {"no placeholder", {"a"}, "no placeholder"},
        {"", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templ);
        EXPECT_EQ(c.expected, FormatTemplateText(c.templ, c.args));
    }
    std::string longPath(4000, 'a');
    EXPECT_EQ("'" + longPath + "'", FormatTemplateText("'%s'", {longPath}));
}

class DescribeFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
        m_dir = std::string(temp) + "describe-test";
        CreateDirectoryA(m_dir.c_str(), nullptr);
    }
    void TearDown() override
    {
        for (const std::string& f : m_files)
            DeleteFileA(f.c_str());
        RemoveDirectoryA(m_dir.c_str());
    }
    // A file of `size` bytes last written at the given local time.
    std::string MakeFile(const std::string& name, DWORD size, WORD year, WORD month, WORD day,
                         WORD hour, WORD minute, WORD second)
    {
        std::string path = m_dir + "\\" + name;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, h);
        std::string data(size, 'x');
        DWORD written = 0;
        WriteFile(h, data.data(), size, &written, nullptr);
        SYSTEMTIME st = {};
        st.wYear = year;
        st.wMonth = month;
        st.wDay = day;
        st.wHour = hour;
        st.wMinute = minute;
        st.wSecond = second;
        FILETIME local, utc;
        EXPECT_TRUE(SystemTimeToFileTime(&st, &local));
        EXPECT_TRUE(LocalFileTimeToFileTime(&local, &utc));
        EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &utc));
        CloseHandle(h);
        m_files.push_back(path);
        return path;
    }
    std::string m_dir;
    std::vector<std::string> m_files;
};

TEST_F(DescribeFileTest, SizeAndLocalDateAtTwoSecondResolution)
{
    struct Case {
        WORD y, mo, d, h, mi, s;
        const char* expected;
    } cases[] = {
        {1997, 4, 1, 13, 5, 7, "1997年4月1日 13時5分6秒"},
        {1997, 4, 1, 13, 5, 6, "1997年4月1日 13時5分6秒"},
        {2107, 12, 31, 23, 59, 59, "2107年12月31日 23時59分58秒"},   // the last MS-DOS year
        {1979, 12, 31, 23, 59, 59, "1979年12月31日 23時59分59秒"},   // before MS-DOS time: as it is
        {1980, 1, 1, 0, 0, 1, "1980年1月1日 0時0分0秒"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        std::string path = MakeFile("file.dat", 1234, c.y, c.mo, c.d, c.h, c.mi, c.s);
        std::string size = "unchanged", date = "unchanged";
        ASSERT_TRUE(DescribeFile(path, "ｻｲｽﾞ %d", "%d年%d月%d日 %d時%d分%d秒", size, date));
        EXPECT_EQ("ｻｲｽﾞ 1234", size);
        EXPECT_EQ(c.expected, date);
    }
}

TEST_F(DescribeFileTest, MissingFileLeavesTheLinesAlone)
{
    std::string size = "ｻｲｽﾞ %d", date = "%d年";
    EXPECT_FALSE(DescribeFile(m_dir + "\\none.dat", "ｻｲｽﾞ %d", "%d年", size, date));
    EXPECT_EQ("ｻｲｽﾞ %d", size);
    EXPECT_EQ("%d年", date);
}

TEST_F(DescribeFileTest, EntriesBeginningWithADotAreSkipped)
{
    MakeFile(".hidden", 5, 2000, 1, 1, 0, 0, 0);
    MakeFile("visible", 9, 2000, 1, 1, 0, 0, 0);
    std::string size, date;
    ASSERT_TRUE(DescribeFile(m_dir + "\\*", "%d", "%d", size, date));
    EXPECT_EQ("9", size);
    EXPECT_FALSE(DescribeFile(m_dir + "\\.h*", "%d", "%d", size, date));
}

TEST(ExistingFileQuestion, SplitsTheDestinationAtItsLastBackslashCharacter)
{
    struct Case {
        const char* dest;
        const char* temp;
        const char* name;
        const char* dir;
        const char* newPath;
    } cases[] = {
        {"C:\\APP\\SUB\\FILE.DLL", "ver1.tmp", "FILE.DLL", "C:\\APP\\SUB", "C:\\APP\\SUB\\ver1.tmp"},
        // "表" and "ソ" end in the byte 0x5C: it is not a separator.
        {"C:\\APP\\ソフト表\\表示ソ", "v.tmp", "表示ソ", "C:\\APP\\ソフト表", "C:\\APP\\ソフト表\\v.tmp"},
        // Wine hands the temporary name back with a leading backslash.
        {"C:\\APP\\FILE.DLL", "\\ver3.tmp", "FILE.DLL", "C:\\APP", "C:\\APP\\ver3.tmp"},
        {"C:\\FILE.DLL", "v.tmp", "FILE.DLL", "C:", "C:\\v.tmp"},
        {"FILE.DLL", "v.tmp", "FILE.DLL", "", "v.tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dest);
        CQueryOverwriteDialog overwrite(c.temp, c.dest);
        EXPECT_EQ(c.name, overwrite.GetFileName());
        EXPECT_EQ(c.dir, overwrite.GetDirectory());
        EXPECT_EQ(c.newPath, overwrite.GetNewFilePath());
        CQuerySrcOldFileDialog older(c.temp, c.dest);
        EXPECT_EQ(c.newPath, older.GetNewFilePath());
    }
}

}  // namespace

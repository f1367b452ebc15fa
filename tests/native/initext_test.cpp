#include "profile/initext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- ReadLineAt

TEST(ReadLineAt, TakesOneLineAndItsTerminator)
{
    struct Case {
        std::string data;
        int32_t pos;           // where reading starts
        const char* line;      // what the line receives
        int32_t posAfter;      // where the position is afterwards
    };
    const Case cases[] = {
        {"abc\r\ndef", 0, "abc", 4},   // CR ends the line ...
        {"abc\r\ndef", 4, "", 5},      // ... and the LF gives an empty line
        {"abc\r\ndef", 5, "def", 8},   // the last line is read whole
        {"abc\ndef", 0, "abc", 4},
        {"abc\n\rdef", 0, "abc", 5},   // LF CR is one line end
        {"abc\rdef", 0, "abc", 4},
        {"abc\r\rdef", 0, "abc", 4},   // CR CR are two
        {"abc\n\ndef", 0, "abc", 4},
        {"abc\n", 0, "abc", 4},        // LF at the very end: no CR to look at
        {std::string("a\0b", 3), 0, "a", 2},  // NUL ends a line too
        {"\n", 0, "", 1},
        {"abc", 3, "", 3},              // at the end: nothing
        {"abc", 1, "bc", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "data \"" << c.data << "\" from " << c.pos);
        int32_t pos = c.pos;
        std::string line = "old";
        const int n = ReadLineAt(c.data.data(), static_cast<int32_t>(c.data.size()), pos, line);
        EXPECT_EQ(c.line, line);
        EXPECT_EQ(static_cast<int>(line.size()), n);
        EXPECT_EQ(c.posAfter, pos);
    }
}

TEST(ReadLineAt, InvalidPositionEmptiesTheLine)
{
    const std::string data = "abc\n";
    int32_t pos = -1;
    std::string line = "old";
    EXPECT_EQ(0, ReadLineAt(data.data(), static_cast<int32_t>(data.size()), pos, line));
    EXPECT_EQ("", line);
    EXPECT_EQ(-1, pos);
}

TEST(ReadLineAt, ReadsOnlyUpToTheSize)
{
    // The size bounds the read, whatever follows in memory.
    const std::string data = "abcdef";
    int32_t pos = 0;
    std::string line;
    EXPECT_EQ(3, ReadLineAt(data.data(), 3, pos, line));
    EXPECT_EQ("abc", line);
    EXPECT_EQ(3, pos);
}

// ----------------------------------------------------------- NormaliseIniLine

TEST(NormaliseIniLine, Table)
{
    struct Case {
        const char* line;
        const char* normalised;
    };
    const Case cases[] = {
        {"", ""},
        {"   ", ""},
        {"\t \t", ""},
        // Comments.
        {";", ""},
        {"; note", ""},
        {" \t; note=x", ""},
        // Headers keep only the bracketed name, blanks inside included.
        {"[Sec]", "[Sec]"},
        {"  [Sec] junk", "[Sec]"},
        {"[ A B ]", "[ A B ]"},
        {"[a]b]", "[a]"},
        {"[abc", "[abc]"},
        {"[", "[]"},
        {"[]", "[]"},
        {"\t[Common::Files]\t;x", "[Common::Files]"},
        // A double-byte character whose second byte is 0x5D ends the name there.
        {"[\x83\x5D]", "[\x83]"},
        {"[表]", "[表]"},
        // Other lines: from the first non-blank byte, trailing blanks kept.
        {"  key = v  ", "key = v  "},
        {"x;y", "x;y"},
        {"=v", "=v"},
        {"a[b]", "a[b]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line \"" << c.line << "\"");
        EXPECT_EQ(c.normalised, NormaliseIniLine(c.line));
    }
}

// ------------------------------------------------------------- SplitIniKeyLine

TEST(SplitIniKeyLine, Table)
{
    struct Case {
        const char* line;  // already normalised
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"key=value", "key", "value"},
        {"key = value", "key", "value"},
        {"key\t=\tvalue", "key", "value"},
        {"key=  value  ", "key", "value  "},
        {"key=", "key", ""},
        {"key=   ", "key", ""},
        {"key= ;note", "key", ""},
        {"key=;note", "key", ""},
        // A ";" later in the value is part of it.
        {"key=v ; note", "key", "v ; note"},
        {"key=a;b", "key", "a;b"},
        // A key directly followed by ";" has no value, even with a later "=".
        {"key;=x", "key", ""},
        // After a blank the "=" is searched past anything, even a ";".
        {"key ;note=x", "key", "x"},
        // The key ends at its first blank.
        {"my key=x", "my", "x"},
        {"key", "key", ""},
        {"key value", "key", ""},
        {"=value", "", "value"},
        {"=", "", ""},
        {"a=b=c", "a", "b=c"},
        {"k=\"q\"", "k", "\"q\""},
        {"\"a b\"=c", "\"a", "c"},
        {"表=ソフト\\", "表", "ソフト\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line \"" << c.line << "\"");
        std::string key = "old";
        std::string value = "old";
        SplitIniKeyLine(c.line, key, value);
        EXPECT_EQ(c.key, key);
        EXPECT_EQ(c.value, value);
    }
}

// ----------------------------------------------------------------- ParseIniText

// The parse result in one string: "[name]" per section, then "key=value"
// per entry, each on a line of its own.
std::string Dump(const std::vector<CFileProfileSection>& sections)
{
    std::string out;
    for (const CFileProfileSection& section : sections) {
        out += "[" + section.m_strName + "]\n";
        for (const CFileProfileEntry& entry : section.m_entries)
            out += entry.m_strKey + "=" + entry.m_strValue + "\n";
    }
    return out;
}

std::string Parse(const std::string& text)
{
    return Dump(ParseIniText(text.data(), static_cast<int32_t>(text.size())));
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& ending)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + ending;
    return text;
}

struct FileCase {
    std::vector<std::string> lines;  // each followed by the line end under test
    const char* parsed;              // Dump() of the result
};

const FileCase kFileCases[] = {
    // Lines before the first header, blank lines and comments are ignored.
    {{"key=before", "", "[Config]", "   ", "\t", "; comment", "  ;x=y", "Name=Tool"}, "[Config]\nName=Tool\n"},
    // Headers.
    {{"[Files] trailing text", "a=1"}, "[Files]\na=1\n"},
    {{"[No close", "a=1"}, "[No close]\na=1\n"},
    {{"[]", "a=1"}, "[]\na=1\n"},
    {{"  [ Blanks Inside ]", "a=1"}, "[ Blanks Inside ]\na=1\n"},
    {{"[A]", "[B]", "b=2"}, "[A]\n[B]\nb=2\n"},
    // Duplicate sections and keys are kept in file order.
    {{"[S]", "k=1", "k=2", "[S]", "k=3"}, "[S]\nk=1\nk=2\n[S]\nk=3\n"},
    // Values: blanks around "=", notes after ";", lines without "=".
    {{"[S]", "  key  =  value  ", "note=v ; remark", "empty=", "blank= ;x", "bare", "two words",
      "semi;=x", "blank ;c=x", "=anon"},
     "[S]\nkey=value  \nnote=v ; remark\nempty=\nblank=\nbare=\ntwo=\nsemi=\nblank=x\n=anon\n"},
    // Shift-JIS keys, values and names, including second bytes 0x5C.
    {{"[ソフト]", "表=C:\\ソフト\\表"}, "[ソフト]\n表=C:\\ソフト\\表\n"},
    // Setup script lines as they are written.
    {{"[Common::Files]", "1=SETUP.EX_,$INSTDIR$,\"Setup program\""},
     "[Common::Files]\n1=SETUP.EX_,$INSTDIR$,\"Setup program\"\n"},
};

TEST(ParseIniText, SameResultForEveryLineEnd)
{
    const char* const endings[] = {"\r\n", "\n", "\r", "\n\r"};
    for (const char* ending : endings) {
        for (std::size_t row = 0; row < sizeof(kFileCases) / sizeof(kFileCases[0]); ++row) {
            const FileCase& c = kFileCases[row];
            SCOPED_TRACE(testing::Message() << "row " << row << ", line end " << testing::PrintToString(ending));
            EXPECT_EQ(c.parsed, Parse(JoinLines(c.lines, ending)));
        }
    }
}

TEST(ParseIniText, LineNumbersAreTheSameForEveryLineEnd)
{
    const std::vector<std::string> lines = {"; setup script", "[Config]", "", "Product=P",
                                            "[Files]", "  a=1", "b=2"};
    const char* const endings[] = {"\r\n", "\n", "\r", "\n\r"};
    for (const char* ending : endings) {
        SCOPED_TRACE(testing::Message() << "line end " << testing::PrintToString(ending));
        const std::string text = JoinLines(lines, ending);
        const auto sections = ParseIniText(text.data(), static_cast<int32_t>(text.size()));
        ASSERT_EQ(2u, sections.size());
        EXPECT_EQ(2, sections[0].m_nLine);
        EXPECT_EQ(4, sections[0].m_entries[0].m_nLine);
        EXPECT_EQ(5, sections[1].m_nLine);
        EXPECT_EQ(6, sections[1].m_entries[0].m_nLine);
        EXPECT_EQ(7, sections[1].m_entries[1].m_nLine);
    }
}

TEST(ParseIniText, MixedLineEnds)
{
    EXPECT_EQ("[A]\na=1\nb=2\nc=3\n[B]\nd=4\n", Parse("[A]\r\na=1\nb=2\rc=3\n\r[B]\r\n\r\nd=4\r"));
}

TEST(ParseIniText, LastLineWithoutLineEnd)
{
    EXPECT_EQ("[S]\nk=v\n", Parse("[S]\r\nk=v"));
    EXPECT_EQ("[S]\nk=v\n", Parse("[S]\nk=v"));
    EXPECT_EQ("[S]\nab=\n", Parse("[S]\nab"));
    // Reading stops when fewer than two unread bytes remain, so a last line
    // of one byte is not read (scripts always end with a line end).
    EXPECT_EQ("[S]\n", Parse("[S]\nk"));
    EXPECT_EQ("[S]\nk=\n", Parse("[S]\nk\n"));
}

TEST(ParseIniText, TinyFiles)
{
    // Fewer than two bytes: nothing is read.
    EXPECT_EQ("", Parse(""));
    EXPECT_EQ("", Parse("["));
    EXPECT_EQ("", Parse("\n"));
    EXPECT_EQ("[]\n", Parse("[]"));
    EXPECT_EQ("[]\n", Parse("[\n"));
    EXPECT_TRUE(ParseIniText(nullptr, 0).empty());
}

TEST(ParseIniText, NulEndsALine)
{
    const std::string text("[S]\0k=v\0\0j=w\n", 13);
    EXPECT_EQ("[S]\nk=v\nj=w\n", Parse(text));
}

TEST(ParseIniText, LongLinesAndManyEntries)
{
    // No limit on a line, key or value other than memory.
    const std::string longValue(200000, 'v');
    const std::string longName(5000, 'n');
    EXPECT_EQ("[" + longName + "]\nk=" + longValue + "\n", Parse("[" + longName + "]\nk=" + longValue + "\n"));

    std::string text = "[Many]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    const std::vector<CFileProfileSection> sections = ParseIniText(text.data(), static_cast<int32_t>(text.size()));
    ASSERT_EQ(1u, sections.size());
    ASSERT_EQ(3000u, sections[0].m_entries.size());
    EXPECT_EQ("k2999", sections[0].m_entries.back().m_strKey);
    EXPECT_EQ("2999", sections[0].m_entries.back().m_strValue);
}

}  // namespace

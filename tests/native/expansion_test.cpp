#include "paths/expansion.h"
#include "tests/native/expansion_reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// ------------------------------------------------------------- CompareNoCaseN

int Sign(int x)
{
    return (x > 0) - (x < 0);
}

TEST(CompareNoCaseN, Table)
{
    struct Case {
        const char* a;
        const char* b;
        int count;
        int expected;
    };
    const Case cases[] = {
        {"abc", "ABC", 3, 0},
        {"$instdir$", "$InstDir$", 9, 0},
        {"abc", "ABD", 3, 'C' - 'D'},
        {"abx", "aby", 2, 0},
        {"", "", 5, 0},
        {"abc", "xyz", 0, 0},
        // A text shorter than the count differs at its terminating NUL.
        {"ab", "abc", 3, 0 - 'C'},
        {"abc", "ab", 3, 'C' - 0},
        {"ab", "ab", 5, 0},
        // Bytes above 0x7F compare as signed 8-bit values.
        {"\xB1", "A", 1, -79 - 'A'},
        {"a", "\xB1", 1, 'A' + 79},
        // The second byte of a double-byte character is not upper-cased,
        // even when it is in the range of the lower-case letters.
        {"\x83\x61", "\x83\x41", 2, 0x61 - 0x41},
        {"\x83\x61", "\x83\x61", 2, 0},
        {"\x88\x61" "bc", "\x88\x61" "BC", 4, 0},
        {"\x88\x61" "bc", "\x88\x41" "bc", 4, 0x61 - 0x41},
        // A lead byte before the NUL stands alone.
        {"a\x83", "A\x83", 2, 0},
        {"\xE0", "a", 1, -32 - 'A'},
        // Single-byte letters after a double-byte character are upper-cased.
        {"表x", "表X", 3, 0},
        // Each text is split into characters from its own start.
        {"\x83\x61", "a\x61", 2, -125 - 'A'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.a << "\" vs \"" << c.b << "\", count " << c.count);
        EXPECT_EQ(c.expected, CompareNoCaseN(c.a, c.b, c.count));
        EXPECT_EQ(-Sign(c.expected), Sign(CompareNoCaseN(c.b, c.a, c.count)));
    }
}

TEST(FindNoCase, Table)
{
    struct Case {
        const char* text;
        const char* pattern;
        int expected;
    };
    const Case cases[] = {
        {"$INSTDIR$\\X", "$InstDir$", 0},
        {"xx$instdir$", "$InstDir$", 2},
        {"$InstDi", "$InstDir$", -1},
        {"$InstallDir$", "$InstDir$", -1},
        {"a$b$c$b$", "$B$", 1},
        {"", "x", -1},
        {"", "", -1},
        {"abc", "", 0},
        {"abc", "abc", 0},
        {"abc", "abcd", -1},
        // The search moves one byte at a time and compares from there: a
        // second byte that looks like "a" is found when the search starts on it.
        {"\x83\x61", "A", 1},
        {"\x83\x61", "\x83\x41", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.pattern << "\" in \"" << c.text << "\"");
        EXPECT_EQ(c.expected, FindNoCase(c.text, c.pattern));
    }
}

TEST(ReplaceFirstNoCase, ReplacesOnlyTheFirstOccurrence)
{
    std::string s = "a$WINDIR$b$windir$";
    EXPECT_TRUE(ReplaceFirstNoCase(s, "$WinDir$", "C:\\WINDOWS"));
    EXPECT_EQ("aC:\\WINDOWSb$windir$", s);
    EXPECT_TRUE(ReplaceFirstNoCase(s, "$WinDir$", ""));
    EXPECT_EQ("aC:\\WINDOWSb", s);
    EXPECT_FALSE(ReplaceFirstNoCase(s, "$WinDir$", "x"));
    EXPECT_EQ("aC:\\WINDOWSb", s);
    std::string empty;
    EXPECT_FALSE(ReplaceFirstNoCase(empty, "$WinDir$", "x"));
    EXPECT_EQ("", empty);
}

// --------------------------------------------------------- ExpandPathVariables

const char* const kAllTokens[kPathVarCount] = {
    "$ProgramFiles$", "$WinDir$",   "$SysDir$",    "$InstDir$", "$SrcDir$", "$TmpDir$",
    "$UserName$",     "$Desktop$",  "$StartMenu$", "$StartUp$", "$SendTo$",
};

TEST(PathVarToken, TableOrder)
{
    for (int v = 0; v < kPathVarCount; ++v)
        EXPECT_STREQ(kAllTokens[v], PathVarToken(static_cast<PathVar>(v))) << "variable " << v;
}

// Values as a test sets them; counts how often each is asked for.
class CFakeVars : public IPathVarSource {
public:
    CFakeVars()
    {
        Set(PathVar::ProgramFiles, "C:\\Program Files");
        Set(PathVar::WinDir, "C:\\WINDOWS");
        Set(PathVar::SysDir, "C:\\WINDOWS\\SYSTEM");
        Set(PathVar::InstDir, "C:\\APP");
        Set(PathVar::SrcDir, "A:\\");
        Set(PathVar::TmpDir, "C:\\WINDOWS\\SetupTmp");
        Set(PathVar::UserName, "");
        Set(PathVar::Desktop, "C:\\WINDOWS\\デスクトップ");
        Set(PathVar::StartMenu, "C:\\WINDOWS\\スタート メニュー");
        Set(PathVar::StartUp, "C:\\WINDOWS\\スタート メニュー\\プログラム\\スタートアップ");
        Set(PathVar::SendTo, "C:\\WINDOWS\\SendTo");
    }

    void Set(PathVar v, const std::string& value) { m_values[static_cast<int>(v)] = value; }
    std::string Value(PathVar v) override
    {
        ++m_asked[static_cast<int>(v)];
        return m_values[static_cast<int>(v)];
    }
    int Asked(PathVar v) const { return m_asked[static_cast<int>(v)]; }

private:
    std::string m_values[kPathVarCount];
    int m_asked[kPathVarCount] = {};
};

std::string Expand(std::string s, IPathVarSource& vars)
{
    ExpandPathVariables(s, vars);
    return s;
}

struct ExpandCase {
    const char* text;
    const char* expected;
    std::vector<std::pair<PathVar, std::string>> values;  // changes to the fake's values
};

void RunExpandTable(const std::vector<ExpandCase>& cases)
{
    for (std::size_t row = 0; row < cases.size(); ++row) {
        const ExpandCase& c = cases[row];
        SCOPED_TRACE(testing::Message() << "row " << row << ": \"" << c.text << "\"");
        CFakeVars vars;
        for (const auto& value : c.values)
            vars.Set(value.first, value.second);
        EXPECT_EQ(c.expected, Expand(c.text, vars));
    }
}

TEST(ExpandPathVariables, ScriptPaths)
{
    RunExpandTable({
        {"$INSTDIR$\\UNINSTAL.INF", "C:\\APP\\UNINSTAL.INF", {}},
        {"$instdir$\\a", "C:\\APP\\a", {}},
        {"$InstDir$;$InstDir$\\BIN", "C:\\APP;C:\\APP\\BIN", {}},
        {"$WINDIR$\\SetupTmp", "C:\\WINDOWS\\SetupTmp", {}},
        {"$SRCDIR$\\DISK2", "A:\\\\DISK2", {}},
        {"$ProgramFiles$\\Tool", "C:\\Program Files\\Tool", {}},
        {"$SYSDIR$\\VMUNST10.EXE", "C:\\WINDOWS\\SYSTEM\\VMUNST10.EXE", {}},
        {"$TmpDir$\\a;$SendTo$\\b", "C:\\WINDOWS\\SetupTmp\\a;C:\\WINDOWS\\SendTo\\b", {}},
        {"$Desktop$\\表.lnk", "C:\\WINDOWS\\デスクトップ\\表.lnk", {}},
        {"$StartMenu$|$StartUp$",
         "C:\\WINDOWS\\スタート メニュー|C:\\WINDOWS\\スタート メニュー\\プログラム\\スタートアップ", {}},
        // An empty value removes its token.
        {"$SysDir$\\$UserName$.INI", "C:\\WINDOWS\\SYSTEM\\.INI", {}},
        {"$Desktop$\\x", "\\x", {{PathVar::Desktop, ""}}},
        {"$UserName$", "太郎", {{PathVar::UserName, "太郎"}}},
        // Text that is no token stays.
        {"$Foo$\\X", "$Foo$\\X", {}},
        {"100$", "100$", {}},
        {"$", "$", {}},
        {"$$", "$$", {}},
        {"$InstallDir$\\X", "$InstallDir$\\X", {}},
        {"$InstDir\\X", "$InstDir\\X", {}},
        {"C:\\PLAIN\\PATH", "C:\\PLAIN\\PATH", {}},
        {"", "", {}},
        // A plain substring match.
        {"$SysDir$X", "C:\\WINDOWS\\SYSTEMX", {}},
        {"X$SysDir$$SysDir$", "XC:\\WINDOWS\\SYSTEMC:\\WINDOWS\\SYSTEM", {}},
        // Values are used as they stand: no backslash added or removed.
        {"$InstDir$\\A", "C:\\\\A", {{PathVar::InstDir, "C:\\"}}},
        // Many occurrences: no limit on their number.
        {"$WinDir$$WinDir$$WinDir$$WinDir$$WinDir$$WinDir$$WinDir$$WinDir$$WinDir$$WinDir$",
         "xxxxxxxxxx", {{PathVar::WinDir, "x"}}},
    });
}

TEST(ExpandPathVariables, TokensInValuesAndFormedByValues)
{
    RunExpandTable({
        // A value that contains a token is expanded in turn.
        {"$InstDir$\\A", "C:\\WINDOWS\\APP\\A", {{PathVar::InstDir, "$WinDir$\\APP"}}},
        {"$InstDir$\\A", "C:\\WINDOWS\\APP\\A", {{PathVar::InstDir, "$windir$\\APP"}}},
        {"$InstDir$", "C:\\WINDOWS;C:\\WINDOWS", {{PathVar::InstDir, "$WinDir$;$WinDir$"}}},
        // Chains through several values, in either table direction.
        {"$SendTo$", "C:\\WINDOWS\\X\\Y", {{PathVar::SendTo, "$TmpDir$\\Y"}, {PathVar::TmpDir, "$WinDir$\\X"}}},
        {"$WinDir$", "D:\\Z\\W", {{PathVar::WinDir, "$SendTo$\\W"}, {PathVar::SendTo, "D:\\Z"}}},
        // A token that a value forms with the text around it.
        {"$UserName$Dir$", "C:\\WINDOWS", {{PathVar::UserName, "$Win"}}},
        {"$Win$UserName$Dir$", "C:\\WINDOWS", {}},
        // The first variable in table order that occurs goes first: here
        // "$WinDir$" takes the "$" that "$SysDir$" would have needed ...
        {"$SysDir$WinDir$", "$SysDirC:\\WINDOWS", {}},
        // ... and here "$WinDir$" goes first and leaves no "$SysDir$".
        {"$WinDir$SysDir$", "C:\\WINDOWSSysDir$", {}},
        {"$$UserName$WinDir$", "$$UserNameC:\\WINDOWS", {}},
        {"$SendTo$ProgramFiles$", "$SendToC:\\Program Files", {}},
    });
}

TEST(ExpandPathVariables, ValuesThatReferToThemselves)
{
    RunExpandTable({
        // A user name typed as "$UserName$" stays as typed.
        {"$UserName$", "$UserName$", {{PathVar::UserName, "$UserName$"}}},
        {"a$username$b", "a$USERNAME$b", {{PathVar::UserName, "$USERNAME$"}}},
        // The search goes on after the token left standing: the second
        // token of the text is still replaced.
        {"$UserName$ $UserName$", "$UserName$ $UserName$", {{PathVar::UserName, "$UserName$"}}},
        {"$UserName$\\$InstDir$", "$UserName$\\C:\\APP", {{PathVar::UserName, "$UserName$"}}},
        // An install directory that names itself through another variable.
        {"$InstDir$\\A", "C:\\WINDOWS\\$InstDir$\\A", {{PathVar::InstDir, "$WinDir$\\$InstDir$"}}},
        // A -> B -> A through two held values, entered from either side.
        {"$InstDir$", "$InstDir$yx", {{PathVar::InstDir, "$SrcDir$x"}, {PathVar::SrcDir, "$InstDir$y"}}},
        {"$SrcDir$", "$SrcDir$xy", {{PathVar::InstDir, "$SrcDir$x"}, {PathVar::SrcDir, "$InstDir$y"}}},
        // A cycle through three values.
        {"$TmpDir$", "$TmpDir$321",
         {{PathVar::TmpDir, "$SrcDir$1"}, {PathVar::SrcDir, "$InstDir$2"}, {PathVar::InstDir, "$TmpDir$3"}}},
        // A token of the same variable formed by its value and the text after it.
        {"$UserName$Name$", "$UserName$", {{PathVar::UserName, "$User"}}},
        // Two values that hold each other's tokens many times: a defined, finite result.
        {"$WinDir$", "$WinDir$$WinDir$$WinDir$$WinDir$",
         {{PathVar::WinDir, "$SysDir$$SysDir$"}, {PathVar::SysDir, "$WinDir$$WinDir$"}}},
    });
}

TEST(ExpandPathVariables, ValuesAreFetchedAtExpansionTime)
{
    // A string expanded late sees values set late; nothing is kept between calls.
    CFakeVars vars;
    EXPECT_EQ("\\x", Expand("$UserName$\\x", vars));
    vars.Set(PathVar::UserName, "taro");
    EXPECT_EQ("taro\\x", Expand("$UserName$\\x", vars));
}

TEST(ExpandPathVariables, AsksOnlyForValuesItNeeds)
{
    // Special folders cost a shell call each: a string without their tokens
    // does not ask for them, and a token used twice asks once.
    CFakeVars vars;
    EXPECT_EQ("C:\\APP\\C:\\APP", Expand("$InstDir$\\$InstDir$", vars));
    EXPECT_EQ(1, vars.Asked(PathVar::InstDir));
    for (PathVar v : {PathVar::ProgramFiles, PathVar::Desktop, PathVar::StartMenu, PathVar::StartUp, PathVar::SendTo})
        EXPECT_EQ(0, vars.Asked(v)) << PathVarToken(v);
}

TEST(ExpandPathVariables, StopsBeforeTheStringPassesOneMebibyte)
{
    CFakeVars vars;
    const std::string big(600 * 1024, 'x');
    vars.Set(PathVar::InstDir, big);
    // "$WinDir$" comes first in table order; then the second "$InstDir$"
    // would pass 1 MiB: it and everything after it are left as they stand.
    std::string s = "$InstDir$;$InstDir$;$WinDir$;$SendTo$";
    ExpandPathVariables(s, vars);
    ASSERT_EQ(big.size() + 30, s.size());
    EXPECT_EQ(0, s.compare(0, big.size(), big));
    EXPECT_EQ(";$InstDir$;C:\\WINDOWS;$SendTo$", s.substr(big.size()));
    // Up to the limit, everything is replaced.
    const std::string fits((1 << 20) - 1, 'y');
    vars.Set(PathVar::InstDir, fits);
    s = "$InstDir$;";
    ExpandPathVariables(s, vars);
    EXPECT_TRUE(s == fits + ";") << "size " << s.size();
}

TEST(ExpandPathVariables, DeeplyNestedValuesEnd)
{
    // Each value holds 40 tokens of the next variable and the last one is
    // empty: 40^10 substitutions would be needed for a short result. The
    // work limit ends the expansion with the tokens not reached left standing.
    CFakeVars vars;
    vars.Set(PathVar::ProgramFiles, "");
    for (int v = 1; v < kPathVarCount; ++v) {
        std::string value;
        for (int i = 0; i < 40; ++i)
            value += kAllTokens[v - 1];
        vars.Set(static_cast<PathVar>(v), value);
    }
    const std::string result = Expand("$SendTo$", vars);
    EXPECT_LE(result.size(), std::size_t(1) << 20);
    EXPECT_NE(std::string::npos, result.find('$'));
}

TEST(ExpandPathVariables, AgreesWithTheSimpleAlgorithmOnRandomTexts)
{
    // Texts and values built from tokens, pieces of tokens, dollar signs and
    // double-byte characters, so that tokens form across value boundaries,
    // overlap, and refer to each other in cycles.
    const char* const pieces[] = {
        "$", "$$", "x", "\\", "Win", "Dir", "DIR$", "$WinDir$", "$windir$", "$SysDir$", "$InstDir$",
        "$SrcDir$", "$TmpDir$", "$UserName$", "$Desktop$", "$StartMenu$", "$StartUp$", "$SendTo$",
        "$ProgramFiles$", "$Win", "Dir$", "$Start", "Up$", "Menu$", "Send", "To$", "\x83$", "表", "\x83",
    };
    const int pieceCount = static_cast<int>(sizeof(pieces) / sizeof(pieces[0]));
    std::mt19937 rng(20240601);
    auto text = [&](int maxPieces) {
        std::string s;
        const int n = static_cast<int>(rng() % static_cast<unsigned>(maxPieces + 1));
        for (int i = 0; i < n; ++i)
            s += pieces[rng() % pieceCount];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        CFakeVars vars;
        std::string values[kPathVarCount];
        for (int v = 0; v < kPathVarCount; ++v) {
            values[v] = rng() % 3 == 0 ? std::string() : text(4);
            vars.Set(static_cast<PathVar>(v), values[v]);
        }
        const std::string input = text(8);
        SCOPED_TRACE(testing::Message() << "round " << round << ", text \"" << input << "\"");
        const std::string expected = ReferenceExpandPathVariables(input, vars);
        ASSERT_EQ(expected, Expand(input, vars));
    }
}

}  // namespace

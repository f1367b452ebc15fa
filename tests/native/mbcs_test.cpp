#include "paths/mbcs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::size_t npos = std::string::npos;

TEST(IsLeadByte, FollowsShiftJisRanges)
{
    // Native builds use code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC.
    // Half-width katakana (0xA1-0xDF) and ASCII are characters of one byte.
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << c);
        const bool expected = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        EXPECT_EQ(expected, IsLeadByte(static_cast<unsigned char>(c)));
    }
}

// Every backslash that is a character of its own, found by repeated forward scans.
std::vector<std::size_t> AllSeparators(const std::string& s)
{
    std::vector<std::size_t> found;
    for (std::size_t p = FindNextBackslash(s); p != npos; p = FindNextBackslash(s, p + 1))
        found.push_back(p);
    return found;
}

TEST(BackslashScan, StepsOverDoubleByteCharacters)
{
    // "ソ" and "表" both end in 0x5C; only the three real separators count.
    const std::string path = "C:\\ソフト\\表\\A";
    ASSERT_EQ(14u, path.size()) << "the test needs the Shift-JIS form of the path";
    EXPECT_EQ((std::vector<std::size_t>{2, 9, 12}), AllSeparators(path));
    EXPECT_EQ(12u, FindLastBackslash(path));
    EXPECT_EQ(9u, FindNextBackslash(path, 3));
    // Starting the scan on the 0x5C byte of "ソ" does not find it either.
    EXPECT_EQ(9u, FindNextBackslash(path, 4));
}

TEST(BackslashScan, TrailByteBeforeTheEnd)
{
    // A path that ends in "表" has no separator at its last byte.
    EXPECT_EQ(2u, FindLastBackslash("C:\\表"));
    EXPECT_EQ(npos, FindLastBackslash("表"));
    EXPECT_EQ(npos, FindNextBackslash("表"));
}

TEST(BackslashScan, PlainPaths)
{
    struct Case {
        const char* path;
        std::size_t from;
        std::size_t next;  // FindNextBackslash(path, from)
        std::size_t last;  // FindLastBackslash(path)
    };
    const Case cases[] = {
        {"", 0, npos, npos},
        {"\\", 0, 0, 0},
        {"C:\\WINDOWS\\SYSTEM", 0, 2, 10},
        {"C:\\WINDOWS\\SYSTEM", 3, 10, 10},
        {"C:\\WINDOWS\\SYSTEM", 11, npos, 10},
        {"C:\\WINDOWS\\", 10, 10, 10},
        {"C:\\A\\B", 99, npos, 4},
        {"NOSLASH", 0, npos, npos},
        {"\\\\SERVER\\SHARE", 1, 1, 8},
        // Half-width katakana are single bytes: the backslash after them is real.
        {"\xB1\\\xB2", 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "path \"" << c.path << "\" from " << c.from);
        EXPECT_EQ(c.next, FindNextBackslash(c.path, c.from));
        EXPECT_EQ(c.last, FindLastBackslash(c.path));
    }
}

TEST(BackslashScan, LeadByteAtTheEnd)
{
    // A lead byte without its second byte is taken alone; nothing is read
    // past the end and the backslash before it is found.
    const std::string cut = std::string("A\\") + "\x95";
    EXPECT_EQ(1u, FindLastBackslash(cut));
    EXPECT_EQ(1u, FindNextBackslash(cut));
    EXPECT_EQ(npos, FindNextBackslash(cut, 2));
}

TEST(ByteLimit, CutsOnlyWhatTheEditInsertedToWholeCharacters)
{
    // An edit turned `before` into `after`; the field holds at most `limit`
    // bytes (あ, い, ... are two bytes each in code page 932).
    struct Case {
        const char* name;
        const char* before;
        const char* after;
        std::size_t limit;
        const char* expected;  // null: the edit fits and is left alone
        std::size_t caret;
    };
    const Case cases[] = {
        {"fits", "abc", "abcd", 8, nullptr, 0},
        {"a double-byte character fits exactly", "あいう", "あいうえ", 8, nullptr, 0},
        {"one byte too many", "あいうえ", "あいうえa", 8, "あいうえ", 8},
        {"half a character never", "あいうa", "あいうaお", 8, "あいうa", 7},
        {"typed in the middle", "abcdefgh", "abcXdefgh", 8, "abcdefgh", 3},
        {"a paste is cut to what fits", "ab", "abあいうえお", 8, "abあいう", 8},
        {"a paste leaves one byte free", "abc", "abcあいう", 8, "abcあい", 7},
        {"a selection replaced", "abcdefgh", "abあいうefgh", 8, "abあefgh", 4},
        {"trail bytes that are backslashes", "表表表", "表表表ソ", 7, "表表表", 6},
        // The common end is taken back to a whole character of `before`:
        // "ソ" ends in 0x5C as the typed "\" does.
        {"the common end starts on a character", "aソ", "aX\\", 2, "aX", 2},
        {"a text already too long is cut", "abcdefghij", "abcdefghijk", 8, "abcdefgh", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.after;
        std::size_t caret = 12345;
        const bool changed = FitEditToByteLimit(c.before, text, c.limit, caret);
        if (!c.expected) {
            EXPECT_FALSE(changed);
            EXPECT_EQ(c.after, text);
            continue;
        }
        EXPECT_TRUE(changed);
        EXPECT_EQ(c.expected, text);
        EXPECT_EQ(c.caret, caret);
        EXPECT_LE(text.size(), c.limit);
    }
}

}  // namespace

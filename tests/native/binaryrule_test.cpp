#include "profile/binaryrule.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseScriptBinary, ReadsBytesOfTwoHexDigits)
{
    struct Case {
        const char* text;
        std::vector<unsigned char> expected;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"00", {0x00}},
        {"DEADBEEF", {0xDE, 0xAD, 0xBE, 0xEF}},
        {"deadBeef", {0xDE, 0xAD, 0xBE, 0xEF}},
        // Apart, as in a dump or a .reg file's hex list.
        {"DE AD BE EF", {0xDE, 0xAD, 0xBE, 0xEF}},
        {"de,ad,be,ef", {0xDE, 0xAD, 0xBE, 0xEF}},
        {"01, 02,\t03", {0x01, 0x02, 0x03}},
        {" 0102  03 ", {0x01, 0x02, 0x03}},
        {",01,", {0x01}},
        {"FF00", {0xFF, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
        std::vector<unsigned char> bytes{0x55};
        EXPECT_TRUE(ParseScriptBinary(c.text, bytes));
        EXPECT_EQ(c.expected, bytes);
    }
}

TEST(ParseScriptBinary, RefusesMalformedTextAndSaysWhere)
{
    struct Case {
        const char* text;
        std::size_t badPos;
    };
    const Case cases[] = {
        {"0", 0},             // a lone digit at the end
        {"ABC", 2},           // an odd count
        {"A B", 0},           // a blank inside a byte
        {"01 2 03", 3},
        {"0G", 1},            // not a digit
        {"G0", 0},
        {"0x10", 1},          // no C notation
        {"01-02", 2},
        {"01;02", 2},
        {"\"01\"", 0},        // quotes are the script line's, never the data's
        {"０１", 0},          // full-width digits are not digits
        {"01 02 0", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
        std::vector<unsigned char> bytes{0x55};
        std::size_t badPos = 999;
        EXPECT_FALSE(ParseScriptBinary(c.text, bytes, &badPos));
        EXPECT_TRUE(bytes.empty());
        EXPECT_EQ(c.badPos, badPos);
    }
}

}  // namespace

#include "profile/intrule.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseScriptInt, FollowsTheIntegerRule)
{
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"", 0},
        {"0", 0},
        {"42", 42},
        {"007", 7},
        // Leading white space of every kind is skipped, blanks after the sign are not.
        {"  42", 42},
        {"\t\n\v\f\r 7", 7},
        {"- 5", 0},
        {"42 ", 42},
        // One optional sign.
        {"+5", 5},
        {"-5", -5},
        {"  -12ab", -12},
        {"+-5", 0},
        {"--5", 0},
        {"-", 0},
        {"+", 0},
        // Digits up to the first non-digit; no digits give 0.
        {"12abc", 12},
        {"3 4", 3},
        {"1.5", 1},
        {"abc", 0},
        {"TRUE", 0},
        // No hexadecimal form.
        {"0x10", 0},
        {"10h", 10},
        // Full-width digits are not digits.
        {"１２", 0},
        // No range check: overflow wraps in 32 bits.
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MIN},
        {"4294967297", 1},
        {"-4294967295", 1},
        {"99999999999999999999", static_cast<int32_t>(UINT32_C(1661992959))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
        EXPECT_EQ(c.expected, ParseScriptInt(c.text));
    }
}

TEST(ParseScriptInt, StopsAtEmbeddedNul)
{
    EXPECT_EQ(12, ParseScriptInt(std::string("12\0" "3", 4)));
}

}  // namespace

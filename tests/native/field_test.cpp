#include "paths/field.h"

#include <gtest/gtest.h>

namespace {

TEST(GetField, SplitsScriptValues)
{
    // Every row uses the separators "," and the default "<def>", as the
    // script loader does, unless it gives its own separators.
    struct Case {
        const char* line;
        int index;
        const char* expected;
        const char* separators;
    };
    const Case cases[] = {
        // Empty and missing fields both give the default.
        {"1,,FOO.EX_", 0, "1", ","},
        {"1,,FOO.EX_", 1, "<def>", ","},
        {"1,,FOO.EX_", 2, "FOO.EX_", ","},
        {"1,,FOO.EX_", 5, "<def>", ","},
        {"a,b,", 2, "<def>", ","},
        {"a,b,", 3, "<def>", ","},
        {",a", 0, "<def>", ","},
        {",a", 1, "a", ","},
        {"", 0, "<def>", ","},
        {"", 1, "<def>", ","},
        {"abc", 0, "abc", ","},
        {"abc", 1, "<def>", ","},
        {"a,b,c", 1, "b", ","},
        {"a,b,c", -1, "<def>", ","},
        // Blanks around fields stay.
        {"1, x", 1, " x", ","},
        {" a ,b", 0, " a ", ","},
        // Quotes protect separators; one enclosing pair is removed.
        {"a,\"b,c\",d", 0, "a", ","},
        {"a,\"b,c\",d", 1, "b,c", ","},
        {"a,\"b,c\",d", 2, "d", ","},
        {"\"a,b\",c", 0, "a,b", ","},
        {"x,\"1,2,3\",y", 2, "y", ","},
        {"\"a\"b\"", 0, "a\"b", ","},
        {"a,\"b\"\"c\",d", 1, "b\"\"c", ","},
        // An odd number of quotes leaves the last one open to the end of the line.
        {"a,\"b\"c\",d", 1, "\"b\"c\",d", ","},
        {"\"\"\"x\"\"\"", 0, "\"\"x\"\"", ","},
        // A quote that is never closed takes the rest of the line.
        {"x\"y,z", 0, "x\"y,z", ","},
        {"x\"y,z", 1, "<def>", ","},
        {"\"a,b", 0, "\"a,b", ","},
        // A field that is only quotes becomes empty and gives the default.
        {"\"\"", 0, "<def>", ","},
        {"\"", 0, "<def>", ","},
        {"a,\",b", 1, "\",b", ","},
        // Quotes that do not enclose the whole field stay.
        {"\"a\" ,b", 0, "\"a\" ", ","},
        // Only the first byte of the separators counts.
        {"a;b", 1, "b", ";"},
        {"a,b;c", 1, "c", ";,"},
        {"a,b;c", 0, "a,b", ";,"},
        // Shift-JIS: neither ',' nor '"' occurs as a second byte.
        {"ソフト,表,\"予,定\"", 0, "ソフト", ","},
        {"ソフト,表,\"予,定\"", 1, "表", ","},
        {"ソフト,表,\"予,定\"", 2, "予,定", ","},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line \"" << c.line << "\" index " << c.index
                                        << " separators \"" << c.separators << "\"");
        EXPECT_EQ(c.expected, GetField(c.line, c.index, "<def>", c.separators));
    }
}

TEST(GetField, DefaultIsReturnedAsGiven)
{
    // The execute line has defaults of its own; an empty default gives "".
    EXPECT_EQ("1", GetField("a,,c", 1, "1", ","));
    EXPECT_EQ("", GetField("a,,c", 1, "", ","));
    EXPECT_EQ("c", GetField("a,,c", 2, "1", ","));
}

TEST(GetField, EmptySeparatorsSplitNothing)
{
    EXPECT_EQ("a,b", GetField("a,b", 0, "<def>", ""));
    EXPECT_EQ("<def>", GetField("a,b", 1, "<def>", ""));
}

TEST(GetField, LongLines)
{
    // No buffer of fixed size: a field of any length comes back whole.
    const std::string big(100000, 'x');
    EXPECT_EQ(big, GetField("a," + big + ",c", 1, "", ","));
    EXPECT_EQ("c", GetField("a," + big + ",c", 2, "", ","));
}

}  // namespace

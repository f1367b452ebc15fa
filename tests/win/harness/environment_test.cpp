// The Wine environment the other tests rely on; a wrong set-up fails here loudly.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>

TEST(Environment, AnsiCodePageIsShiftJis)
{
    EXPECT_EQ(932u, GetACP());
}

TEST(Environment, JapaneseLiteralsAreShiftJis)
{
    // "表" is 0x95 0x5C in code page 932: its second byte is a backslash.
    const char* s = "表";
    ASSERT_EQ(2u, std::strlen(s));
    EXPECT_EQ(0x95, static_cast<unsigned char>(s[0]));
    EXPECT_EQ(0x5C, static_cast<unsigned char>(s[1]));
}

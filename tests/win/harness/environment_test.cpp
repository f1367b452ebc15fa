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

// The i686 build runs in a 32-bit Windows, as customers have it, not under
// WoW64 in a 64-bit prefix (where the system directory and HKLM\Software of
// a 32-bit program are redirected); the x86_64 build runs natively in a
// 64-bit one.
TEST(Environment, ProgramsRunInAWindowsOfTheirOwnWidth)
{
    BOOL wow64 = TRUE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_FALSE(wow64);

    char dir[MAX_PATH] = "";
    SetLastError(0);
    const UINT length = GetSystemWow64DirectoryA(dir, sizeof dir);
#ifdef _WIN64
    EXPECT_NE(0u, length) << "a 64-bit Windows keeps its 32-bit system files apart";
#else
    EXPECT_EQ(0u, length) << "a 32-bit Windows has no WoW64 directory, found " << dir;
    EXPECT_EQ(static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED), GetLastError());
#endif
}

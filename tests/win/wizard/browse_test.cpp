// Where the directory browser opens: the nearest existing directory of the
// one it is given, found by cutting the path at its last backslash, a
// character of its own (not the second byte of 表 or ソ).
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "wizard/browsedialog.h"

namespace {

class BrowseStart : public testing::Test {
protected:
    void SetUp() override
    {
        char tmp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, tmp);
        m_strRoot = std::string(tmp) + "browse-" + std::to_string(::GetCurrentProcessId());
        for (const char* sub : {"", "\\表", "\\表\\ソフト"})
            ASSERT_TRUE(::CreateDirectoryA((m_strRoot + sub).c_str(), nullptr)) << sub;
    }
    void TearDown() override
    {
        for (const char* sub : {"\\表\\ソフト", "\\表", ""})
            ::RemoveDirectoryA((m_strRoot + sub).c_str());
    }
    std::string m_strRoot;
};

TEST_F(BrowseStart, CutsThePathBackToADirectoryThatExists)
{
    const std::string r = m_strRoot;
    struct Case {
        std::string given;
        std::string expected;
    };
    const Case cases[] = {
        {r, r},
        {r + "\\表\\ソフト", r + "\\表\\ソフト"},
        {r + "\\NEWAPP", r},
        {r + "\\表\\新しい\\もっと", r + "\\表"},
        // A missing directory whose name ends in a 0x5C byte is cut whole.
        {r + "\\表\\ソ", r + "\\表"},
        {r + "\\表\\表", r + "\\表"},
        // A drive that does not exist: cut until no backslash is left.
        {"Q:\\APP", "Q:"},
        {"Q:\\APP\\SUB", "Q:"},
        {"", ""},
        {"NOSLASH", "NOSLASH"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(c.expected, CBrowseDialog::StartDirectory(c.given));
    }
}

}  // namespace

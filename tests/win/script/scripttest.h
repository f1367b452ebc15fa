#pragma once
// A setup script of the running test's own, in a temporary directory of its
// own, made the settings file of an application object as start-up does, so
// that the document reads "Config" exactly as it does in the installer.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/app.h"
#include "script/setupdoc.h"
#include "tests/win/profile/testutil.h"

namespace scripttest {

class CTestApp : public CApplication {
public:
    explicit CTestApp(const std::string& settingsFile) : m_strSettings(settingsFile)
    {
        m_pszProfileName = m_strSettings.c_str();
    }
    BOOL InitInstance() override { return TRUE; }

private:
    std::string m_strSettings;
};

// Lines joined with `eol`, each line ended by it.
inline std::string Lines(const std::vector<std::string>& lines, const std::string& eol = "\r\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + eol;
    return text;
}

// The file helpers of the store tests serve the script tests too.
using testutil::ReadBytes;
using testutil::WriteBytes;

// Each test gets a fresh directory with its SETUP.INF and an application
// whose settings file is that script.
class ScriptTest : public testing::Test {
protected:
    void SetUp() override
    {
        char tmp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, tmp);
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        m_strDir = std::string(tmp) + name + "-" + std::to_string(::GetCurrentProcessId());
        ASSERT_TRUE(::CreateDirectoryA(m_strDir.c_str(), nullptr)) << m_strDir;
        m_strScript = m_strDir + "\\SETUP.INF";
        m_app = std::make_unique<CTestApp>(m_strScript);
    }

    void TearDown() override
    {
        m_app.reset();
        // Every file a test writes is in its directory: the script, and
        // whatever the private-profile functions leave beside it.
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA((m_strDir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileA((m_strDir + "\\" + fd.cFileName).c_str());
            } while (::FindNextFileA(h, &fd));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(m_strDir.c_str());
    }

    void WriteScript(const std::vector<std::string>& lines, const std::string& eol = "\r\n")
    {
        WriteBytes(m_strScript, Lines(lines, eol));
        // The private-profile functions may keep a parsed copy of the file;
        // this makes them read it again.
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strScript.c_str());
    }

    // A document on the script, loaded as at start-up.
    std::unique_ptr<CSetupDoc> OpenDocument()
    {
        auto doc = std::make_unique<CSetupDoc>(m_strScript);
        EXPECT_TRUE(doc->OnNewDocument());
        return doc;
    }

    std::string m_strDir;
    std::string m_strScript;
    std::unique_ptr<CTestApp> m_app;
};

// The keys of a list's items, through the member that holds a line's key.
template <typename T, typename Member>
std::vector<std::string> KeysOf(const CItemList<T>& list, Member member)
{
    std::vector<std::string> keys;
    for (const auto& item : list)
        keys.push_back((*item).*member);
    return keys;
}

} // namespace scripttest

// The program group per platform: Start menu folders and shell links (read
// back through the shell), Program Manager commands (to a stand-in that
// records them), and what is recorded for uninstallation.
#include "engine/programgroup.h"

#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "paths/fileutil.h"
#include "paths/pathvars.h"
#include "tests/media/linkread.h"
#include "tests/win/engine/updatetest.h"
#include "tests/win/profile/testutil.h"

using testutil::CTempDir;
using namespace updatetest;

namespace {

class ProgramGroupTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        SetInstDir(m_dir.Path());
        SetUserName("太郎");
        m_group = "アプリ " + std::to_string(::GetCurrentProcessId());
    }
    void TearDown() override
    {
        SetInstDir("");
        SetUserName("");
        ::CoUninitialize();
    }

    // Two installed files that ask for program items, one in a directory
    // of its own.
    void MakeFiles()
    {
        m_edit.m_strName = m_edit.m_strDestName = "EDIT.EXE";
        m_edit.m_strShortcut = "エディタ";
        m_help.m_strName = m_help.m_strDestName = "表示.HLP";
        m_help.m_strDestDir = "HELP";
        m_help.m_strShortcut = "$UserName$のヘルプ";
        testutil::WriteBytes(m_dir.File("EDIT.EXE"), "MZ");
        ASSERT_TRUE(::CreateDirectoryA(m_dir.File("HELP").c_str(), nullptr));
        testutil::WriteBytes(m_dir.File("HELP\\表示.HLP"), "help");
    }

    // Makes the group and the two items as the update does.
    void Build(ProgramGroupKind kind, IProgramManager* progman)
    {
        CProgramGroup group(kind, m_group, m_log, progman);
        group.CreateGroup();
        group.AddItem(m_edit);
        group.AddItem(m_help);
        group.Finish();
    }

    // Both links in the folder, read back: target and description.
    void ExpectLinks(const std::string& folder)
    {
        std::string target;
        std::string description;
        ASSERT_TRUE(media::ReadShellLink(folder + "\\エディタ.lnk", target, description));
        EXPECT_EQ(m_dir.File("EDIT.EXE"), target);
        EXPECT_EQ("エディタ", description);
        ASSERT_TRUE(media::ReadShellLink(folder + "\\太郎のヘルプ.lnk", target, description));
        EXPECT_EQ(m_dir.File("HELP\\表示.HLP"), target);
        EXPECT_EQ("太郎のヘルプ", description);
        const std::vector<std::string> expected = {
            "DeleteShortCut " + folder + "\\エディタ.lnk",
            "DeleteShortCut " + folder + "\\太郎のヘルプ.lnk",
        };
        EXPECT_EQ(expected, m_events.Get());
    }

    static void RemoveFolder(const std::string& folder)
    {
        ::DeleteFileA((folder + "\\エディタ.lnk").c_str());
        ::DeleteFileA((folder + "\\太郎のヘルプ.lnk").c_str());
        ::RemoveDirectoryA(folder.c_str());
    }

    CTempDir m_dir{"-グループ"};
    std::string m_group;
    CFileItem m_edit;
    CFileItem m_help;
    CEvents m_events;
    CRecordingLog m_log{m_events};
};

}  // namespace

TEST(ProgramGroupKind, FollowsThePlatform)
{
    struct Row {
        const char* name;
        int nt;
        int windows95;
        DWORD version;
        ProgramGroupKind kind;
    };
    const Row rows[] = {
        {"Windows 95", 0, 1, 0x00040000, ProgramGroupKind::StartMenu95},
        {"Windows NT 4.0", 1, 0, 0x00040000, ProgramGroupKind::StartMenuNT4},
        {"Windows NT 5.0", 1, 0, 0x00050000, ProgramGroupKind::StartMenuNT4},
        {"Windows NT 3.51", 1, 0, 0x00030033, ProgramGroupKind::ProgramManager},
        {"Windows NT 3.1", 1, 0, 0x0003000A, ProgramGroupKind::ProgramManager},
        {"another platform", 0, 0, 0x00040000, ProgramGroupKind::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.kind, ProgramGroupKindOf(row.nt, row.windows95, row.version));
    }
}

TEST_F(ProgramGroupTest, Windows95MakesAFolderInTheProgramsFolderWithALinkPerItem)
{
    MakeFiles();
    const std::string folder = GetProgramsDir() + "\\" + m_group;
    Build(ProgramGroupKind::StartMenu95, nullptr);
    EXPECT_TRUE(IsDirectory(folder));
    ExpectLinks(folder);
    RemoveFolder(folder);
}

TEST_F(ProgramGroupTest, WindowsNT4MakesTheFolderInTheUsersProfile)
{
    MakeFiles();
    // What a Japanese Windows NT 4.0 has for every user who logged on.
    const std::string programs = GetUserProfileDir() + "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ";
    ASSERT_TRUE(CreateDirectoryTree(programs));
    const std::string folder = programs + "\\" + m_group;
    Build(ProgramGroupKind::StartMenuNT4, nullptr);
    EXPECT_TRUE(IsDirectory(folder));
    ExpectLinks(folder);
    RemoveFolder(folder);
}

TEST_F(ProgramGroupTest, WindowsNT351SendsProgramManagerCommandsAndRecordsTheGroup)
{
    MakeFiles();
    CRecordingProgman progman(m_events);
    Build(ProgramGroupKind::ProgramManager, &progman);
    const std::vector<std::string> expected = {
        "execute [CreateGroup(\"" + m_group + "\")]",
        "DeleteProgramGroup " + m_group,
        // The installed path first, the item's name second.
        "execute [AddItem(" + m_dir.File("EDIT.EXE") + ",エディタ)]",
        "clear error",
        "execute [AddItem(" + m_dir.File("HELP\\表示.HLP") + ",太郎のヘルプ)]",
        "clear error",
        "execute [ExitProgman(1)]",
    };
    EXPECT_EQ(expected, m_events.Get());
    EXPECT_FALSE(testutil::FileExistsA(GetProgramsDir() + "\\" + m_group));
}

TEST_F(ProgramGroupTest, AnotherPlatformGetsNoGroupAndNoItems)
{
    MakeFiles();
    Build(ProgramGroupKind::None, nullptr);
    EXPECT_TRUE(m_events.Get().empty());
    EXPECT_FALSE(testutil::FileExistsA(GetProgramsDir() + "\\" + m_group));
}

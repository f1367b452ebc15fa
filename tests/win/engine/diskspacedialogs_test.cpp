// The disk space check's windows: the notice that reports after its two
// ticks and ignores Enter and Escape, and the shortage list with a row per
// short drive and its three answers.
#include <windows.h>
#include <gtest/gtest.h>
#include <thread>

#include "engine/diskspacedialogs.h"
#include "engine/phasemessages.h"
#include "paths/pathvars.h"
#include "resources/dialogs/infodiskspace.h"
#include "tests/win/engine/windowtest.h"

using namespace copytest;

namespace {

// C: with 10 free clusters of 512 bytes; D: with plenty.
class CTwoDrives : public IDriveFacts {
public:
    UINT DriveType(const std::string& root) override
    {
        return root[0] == 'C' || root[0] == 'D' ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
    }
    bool QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster, DWORD& bytesPerSector,
                        DWORD& freeClusters) override
    {
        sectorsPerCluster = 1;
        bytesPerSector = 512;
        freeClusters = root[0] == 'C' ? 10 : 100000;
        return true;
    }
};

std::unique_ptr<CFileItem> File(const std::string& destDir, int32_t size)
{
    auto item = std::make_unique<CFileItem>();
    item->m_strDestDir = destDir;
    item->m_nSize = size;
    return item;
}

// Clicks a button of the dialog with this template once it is on screen;
// the dialog runs modally on the test's thread meanwhile.
void ClickWhenShown(UINT templateId, int button)
{
    HWND dialog = nullptr;
    for (int i = 0; i < 3000 && !(dialog = FindDialog(templateId)); ++i)
        ::Sleep(10);
    ASSERT_NE(nullptr, dialog) << templateId;
    ::PostMessageA(::GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    // Until it has closed, or the next question opened over it.
    for (int i = 0; i < 3000 && ::IsWindowVisible(dialog) && ::IsWindowEnabled(dialog); ++i)
        ::Sleep(10);
}

class DiskSpaceDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        SetInstDir("D:\\APP");
        ASSERT_TRUE(m_view.Create());
    }
    void TearDown() override
    {
        m_view.DestroyWindow();
        SetInstDir("");
    }
    CViewStandIn m_view;
    CTwoDrives m_drives;
};

}  // namespace

TEST_F(DiskSpaceDialogs, TheNoticeReportsOnceAfterItsTwoTicksAndEnterAndEscapeDoNothing)
{
    struct Row {
        const char* name;
        int32_t size;   // a file for C: (the Windows directory)
        WPARAM result;
    };
    const Row rows[] = {{"enough", 10 * 512, PHASE_DONE}, {"short", 10 * 512 + 1, DISKSPACE_SHORT}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_view.m_received.clear();
        CItemList<CFileItem> files;
        files.push_back(File("$WinDir$", row.size));
        CCheckDiskFreeSpaceDialog notice(&m_drives);
        notice.SetItems(&files);
        ASSERT_TRUE(notice.Create(m_view.GetSafeHwnd()));
        ::ShowWindow(notice.GetSafeHwnd(), SW_SHOW);
        // The hidden buttons' commands, as Enter and Escape give them.
        ::SendMessageA(notice.GetSafeHwnd(), WM_COMMAND, IDOK, 0);
        ::SendMessageA(notice.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(::IsWindow(notice.GetSafeHwnd()));
        // Nothing is surveyed before the first tick.
        EXPECT_TRUE(notice.GetDisks().empty());
        ASSERT_TRUE(PumpUntil([&] { return m_view.Count(WM_DISKSPACE_RESULT) > 0; }, 30000));
        Pump(300);
        EXPECT_EQ(1, m_view.Count(WM_DISKSPACE_RESULT));
        EXPECT_EQ(row.result, m_view.Last(WM_DISKSPACE_RESULT));
        EXPECT_TRUE(::IsWindow(notice.GetSafeHwnd()));
        ASSERT_EQ(2u, notice.GetDisks().size());
        EXPECT_EQ('C', notice.GetDisks()[0].m_cDrive);
    }
}

TEST_F(DiskSpaceDialogs, TheShortageListHasARowPerShortDriveAndItsAnswers)
{
    CItemList<CFileItem> files;
    files.push_back(File("$WinDir$", 20 * 512));
    CDiskSpaceSurvey survey;
    survey.GatherDrives(m_drives);
    survey.CountFiles(files);
    ASSERT_FALSE(survey.IsEnough());

    struct Row {
        const char* name;
        std::vector<std::pair<UINT, int>> clicks;   // dialog template, button
        INT_PTR result;
    };
    const Row rows[] = {
        {"go on", {{150, IDOK}}, IDOK},
        {"check again", {{150, CInfoDiskFreeSpaceDialog::IDC_RECHECK}}, CInfoDiskFreeSpaceDialog::IDC_RECHECK},
        // "中止" asks first; "再試行(&R)" keeps the list.
        {"abort, retry, abort, abort", {{150, IDCANCEL}, {136, IDOK}, {150, IDCANCEL}, {136, IDCANCEL}}, IDCANCEL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LRESULT listRows = -1;
        std::thread user([&] {
            HWND list = nullptr;
            for (int i = 0; i < 3000 && !list; ++i) {
                if (HWND dialog = FindDialog(150))
                    list = ::GetDlgItem(dialog, IDC_INFO_DISK_SPACE_LIST);
                else
                    ::Sleep(10);
            }
            listRows = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
            for (const auto& click : row.clicks)
                ClickWhenShown(click.first, click.second);
        });
        CInfoDiskFreeSpaceDialog shortage(m_view.GetSafeHwnd());
        shortage.SetDisks(&survey.GetDisks());
        EXPECT_EQ(row.result, shortage.DoModal());
        user.join();
        // C: is short, D: is not.
        EXPECT_EQ(1, listRows);
    }
}

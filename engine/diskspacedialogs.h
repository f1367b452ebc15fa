#pragma once
// The disk space check as the user sees it: a notice while the drives are
// surveyed, and the list of the drives that lack space.
#include <windows.h>
#include <vector>

#include "engine/diskspace.h"
#include "framework/dialog.h"

// Modeless notice without a title bar. A second after it opens it surveys
// the drives and counts the files (first tick), a second later it decides
// (second tick), so the notice is on screen before a slow network drive is
// asked. It then posts WM_DISKSPACE_RESULT to its parent view: 1 enough
// space, 2 a drive is short. Enter and Escape do nothing.
class CCheckDiskFreeSpaceDialog : public CDialog {
public:
    // The drive facts default to the system's; they must outlive the dialog.
    explicit CCheckDiskFreeSpaceDialog(IDriveFacts* drives = nullptr);

    // The files of the installation; set before Create, not owned.
    void SetItems(const CItemList<CFileItem>* files) { m_pFiles = files; }
    // Creates the notice (not yet shown) over the main view, which gets the
    // result. The view is a child window: the pop-up's own parent is the
    // view's frame, so the view is kept here.
    bool Create(HWND view);
    // The drives as surveyed (empty before the first tick).
    const std::vector<CDiskItem>& GetDisks() const { return m_survey.GetDisks(); }

    static constexpr UINT_PTR kGatherTimer = 0;
    static constexpr UINT_PTR kDecideTimer = 1;
    static constexpr UINT kTickInterval = 1000;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnTimer(UINT_PTR id);

    CSystemDriveFacts m_systemDrives;
    IDriveFacts& m_drives;
    HWND m_hView = nullptr;
    const CItemList<CFileItem>* m_pFiles = nullptr;
    CDiskSpaceSurvey m_survey;
};

// The drives that lack space, one red row each: "続行(&I)" (IDOK),
// "再度確認(&R)" (IDC_RECHECK), or "中止" (IDCANCEL, also Escape and close)
// once the cancel question confirmed it.
class CInfoDiskFreeSpaceDialog : public CDialog {
public:
    explicit CInfoDiskFreeSpaceDialog(HWND parent = nullptr);
    // The check dialog's drives; set before DoModal, not owned.
    void SetDisks(const std::vector<CDiskItem>* disks) { m_pDisks = disks; }

    static constexpr int IDC_RECHECK = 1016;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCancel() override;
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnDrawItem(const DRAWITEMSTRUCT& draw);
    // The short drives in list order.
    std::vector<const CDiskItem*> ShortDisks() const;

    const std::vector<CDiskItem>* m_pDisks = nullptr;
    CDialogItem m_list;
};

#include "engine/diskspacedialogs.h"

#include "engine/phasemessages.h"
#include "engine/placement.h"
#include "engine/questiondialogs.h"
#include "resources/dialogs/checkdiskspace.h"
#include "resources/dialogs/infodiskspace.h"

static_assert(CInfoDiskFreeSpaceDialog::IDC_RECHECK == IDC_INFO_DISK_SPACE_RECHECK,
              "the recheck answer is the button's id");

// ---- CCheckDiskFreeSpaceDialog ----

CCheckDiskFreeSpaceDialog::CCheckDiskFreeSpaceDialog(IDriveFacts* drives)
    : CDialog(IDD_CHECK_DISK_SPACE), m_drives(drives ? *drives : m_systemDrives)
{
}

bool CCheckDiskFreeSpaceDialog::Create(HWND view)
{
    m_hView = view;
    return CDialog::Create(view);
}

BOOL CCheckDiskFreeSpaceDialog::OnInitDialog()
{
    CentreOverParentClient(m_hWnd, m_hView);
    ::SetTimer(m_hWnd, kGatherTimer, kTickInterval, nullptr);
    return TRUE;
}

BOOL CCheckDiskFreeSpaceDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (msg != WM_TIMER)
        return FALSE;
    OnTimer(static_cast<UINT_PTR>(wParam));
    result = 0;
    return TRUE;
}

void CCheckDiskFreeSpaceDialog::OnTimer(UINT_PTR id)
{
    ::KillTimer(m_hWnd, id);
    if (id == kGatherTimer) {
        m_survey.GatherDrives(m_drives);
        if (m_pFiles)
            m_survey.CountFiles(*m_pFiles);
        ::SetTimer(m_hWnd, kDecideTimer, kTickInterval, nullptr);
    } else if (id == kDecideTimer) {
        ::PostMessageA(m_hView, WM_DISKSPACE_RESULT,
                       m_survey.IsEnough() ? PHASE_DONE : DISKSPACE_SHORT, 0);
    }
}

// ---- CInfoDiskFreeSpaceDialog ----

CInfoDiskFreeSpaceDialog::CInfoDiskFreeSpaceDialog(HWND parent) : CDialog(IDD_INFO_DISK_SPACE, parent) {}

void CInfoDiskFreeSpaceDialog::DoDataExchange()
{
    Bind(m_list, IDC_INFO_DISK_SPACE_LIST);
}

std::vector<const CDiskItem*> CInfoDiskFreeSpaceDialog::ShortDisks() const
{
    std::vector<const CDiskItem*> disks;
    if (m_pDisks)
        for (const CDiskItem& disk : *m_pDisks)
            if (disk.IsShort())
                disks.push_back(&disk);
    return disks;
}

BOOL CInfoDiskFreeSpaceDialog::OnInitDialog()
{
    // Rows carry no text of their own (the list has no strings); each row is
    // drawn from its drive when the list asks for it. The row height follows
    // the dialog's font: the list was measured before this object was tied
    // to its window.
    HDC dc = ::GetDC(m_list.GetHwnd());
    TEXTMETRICA metrics = {};
    {
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
        HGDIOBJ old = ::SelectObject(dc, font);
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, old);
    }
    ::ReleaseDC(m_list.GetHwnd(), dc);
    if (metrics.tmHeight > 0)
        ::SendMessageA(m_list.GetHwnd(), LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
    const size_t count = ShortDisks().size();
    for (size_t i = 0; i < count; ++i)
        ::SendMessageA(m_list.GetHwnd(), LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    return TRUE;
}

bool CInfoDiskFreeSpaceDialog::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_RECHECK && code == BN_CLICKED) {
        EndDialog(IDC_RECHECK);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CInfoDiskFreeSpaceDialog::OnCancel()
{
    CQueryCancelDialog question(m_hWnd);
    if (question.DoModal() == IDCANCEL)
        EndDialog(IDCANCEL);
}

BOOL CInfoDiskFreeSpaceDialog::OnMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_DRAWITEM)
        return FALSE;
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!draw || draw->CtlID != static_cast<UINT>(IDC_INFO_DISK_SPACE_LIST))
        return FALSE;
    OnDrawItem(*draw);
    result = TRUE;
    return TRUE;
}

void CInfoDiskFreeSpaceDialog::OnDrawItem(const DRAWITEMSTRUCT& draw)
{
    if (draw.itemID == static_cast<UINT>(-1))
        return;
    const std::vector<const CDiskItem*> disks = ShortDisks();
    if (draw.itemID >= disks.size())
        return;
    const std::string row = FormatShortDiskRow(*disks[draw.itemID]);
    const COLORREF old = ::SetTextColor(draw.hDC, RGB(255, 0, 0));
    ::TabbedTextOutA(draw.hDC, draw.rcItem.left, draw.rcItem.top, row.c_str(), static_cast<int>(row.size()),
                     0, nullptr, draw.rcItem.left);
    ::SetTextColor(draw.hDC, old);
}

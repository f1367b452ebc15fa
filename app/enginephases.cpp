#include "app/enginephases.h"

#include "app/mainframe.h"
#include "services/installlog.h"

void LogDiskCheck(const std::vector<CDiskItem>& disks)
{
    for (const CDiskItem& disk : disks)
        LogStep(std::string("disk check ") + disk.m_cDrive + ": free " + std::to_string(disk.FreeKB()) +
                " KB, needed " + std::to_string(disk.NeededKB()) + " KB" + (disk.IsShort() ? ", short" : "") +
                (disk.m_bFreeSpaceKnown ? "" : ", free space unknown"));
}

bool CDiskCheckPhase::Start(CWnd& view, CItemList<CFileItem>* files, const std::string&, const std::string&)
{
    m_dialog.SetItems(files);
    if (!m_dialog.Create(view.GetSafeHwnd()))
        return false;
    ::ShowWindow(m_dialog.GetSafeHwnd(), SW_SHOW);
    return true;
}

INT_PTR CDiskCheckPhase::AskShortage(CWnd& view)
{
    CInfoDiskFreeSpaceDialog shortage(view.GetSafeHwnd());
    shortage.SetDisks(&m_dialog.GetDisks());
    return shortage.DoModal();
}

void CDiskCheckPhase::Close()
{
    LogDiskCheck(m_dialog.GetDisks());
    m_dialog.DestroyWindow();
}

CCopyPhase::CCopyPhase(ICopyQuestions& questions, bool show) : m_questions(questions), m_bShow(show) {}

bool CCopyPhase::Start(CWnd& view, CItemList<CFileItem>* files, const std::string&, const std::string&,
                       const std::string&)
{
    auto* frame = dynamic_cast<CMainFrame*>(view.GetParent());
    if (!frame)
        return false;
    m_pDialog = std::make_unique<CCopyDialog>(m_questions, m_installer, *frame);
    m_pDialog->SetItems(files);
    if (!m_pDialog->Create(view.GetSafeHwnd())) {
        m_pDialog.reset();
        return false;
    }
    if (m_bShow)
        ::ShowWindow(m_pDialog->GetSafeHwnd(), SW_SHOW);
    return true;
}

void CCopyPhase::Close()
{
    if (m_pDialog)
        m_pDialog->DestroyWindow();
    m_pDialog.reset();
}

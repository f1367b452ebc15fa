#include "app/enginephases.h"

#include "app/mainframe.h"

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
    m_dialog.DestroyWindow();
}

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
    ::ShowWindow(m_pDialog->GetSafeHwnd(), SW_SHOW);
    return true;
}

void CCopyPhase::Close()
{
    if (m_pDialog)
        m_pDialog->DestroyWindow();
    m_pDialog.reset();
}

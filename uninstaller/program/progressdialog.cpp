#include "uninstaller/program/progressdialog.h"

#include <commctrl.h>

#include "uninstaller/program/dialogs.h"
#include "uninstaller/program/exitcodes.h"
#include "uninstaller/program/messages.h"
#include "uninstaller/program/texts.h"
#include "uninstaller/summary.h"

namespace {
// The bar's range: fine enough for any number of steps, within the 16 bits
// of the progress bar of Windows 95 (PBM_SETRANGE).
constexpr int kBarRange = 1000;
}  // namespace

CUninstallProgressDialog::CUninstallProgressDialog(const CRemovalPlan& plan, CRemovalSettings settings)
    : CDialog(IDD_UNINSTALL_PROGRESS), m_plan(plan), m_settings(std::move(settings))
{
}

CUninstallProgressDialog::~CUninstallProgressDialog()
{
    m_thread.reset();
}

BOOL CUninstallProgressDialog::OnInitDialog()
{
    SetItemText(IDC_PROGRESS_MESSAGE,
                FillPlaceholders(GetItemText(IDC_PROGRESS_MESSAGE), {m_plan.m_strProduct}));
    ::SendMessageA(GetItem(IDC_PROGRESS_BAR), PBM_SETRANGE, 0, MAKELPARAM(0, kBarRange));
    return TRUE;
}

bool CUninstallProgressDialog::StartRemoval()
{
    m_thread = std::make_unique<CRemovalThread>(m_plan, m_settings, m_hWnd);
    if (m_thread->Begin())
        return true;
    m_thread.reset();
    return false;
}

BOOL CUninstallProgressDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    result = 0;
    switch (msg) {
    case WM_REMOVAL_STEP:
        OnStep(static_cast<std::size_t>(wParam));
        return TRUE;
    case WM_REMOVAL_FINISHED:
        OnFinished();
        return TRUE;
    default:
        return FALSE;
    }
}

void CUninstallProgressDialog::OnStep(std::size_t index)
{
    if (m_bFinished || index >= m_plan.m_steps.size())
        return;
    SetItemText(IDC_PROGRESS_ITEM, DescribeStep(m_plan.m_steps[index]));
    const std::size_t total = m_plan.m_steps.size();
    ::SendMessageA(GetItem(IDC_PROGRESS_BAR), PBM_SETPOS,
                   static_cast<WPARAM>(index * kBarRange / total), 0);
}

void CUninstallProgressDialog::OnFinished()
{
    if (m_bFinished)
        return;
    m_bFinished = true;
    ::SendMessageA(GetItem(IDC_PROGRESS_BAR), PBM_SETPOS, kBarRange, 0);
    m_thread->Stop();
    const CRemovalSummary summary = SummariseRemoval(m_plan, m_thread->Results());
    m_thread.reset();
    ::ShowWindow(m_hWnd, SW_HIDE);
    CUninstallReportDialog report(m_plan.m_strProduct, summary, m_hWnd);
    report.DoModal();
    ::PostQuitMessage(summary.HasProblems() ? kExitItemsLeft : kExitRemoved);
    DestroyWindow();
}

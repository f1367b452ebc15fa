#include "engine/copythread.h"

#include "resources/dialogs/copy.h"

CCopyThread::CCopyThread(IVersionInstaller& installer, ICopyQuestions& questions, IUninstallLog& log,
                         COverwriteAllFlags& overwriteAll)
    : m_copier(installer, questions, log, overwriteAll, m_gate)
{
}

CCopyThread::~CCopyThread()
{
    // The dialog ends the thread first (also out of a question); this only
    // keeps the handlers alive until an idle thread has left its loop.
    m_gate.Abandon();
    Stop();
}

void CCopyThread::OnThreadMessage(UINT msg, WPARAM, LPARAM)
{
    switch (msg) {
    case WM_COPY_START:
        PostThreadMessage(WM_COPY_NEXT);
        break;
    case WM_COPY_NEXT:
        OnCopyNext();
        break;
    default:
        break;
    }
}

void CCopyThread::End(UINT notice)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    ::PostMessageA(m_hDialog, notice, 0, 0);
}

void CCopyThread::OnCopyNext()
{
    if (!m_hDialog || m_bEnded)
        return;
    // Between two items: the place to wait while the user is asked whether
    // to stop, and to see a stop confirmed meanwhile before the next begins.
    if (!m_gate.SafePoint()) {
        End(WM_COPY_ABORTED);
        return;
    }
    if (m_bCancelRequested) {
        End(WM_COPY_ABORTED);
        return;
    }
    if (!m_pItems || m_nIndex >= m_pItems->size()) {
        End(WM_COPY_DONE);
        return;
    }
    const CFileItem& item = *(*m_pItems)[m_nIndex];
    if (!m_copier.EnsureDisk(item, m_nCurrentDisk)) {
        End(WM_COPY_ABORTED);
        return;
    }
    ::SetDlgItemTextA(m_hDialog, IDC_COPY_FILENAME, item.m_strName.c_str());
    const CopyOutcome outcome = m_copier.CopyItem(item);
    if (outcome == CopyOutcome::Abort) {
        End(WM_COPY_ABORTED);
        return;
    }
    const WPARAM bytes = item.m_nSize > 0 ? static_cast<WPARAM>(item.m_nSize) : 0;
    ::SendMessageA(m_hDialog, WM_COPY_PROGRESS, bytes, 0);
    ++m_nIndex;
    if (m_nIndex == m_pItems->size())
        End(WM_COPY_DONE);
    else
        PostThreadMessage(WM_COPY_NEXT);
}

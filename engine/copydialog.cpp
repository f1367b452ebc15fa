#include "engine/copydialog.h"

#include <commctrl.h>
#include <algorithm>
#include <vector>

#include "engine/phasemessages.h"
#include "engine/placement.h"
#include "resources/dialogs/copy.h"

int CopyProgressPercent(uint64_t copied, uint64_t total, size_t reported, size_t count)
{
    uint64_t percent = 0;
    if (total > 0)
        percent = copied * 100 / total;
    else if (count > 0)
        percent = uint64_t(reported) * 100 / count;
    return static_cast<int>(std::min<uint64_t>(percent, 100));
}

CCopyDialog::CCopyDialog(ICopyQuestions& questions, IVersionInstaller& installer, IUninstallLog& log,
                         COverwriteAllFlags& overwriteAll)
    : CDialog(IDD_COPY), m_questions(questions), m_installer(installer), m_log(log),
      m_overwriteAll(overwriteAll)
{
}

CCopyDialog::~CCopyDialog()
{
    *m_pAlive = false;
    EndWorker();
}

bool CCopyDialog::Create(HWND view)
{
    m_hView = view;
    // The progress bar's window class. InitCommonControlsEx would do it too,
    // but the common controls of Windows 95 and NT 3.51 do not have it.
    ::InitCommonControls();
    return CDialog::Create(view);
}

BOOL CCopyDialog::OnInitDialog()
{
    CentreOverParentClient(m_hWnd, m_hView);
    m_nTotalSize = 0;
    m_nCopiedSize = 0;
    m_nReported = 0;
    if (m_pItems)
        for (const auto& item : *m_pItems)
            m_nTotalSize += item->m_nSize > 0 ? uint64_t(item->m_nSize) : 0;
    ::SendDlgItemMessageA(m_hWnd, IDC_COPY_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));

    m_pWorker = std::make_unique<CCopyThread>(m_installer, m_questions, m_log, m_overwriteAll);
    m_pWorker->SetDialog(m_hWnd);
    m_pWorker->SetItems(m_pItems);
    // Without its worker the copy cannot run: it ends as aborted.
    if (!m_pWorker->Start() || !m_pWorker->PostThreadMessage(WM_COPY_START))
        ::PostMessageA(m_hWnd, WM_COPY_ABORTED, 0, 0);
    return TRUE;
}

BOOL CCopyDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (msg) {
    case WM_COPY_PROGRESS:
        OnCopyProgress(wParam);
        break;
    case WM_COPY_DONE:
        OnCopyEnded(PHASE_DONE);
        break;
    case WM_COPY_ABORTED:
        OnCopyEnded(PHASE_CANCELLED);
        break;
    case WM_DESTROY:
        EndWorker();
        return FALSE;
    default:
        return FALSE;
    }
    result = 0;
    return TRUE;
}

void CCopyDialog::OnCopyProgress(WPARAM bytes)
{
    m_nCopiedSize += bytes;
    ++m_nReported;
    const size_t count = m_pItems ? m_pItems->size() : 0;
    ::SendDlgItemMessageA(m_hWnd, IDC_COPY_PROGRESS, PBM_SETPOS,
                          static_cast<WPARAM>(CopyProgressPercent(m_nCopiedSize, m_nTotalSize, m_nReported, count)),
                          0);
}

void CCopyDialog::OnCopyEnded(WPARAM result)
{
    // The notice arrived inside the cancel question's loop: the view would
    // destroy this dialog under the question. It is handled once answered.
    if (m_bAskingCancel) {
        m_pendingEnd = result;
        return;
    }
    if (m_bFinished)
        return;
    m_bFinished = true;
    EndWorker();
    ::PostMessageA(m_hView, WM_COPY_FINISHED, result, 0);
}

void CCopyDialog::OnCancel()
{
    if (m_bFinished || m_bAskingCancel)
        return;
    std::shared_ptr<bool> alive = m_pAlive;
    m_bAskingCancel = true;
    if (m_pWorker)
        m_pWorker->GetGate().Pause();
    CCopyQuestion question(CopyPrompt::Cancel);
    question.owner = m_hWnd;
    const INT_PTR answer = m_questions.Ask(question);
    if (!*alive)
        return;
    if (m_pWorker) {
        // Asked before the worker goes on, so it sees the stop before its next item.
        if (answer == IDCANCEL)
            m_pWorker->RequestCancel();
        m_pWorker->GetGate().Resume();
    }
    m_bAskingCancel = false;
    if (m_pendingEnd) {
        const WPARAM pending = m_pendingEnd;
        m_pendingEnd = 0;
        OnCopyEnded(pending);
    }
}

namespace {
// Closes each visible window of the worker once: closing answers as Escape
// would, and some questions then ask whether to stop (a new window, closed
// in turn); asked to close again, they would ask again.
struct CQuestionCloser {
    std::vector<HWND> closed;

    static BOOL CALLBACK Close(HWND window, LPARAM self)
    {
        auto& closer = *reinterpret_cast<CQuestionCloser*>(self);
        if (::IsWindowVisible(window) &&
            std::find(closer.closed.begin(), closer.closed.end(), window) == closer.closed.end()) {
            closer.closed.push_back(window);
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }
};
}  // namespace

void CCopyDialog::EndWorker()
{
    if (!m_pWorker)
        return;
    m_pWorker->GetGate().Abandon();
    CQuestionCloser closer;
    while (m_pWorker->IsRunning()) {
        // Its own loop may be inside a question's, which drops thread
        // messages: asked again until it is out.
        m_pWorker->PostQuit();
        ::EnumThreadWindows(m_pWorker->GetThreadId(), &CQuestionCloser::Close, reinterpret_cast<LPARAM>(&closer));
        if (m_pWorker->Wait(20))
            break;
        // Answers what the worker is sending to this thread's windows.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    m_pWorker.reset();
}

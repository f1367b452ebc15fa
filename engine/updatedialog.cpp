#include "engine/updatedialog.h"

#include "engine/placement.h"
#include "resources/dialogs/updatesystem.h"

namespace {
// A control message that the worker shows: closing it answers its OK.
BOOL CALLBACK CloseWorkerWindow(HWND window, LPARAM)
{
    if (::IsWindowVisible(window))
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}
}  // namespace

CUpdateSystemDialog::CUpdateSystemDialog(HWND notify, UINT finishedMessage, IUninstallLog& log,
                                         IOcxNotices& ocxNotices,
                                         std::unique_ptr<CProgramGroup> group)
    : CDialog(IDD_UPDATE_SYSTEM, notify),
      m_hNotify(notify),
      m_nFinishedMessage(finishedMessage),
      m_log(log),
      m_ocxNotices(ocxNotices),
      m_pGroup(std::move(group))
{
}

CUpdateSystemDialog::~CUpdateSystemDialog()
{
    // The window first (the base would destroy it only after this part is
    // gone), which ends a worker still at work.
    if (m_hWnd)
        DestroyWindow();
    EndWorker();
}

BOOL CUpdateSystemDialog::OnInitDialog()
{
    CentreOverParentClient(m_hWnd, m_hNotify);
    m_pThread = std::make_unique<CUpdateSystemThread>(m_log, m_ocxNotices);
    m_pThread->SetDialog(m_hWnd);
    if (!m_pThread->Start() || !m_pThread->Start(m_lists)) {
        // Without a worker nothing can be applied; the installation goes on
        // all the same instead of waiting here for ever.
        m_pThread.reset();
        PostMessage(WM_UPDATE_DONE);
    }
    return TRUE;
}

bool CUpdateSystemDialog::OnCommand(int id, int code, HWND control)
{
    // The hidden OK and Cancel: Enter and Escape do nothing.
    if (id == IDOK || id == IDCANCEL)
        return true;
    return CDialog::OnCommand(id, code, control);
}

BOOL CUpdateSystemDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The worker waits for these two; their answers are not used.
    const LRESULT answer = m_pGroup->GetKind() == ProgramGroupKind::ProgramManager ? 1 : 0;
    switch (msg) {
    case WM_UPDATE_CREATEGROUP:
        if (!m_bEnding)
            m_pGroup->CreateGroup();
        result = answer;
        return TRUE;
    case WM_UPDATE_ADDITEM:
        if (!m_bEnding && lParam)
            m_pGroup->AddItem(*reinterpret_cast<const CFileItem*>(lParam));
        result = answer;
        return TRUE;
    case WM_UPDATE_DONE:
        OnUpdateDone();
        result = 0;
        return TRUE;
    case WM_DESTROY:
        EndWorker();
        return FALSE;
    default:
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }
}

void CUpdateSystemDialog::OnUpdateDone()
{
    if (m_bEnding)
        return;
    m_bEnding = true;
    m_pGroup->Finish();
    // The worker has nothing left to do: it ends at once.
    if (m_pThread) {
        m_pThread->Stop();
        m_pThread.reset();
    }
    ::PostMessageA(m_hNotify, m_nFinishedMessage, 1, 0);
    DestroyWindow();
}

void CUpdateSystemDialog::EndWorker()
{
    if (!m_pThread)
        return;
    m_bEnding = true;
    bool asked = false;
    while (m_pThread->IsRunning()) {
        if (!asked)
            asked = m_pThread->PostQuit();
        ::EnumThreadWindows(m_pThread->GetThreadId(), &CloseWorkerWindow, 0);
        if (m_pThread->Wait(20))
            break;
        // Answers what the worker is sending to this thread's windows.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    m_pThread.reset();
}

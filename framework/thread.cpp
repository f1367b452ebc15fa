#include "framework/thread.h"

namespace {
// Ends a worker's loop in turn with the messages posted before it.
UINT QuitThreadMessage()
{
    static const UINT msg = ::RegisterWindowMessageA("SetupWorkerQuit");
    return msg;
}
}  // namespace

CWorkerThread::~CWorkerThread()
{
    Stop();
}

void CWorkerThread::Stop()
{
    while (IsRunning()) {
        if (PostQuit()) {
            ::WaitForSingleObject(m_thread.Get(), INFINITE);
            return;
        }
        // A full queue refuses the post: try again once the worker made room.
        ::WaitForSingleObject(m_thread.Get(), 10);
    }
}

bool CWorkerThread::Start()
{
    if (m_thread)
        return false;
    m_ready.Attach(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_ready)
        return false;
    m_thread.Attach(::CreateThread(nullptr, 0, &CWorkerThread::ThreadMain, this, 0, &m_threadId));
    if (!m_thread)
        return false;
    // Waiting on the thread as well: a thread that ends before it signals
    // cannot leave the caller waiting for ever.
    HANDLE waits[2] = {m_ready.Get(), m_thread.Get()};
    DWORD which = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    return which == WAIT_OBJECT_0 && m_bInitOk;
}

bool CWorkerThread::PostThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return m_threadId != 0 && ::PostThreadMessageA(m_threadId, msg, wParam, lParam) != FALSE;
}

bool CWorkerThread::PostQuit(int exitCode) const
{
    // WM_QUIT itself would overtake messages already in the queue.
    return PostThreadMessage(QuitThreadMessage(), static_cast<WPARAM>(exitCode), 0);
}

bool CWorkerThread::Wait(DWORD milliseconds) const
{
    return !m_thread || ::WaitForSingleObject(m_thread.Get(), milliseconds) == WAIT_OBJECT_0;
}

bool CWorkerThread::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread.Get(), 0) == WAIT_TIMEOUT;
}

DWORD CWorkerThread::GetExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_thread)
        ::GetExitCodeThread(m_thread.Get(), &code);
    return code;
}

DWORD WINAPI CWorkerThread::ThreadMain(LPVOID self)
{
    return static_cast<DWORD>(static_cast<CWorkerThread*>(self)->Run());
}

int CWorkerThread::Run()
{
    // Create this thread's queue before telling the starter it may post.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    bool ok = false;
    try {
        ok = InitInstance();
    } catch (...) {
        ok = false;
    }
    m_bInitOk = ok;
    ::SetEvent(m_ready.Get());
    if (!ok)
        return ExitInstance(-1);

    int quitCode = 0;
    for (;;) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1)
            continue;
        if (msg.hwnd == nullptr) {
            if (msg.message == QuitThreadMessage()) {
                quitCode = static_cast<int>(msg.wParam);
                break;
            }
            try {
                OnThreadMessage(msg.message, msg.wParam, msg.lParam);
            } catch (...) {
                // A handler's failure must not take the process down with it.
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance(quitCode);
}

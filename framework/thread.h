#pragma once
// A worker thread with a message queue of its own: others post it messages,
// and it handles them one at a time, in order, on its own thread.
#include <windows.h>

#include "platform/handles.h"

class CWorkerThread {
public:
    CWorkerThread() = default;
    // Stops a thread that is still running (see Stop).
    virtual ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts the thread and returns once its queue exists (so posts cannot be
    // lost) and InitInstance has run: TRUE when it succeeded. A thread that
    // dies before it is ready makes Start return FALSE instead of hanging.
    bool Start();
    bool PostThreadMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Asks the thread to leave its loop after the messages posted before.
    bool PostQuit(int exitCode = 0) const;
    // Asks the thread to end after the messages posted before and waits until
    // it has. A derived class calls it in its own destructor: by the time the
    // base destructor runs, the handlers of the derived part are gone.
    void Stop();
    // Waits for the thread's end; TRUE when it has ended within the time.
    bool Wait(DWORD milliseconds) const;
    bool IsRunning() const;
    DWORD GetThreadId() const { return m_threadId; }
    DWORD GetExitCode() const;

protected:
    // On the new thread, before its first message; FALSE ends it at once.
    virtual bool InitInstance() { return true; }
    // A message posted to the thread (not to one of its windows).
    virtual void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // On the thread, after its loop; the result is the thread's exit code.
    virtual int ExitInstance(int quitCode) { return quitCode; }

private:
    static DWORD WINAPI ThreadMain(LPVOID self);
    int Run();

    CKernelHandle m_thread;
    CKernelHandle m_ready;
    DWORD m_threadId = 0;
    bool m_bInitOk = false;
};

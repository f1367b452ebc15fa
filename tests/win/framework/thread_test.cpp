// The worker thread: its queue exists before Start returns, messages are
// handled in order on the worker, and a worker that fails or dies early
// never leaves its starter waiting.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "framework/thread.h"

namespace {

class CRecordingThread : public CWorkerThread {
public:
    ~CRecordingThread() override { Stop(); }
    std::vector<WPARAM> m_seen;
    DWORD m_handlerThread = 0;
    bool m_bFailInit = false;
    bool m_bDieInInit = false;

protected:
    bool InitInstance() override
    {
        if (m_bDieInInit)
            ::ExitThread(7);
        return !m_bFailInit;
    }
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM) override
    {
        if (msg == WM_USER + 5) {
            m_handlerThread = ::GetCurrentThreadId();
            m_seen.push_back(wParam);
        }
        if (msg == WM_USER + 6)
            throw 1;  // a failing handler must not end the thread
    }
    int ExitInstance(int quitCode) override { return quitCode + 100; }
};

TEST(WorkerThread, HandlesPostedMessagesInOrderOnItsOwnThread)
{
    CRecordingThread t;
    ASSERT_TRUE(t.Start());
    // Posted at once after Start: none may be lost.
    for (WPARAM i = 0; i < 500; ++i)
        ASSERT_TRUE(t.PostThreadMessage(WM_USER + 5, i));
    ASSERT_TRUE(t.PostThreadMessage(WM_USER + 6));
    ASSERT_TRUE(t.PostThreadMessage(WM_USER + 5, 500));
    ASSERT_TRUE(t.PostQuit(3));
    ASSERT_TRUE(t.Wait(10000));
    ASSERT_EQ(501u, t.m_seen.size());
    for (WPARAM i = 0; i <= 500; ++i)
        ASSERT_EQ(i, t.m_seen[i]);
    EXPECT_EQ(t.GetThreadId(), t.m_handlerThread);
    EXPECT_NE(::GetCurrentThreadId(), t.m_handlerThread);
    EXPECT_EQ(103u, t.GetExitCode());
}

TEST(WorkerThread, FailedStartIsReportedWithoutHanging)
{
    CRecordingThread failing;
    failing.m_bFailInit = true;
    EXPECT_FALSE(failing.Start());
    EXPECT_TRUE(failing.Wait(10000));

    CRecordingThread dying;
    dying.m_bDieInInit = true;
    EXPECT_FALSE(dying.Start());
    EXPECT_TRUE(dying.Wait(10000));
    EXPECT_EQ(7u, dying.GetExitCode());
}

TEST(WorkerThread, DestructorEndsARunningThread)
{
    DWORD id = 0;
    {
        CRecordingThread t;
        ASSERT_TRUE(t.Start());
        id = t.GetThreadId();
    }
    // The thread is gone: posting to it fails.
    EXPECT_FALSE(::PostThreadMessageA(id, WM_USER + 5, 0, 0));
}

}  // namespace

#pragma once
// How the copy dialog holds its worker while it asks the user whether to
// stop. The worker is never suspended from outside: it might be holding the
// heap or the window manager's locks that the question needs. Instead it
// stops by itself at safe points (before each item, each install call and
// each question), where it holds nothing and has no window open.
#include <windows.h>
#include <atomic>

#include "platform/handles.h"

class CCopyGate {
public:
    CCopyGate();
    CCopyGate(const CCopyGate&) = delete;
    CCopyGate& operator=(const CCopyGate&) = delete;

    // From the user-interface thread.
    void Pause();
    void Resume();
    // Opens the gate for good: the worker is to end (the copy dialog goes
    // away); every later safe point tells it to stop.
    void Abandon();

    // From the worker: waits while paused; false once abandoned.
    bool SafePoint() const;
    bool IsAbandoned() const { return m_bAbandoned; }

private:
    CKernelHandle m_open;   // manual-reset event, signalled while the worker may run
    std::atomic<bool> m_bAbandoned{false};
};

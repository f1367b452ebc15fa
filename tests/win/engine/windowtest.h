#pragma once
// Window helpers of the engine's tests: a stand-in for the main view that
// keeps the phase messages it gets, a message pump with a time limit, and a
// look-up of dialogs by template id.
#include <windows.h>
#include <functional>
#include <vector>

#include "framework/window.h"

namespace copytest {

// Dispatches this thread's messages until `done` holds or `ms` have passed;
// false on the time-out.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);
void Pump(DWORD ms);

// A visible top-level window (of any thread) with this dialog template id, or null.
HWND FindDialog(UINT templateId);

// Stands in for the main view: keeps the private messages (WM_USER and up)
// that reach it, in order.
class CViewStandIn : public CWnd {
public:
    struct CReceived {
        UINT msg;
        WPARAM wParam;
    };
    std::vector<CReceived> m_received;

    bool Create();
    int Count(UINT msg) const;
    // wParam of the last such message, 0 when none came.
    WPARAM Last(UINT msg) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace copytest

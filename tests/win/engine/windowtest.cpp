#include "tests/win/engine/windowtest.h"

#include "framework/dialog.h"

namespace copytest {

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (::GetTickCount() - start >= ms)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Pump(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

namespace {
struct CDialogSearch {
    UINT id;
    HWND found;
};

// A callback of the system's calling convention (on i686 a lambda is not one).
BOOL CALLBACK MatchDialog(HWND h, LPARAM p)
{
    auto* search = reinterpret_cast<CDialogSearch*>(p);
    if (::IsWindowVisible(h) &&
        reinterpret_cast<UINT_PTR>(::GetPropA(h, CDialog::TemplateIdProperty())) == search->id) {
        search->found = h;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindDialog(UINT templateId)
{
    CDialogSearch search{templateId, nullptr};
    ::EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CViewStandIn::Create()
{
    CWnd::RegisterWindowClass("EngineTestView", 0, nullptr);
    return CreateEx(0, "EngineTestView", "view", WS_OVERLAPPED, 0, 0, 640, 480, nullptr, nullptr);
}

int CViewStandIn::Count(UINT msg) const
{
    int n = 0;
    for (const CReceived& r : m_received)
        n += r.msg == msg;
    return n;
}

WPARAM CViewStandIn::Last(UINT msg) const
{
    for (auto it = m_received.rbegin(); it != m_received.rend(); ++it)
        if (it->msg == msg)
            return it->wParam;
    return 0;
}

LRESULT CViewStandIn::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WM_USER && msg < 0x8000) {
        m_received.push_back({msg, wParam});
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace copytest

#include "app/mainframe.h"

#include "app/dialogs.h"

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    // The whole screen, maximised, without the template's menu.
    cs.x = 0;
    cs.y = 0;
    cs.cx = ::GetSystemMetrics(SM_CXSCREEN);
    cs.cy = ::GetSystemMetrics(SM_CYSCREEN);
    cs.style |= WS_MAXIMIZE;
    cs.hMenu = nullptr;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    // No caption: the background reaches the top of the screen. The frame
    // change makes the window recompute its border for the new style now.
    ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    return 0;
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == ID_APP_ABOUT) {
        CAboutDlg about(m_hWnd);
        about.DoModal();
        return 0;
    }
    return CFrameWnd::WindowProc(msg, wParam, lParam);
}

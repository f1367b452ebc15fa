#pragma once
// The installer's main window: a borderless frame over the whole screen whose
// only content is the main view. Destroying it ends the program.
#include <windows.h>

#include "framework/docview.h"

// The About command (the framework's standard command id).
constexpr UINT ID_APP_ABOUT = 0xE140;

class CMainFrame : public CFrameWnd {
protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

#pragma once
// The installer's main window: a borderless frame over the whole screen whose
// only content is the main view. Destroying it ends the program.
#include <windows.h>

#include "framework/docview.h"
#include "services/uninstlog.h"

class CSetupDoc;

// The About command (the framework's standard command id).
constexpr UINT ID_APP_ABOUT = 0xE140;

// The uninstall log's record operations are the frame's: every phase, on
// any thread, reaches them through the application's main window. Each one
// finds the document through the frame's view and does nothing without one
// or when the script turns uninstall support off.
class CMainFrame : public CFrameWnd, public IUninstallLog {
public:
    void LogDeleteFile(const std::string& path) override;
    void LogCreatedDirectory(const std::string& path) override;
    void LogDeleteShortCut(const std::string& path) override;
    void LogDeleteProgramGroup(const std::string& name) override;
    void LogUnregisterOcx(const COcxItem& item) override;
    void LogDeleteIniFile(const std::string& path) override;
    void LogDeleteIniSection(const CIniItem& item) override;
    void LogDeleteIniKeyword(const CIniItem& item) override;
    void LogDeleteIniValue(const CIniItem& item) override;
    // Completes the log and registers the uninstaller, once, when the system
    // update has ended.
    void RegisterUninstall();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The document when uninstall support is on, else null.
    CSetupDoc* UninstallDocument() const;

    CUninstallLogWriter m_uninstallLog;
};

#pragma once
// The worker that carries out a removal plan, one step per message, and
// tells its window with posted messages (messages.h). The plan and the
// user's answers are settled before it starts; it asks nothing.
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "framework/thread.h"
#include "uninstaller/outcome.h"
#include "uninstaller/programmanager.h"
#include "uninstaller/removalplan.h"
#include "uninstaller/restartdelete.h"

class CRemover;

struct CRemovalSettings {
    std::string m_strLogPath;
    RestartMethod m_restartMethod = RestartMethod::None;
    std::string m_strWininitPath;
    ProgramManagerFactory m_programManager;
};

class CRemovalThread : public CWorkerThread {
public:
    // The plan must outlive the thread; notify receives its messages.
    CRemovalThread(const CRemovalPlan& plan, CRemovalSettings settings, HWND notify);
    ~CRemovalThread() override;

    // Starts the thread and its first step.
    bool Begin();
    // One result per step; complete once WM_REMOVAL_FINISHED has arrived
    // and the thread has been stopped.
    const std::vector<CStepResult>& Results() const { return m_results; }

protected:
    bool InitInstance() override;
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int ExitInstance(int quitCode) override;

private:
    const CRemovalPlan& m_plan;
    CRemovalSettings m_settings;
    HWND m_hNotify;
    std::vector<CStepResult> m_results;
    std::size_t m_nNext = 0;          // only grows
    bool m_bComInitialised = false;
    // Made and destroyed on the worker thread (the Program Manager conversation must be).
    std::unique_ptr<CRestartDeletions> m_restart;
    std::unique_ptr<CRemover> m_remover;
};

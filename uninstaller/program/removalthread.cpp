#include "uninstaller/program/removalthread.h"

#include <objbase.h>

#include "uninstaller/program/messages.h"
#include "uninstaller/remover.h"

CRemovalThread::CRemovalThread(const CRemovalPlan& plan, CRemovalSettings settings, HWND notify)
    : m_plan(plan), m_settings(std::move(settings)), m_hNotify(notify), m_results(plan.m_steps.size())
{
}

CRemovalThread::~CRemovalThread()
{
    Stop();
}

bool CRemovalThread::Begin()
{
    return Start() && PostThreadMessage(WM_REMOVAL_NEXT);
}

bool CRemovalThread::InitInstance()
{
    // Controls unregister themselves through COM's registration functions.
    m_bComInitialised = SUCCEEDED(::CoInitialize(nullptr));
    m_restart = std::make_unique<CRestartDeletions>(m_settings.m_restartMethod, m_settings.m_strWininitPath);
    m_remover = std::make_unique<CRemover>(m_settings.m_strLogPath, *m_restart, m_settings.m_programManager);
    return true;
}

void CRemovalThread::OnThreadMessage(UINT msg, WPARAM, LPARAM)
{
    if (msg != WM_REMOVAL_NEXT)
        return;
    if (m_nNext >= m_plan.m_steps.size()) {
        ::PostMessageA(m_hNotify, WM_REMOVAL_FINISHED, 0, 0);
        return;
    }
    ::PostMessageA(m_hNotify, WM_REMOVAL_STEP, static_cast<WPARAM>(m_nNext), 0);
    CStepResult result;
    try {
        result = m_remover->Run(m_plan.m_steps[m_nNext]);
    } catch (...) {
        // Out of memory: the step counts as failed, and the removal goes on
        // (a step that never ended would leave the dialog waiting).
        result.m_outcome = Outcome::Failed;
        result.m_failure = Failure::SystemError;
        result.m_nError = ERROR_NOT_ENOUGH_MEMORY;
    }
    m_results[m_nNext] = result;
    ++m_nNext;
    PostThreadMessage(WM_REMOVAL_NEXT);
}

int CRemovalThread::ExitInstance(int quitCode)
{
    m_remover.reset();
    m_restart.reset();
    if (m_bComInitialised)
        ::CoUninitialize();
    return quitCode;
}

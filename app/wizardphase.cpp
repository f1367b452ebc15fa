#include "app/wizardphase.h"

#include "app/messages.h"
#include "app/setupapp.h"
#include "framework/window.h"

static_assert(CSetupSheet::kFinished == PHASE_DONE && CSetupSheet::kCancelled == PHASE_CANCELLED,
              "the sheet ends with the wParam values the view reads");

namespace {
// The program folders there are, found where the running system keeps them.
EProgramFolderStore FolderStoreOfRunningSystem()
{
    const CSetupApp* app = CSetupApp::Current();
    return app ? ProgramFolderStoreFor(app->m_bWindowsNT, app->m_bWindows95, app->m_dwWindowsVersion)
               : EProgramFolderStore::None;
}
}  // namespace

CWizardPhase::CWizardPhase() : m_wizard(WM_WIZARD_FINISHED, FolderStoreOfRunningSystem()) {}

bool CWizardPhase::Start(CWnd& view, CSetupDoc& doc)
{
    return m_wizard.Start(view.GetSafeHwnd(), doc);
}

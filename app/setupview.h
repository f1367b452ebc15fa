#pragma once
// The main view: paints the background and drives the installation from the
// first wizard page to the closing dialog, one phase window at a time.
//
//   waiting --timer--> wizard --1--> disk check --enough--> copy --1--> update --> closing dialog, end
//                        |2            |short: abort / check again / go on  |2
//                        v             v                                    v
//                     error exit    error exit                           error exit
//
// Every path ends by destroying the main frame, which ends the program.
#include <windows.h>
#include <memory>

#include "app/phases.h"
#include "framework/docview.h"
#include "script/setupdoc.h"

class CSetupView : public CView {
public:
    // The phase windows come from `phases`, which outlives the view.
    explicit CSetupView(IPhaseWindows& phases);
    ~CSetupView() override;

    CSetupDoc* GetDocument() const { return static_cast<CSetupDoc*>(CView::GetDocument()); }

    // The start-up timer's id; it opens the wizard once, half a second after
    // the background is up.
    static constexpr UINT_PTR kStartTimer = 0;
    static constexpr UINT kStartDelay = 500;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnTimer(UINT_PTR id);
    void OnWizardFinished(WPARAM result);
    void OnDiskSpaceResult(WPARAM result);
    void OnCopyFinished(WPARAM result);
    void OnUpdateFinished();
    BOOL OnEraseBkgnd(HDC dc);
    void OnDestroy();

    // Every end of the sequence: the phase windows tell the user (that the
    // installation is complete, or incomplete), the application keeps the
    // exit code, and the main frame closes.
    void End(InstallEnd end);
    void LogScript();
    void CloseMainFrame();
    void StartDiskCheck();
    void StartCopy();
    void StartUpdate();

    IPhaseWindows& m_phases;
    std::unique_ptr<IWizardWindow> m_pWizard;
    std::unique_ptr<IDiskCheckWindow> m_pDiskCheck;
    std::unique_ptr<ICopyWindow> m_pCopy;
    std::unique_ptr<IUpdateWindow> m_pUpdate;
};

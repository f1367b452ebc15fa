#pragma once
// The modeless window of the removal: the product, the step under way and a
// progress bar. It starts the worker, follows its messages and, when the
// worker is done, shows the report and ends the program with its exit code.
#include <windows.h>
#include <memory>
#include <string>

#include "framework/dialog.h"
#include "resources/uninstaller/progress.h"
#include "uninstaller/program/removalthread.h"
#include "uninstaller/removalplan.h"

class CUninstallProgressDialog : public CDialog {
public:
    // The plan must outlive the dialog.
    CUninstallProgressDialog(const CRemovalPlan& plan, CRemovalSettings settings);
    ~CUninstallProgressDialog() override;
    // Starts the removal in the created window; FALSE when the worker cannot
    // start (then nothing is removed).
    bool StartRemoval();

protected:
    BOOL OnInitDialog() override;
    // The removal cannot be stopped half-way: Enter, Escape and close do nothing.
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnStep(std::size_t index);
    void OnFinished();

    const CRemovalPlan& m_plan;
    CRemovalSettings m_settings;
    std::unique_ptr<CRemovalThread> m_thread;
    bool m_bFinished = false;
};

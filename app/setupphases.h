#pragma once
// The phase windows of the shipped installer, interactive: the wizard
// sheet, the disk-space, copy and system-update dialogs and the uninstall
// registration. With /r it also records the user's answers (the wizard's
// choices, the copy's questions, the disk-space question) in the response
// file; every question and its answer go to the install log.
#include <memory>
#include <string>

#include "app/phases.h"
#include "engine/copyquestions.h"
#include "engine/responsefile.h"
#include "engine/silentquestions.h"
#include "engine/updatedialog.h"

// The system update as a phase. The notices of controls that fail to
// register go where the factory says; a silent run's notice stays hidden.
class CUpdatePhase : public IUpdateWindow {
public:
    CUpdatePhase(IOcxNotices& ocxNotices, bool show) : m_ocxNotices(ocxNotices), m_bShow(show) {}
    bool Start(CWnd& view, const CUpdateLists& lists, const std::string& groupName) override;
    void Close() override;

private:
    IOcxNotices& m_ocxNotices;
    bool m_bShow;
    std::unique_ptr<CUpdateSystemDialog> m_pDialog;
};

class CSetupPhaseWindows : public IPhaseWindows {
public:
    // recordPath: the response file to record into (/r); "" records nothing.
    explicit CSetupPhaseWindows(const std::string& recordPath = std::string());
    ~CSetupPhaseWindows() override;

    std::unique_ptr<IWizardWindow> NewWizard() override;
    std::unique_ptr<IDiskCheckWindow> NewDiskCheck() override;
    std::unique_ptr<ICopyWindow> NewCopy() override;
    std::unique_ptr<IUpdateWindow> NewUpdate() override;
    void RegisterUninstall(CMainFrame& frame) override;
    int Ended(CWnd& view, InstallEnd end, CSetupDoc& doc, std::string& reason) override;

private:
    std::unique_ptr<CResponseRecorder> m_pRecorder;
    CInteractiveCopyQuestions m_dialogs;
    std::unique_ptr<CRecordingCopyQuestions> m_pRecording;
    std::unique_ptr<CLoggedCopyQuestions> m_pLogged;
    std::unique_ptr<IOcxNotices> m_pOcxNotices;
};

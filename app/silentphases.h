#pragma once
// The phase windows of a silent installation (/s): no window is ever shown.
// The wizard's choices come from the response file at once, the disk-space
// check runs without its dialog, the copy and the system update run behind
// dialogs that stay hidden (their workers report to them as always), and
// every question is answered from the response file or by its default
// (engine/silentquestions.h). Notices go to the install log. At the end
// nobody is told anything: the exit code, the log and the result file say
// how it went.
#include <memory>
#include <string>

#include "app/phases.h"
#include "engine/responsefile.h"
#include "engine/silentquestions.h"
#include "engine/updatethread.h"

class CSilentPhaseWindows : public IPhaseWindows {
public:
    explicit CSilentPhaseWindows(const std::string& responsePath);
    ~CSilentPhaseWindows() override;

    // Reads the response file.
    bool Prepare(std::string& error) override;
    std::unique_ptr<IWizardWindow> NewWizard() override;
    std::unique_ptr<IDiskCheckWindow> NewDiskCheck() override;
    std::unique_ptr<ICopyWindow> NewCopy() override;
    std::unique_ptr<IUpdateWindow> NewUpdate() override;
    void RegisterUninstall(CMainFrame& frame) override;
    int Ended(CWnd& view, InstallEnd end, CSetupDoc& doc, std::string& reason) override;

    // A wizard choice the script does not allow (an option it lacks, an
    // install directory that is no full path): the installation stops before
    // anything is changed.
    void BadResponse(const std::string& reason);

private:
    std::string m_strPath;
    CResponseFile m_responses;
    CSilentStops m_stops;
    CSilentCopyQuestions m_questions{m_responses, m_stops};
    CLoggedCopyQuestions m_logged{m_questions};
    std::unique_ptr<IOcxNotices> m_pOcxNotices;
    std::string m_strBadResponse;
};

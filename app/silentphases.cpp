#include "app/silentphases.h"

#include <cctype>

#include "app/enginephases.h"
#include "app/exitcodes.h"
#include "app/mainframe.h"
#include "app/messages.h"
#include "app/setupphases.h"
#include "engine/diskspace.h"
#include "paths/pathvars.h"
#include "services/installlog.h"
#include "wizard/setupwizard.h"

namespace {

using namespace ResponseKeys;

// A full path: a drive letter, a colon and a backslash, or a UNC name.
bool IsFullPath(const std::string& path)
{
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\')
        return true;
    return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

// The wizard's choices from the response file, each missing one as the
// wizard would have started: the script's install directory and program
// folder, the first option, the user name there is.
class CSilentWizard : public IWizardWindow {
public:
    CSilentWizard(const CResponseFile& responses, CSilentPhaseWindows& phases)
        : m_responses(responses), m_phases(phases)
    {
    }

    bool Start(CWnd& view, CSetupDoc& doc) override
    {
        m_pages = WizardPagesFor(doc);
        m_strInstallDir = doc.GetInstallDir();
        m_strFolder = doc.GetGroupName();
        const CItemList<COptionItem>* options = doc.GetOptions();
        if (options && !options->empty())
            m_strOption = options->front()->GetName();
        WPARAM result = PHASE_DONE;
        if (!Choose(doc))
            result = PHASE_CANCELLED;
        ::PostMessageA(view.GetSafeHwnd(), WM_WIZARD_FINISHED, result, 0);
        return true;
    }
    bool GetInstallDir(std::string& dir) const override
    {
        dir = m_strInstallDir;
        return m_pages.bInstallDirectory;
    }
    std::string GetSelectedOption() const override { return m_strOption; }
    bool GetFolderName(std::string& name) const override
    {
        name = m_strFolder;
        return m_pages.bFolder;
    }
    void Close() override {}

private:
    bool Choose(CSetupDoc& doc)
    {
        std::string value;
        if (m_pages.bUserName && m_responses.Get(kWizard, kUserName, value)) {
            if (doc.m_nUserNameMaxLength > 0 && value.size() > static_cast<size_t>(doc.m_nUserNameMaxLength))
                return Bad("UserName is longer than the script allows");
            if (!UserNameIsLongEnough(value, doc.m_nUserNameMinLength))
                return Bad("UserName is shorter than the script asks for");
            SetUserName(value);
        }
        if (m_pages.bInstallDirectory && m_responses.Get(kWizard, kInstallDir, value)) {
            if (!IsFullPath(value))
                return Bad("InstallDir " + value + " is no full path");
            m_strInstallDir = value;
        }
        if (m_pages.bInstallOption && m_responses.Get(kWizard, kOption, value)) {
            bool known = false;
            for (const auto& option : *doc.GetOptions())
                known = known || option->GetName() == value;
            if (!known)
                return Bad("Option " + value + " is no install option of the script");
            m_strOption = value;
        }
        if (m_pages.bFolder && m_responses.Get(kWizard, kProgramFolder, value)) {
            if (value.empty())
                return Bad("ProgramFolder is empty");
            m_strFolder = value;
        }
        return true;
    }
    bool Bad(const std::string& reason)
    {
        m_phases.BadResponse(reason);
        return false;
    }

    const CResponseFile& m_responses;
    CSilentPhaseWindows& m_phases;
    CWizardPages m_pages;
    std::string m_strInstallDir;
    std::string m_strOption;
    std::string m_strFolder;
};

// The disk-space check without its dialog: the survey at once, the result
// posted; a shortage is answered from the response file.
class CSilentDiskCheck : public IDiskCheckWindow {
public:
    CSilentDiskCheck(const CResponseFile& responses, CSilentStops& stops) : m_responses(responses), m_stops(stops) {}

    bool Start(CWnd& view, CItemList<CFileItem>* files, const std::string&, const std::string&) override
    {
        CSystemDriveFacts drives;
        m_survey.GatherDrives(drives);
        if (files)
            m_survey.CountFiles(*files);
        LogDiskCheck(m_survey.GetDisks());
        ::PostMessageA(view.GetSafeHwnd(), WM_DISKSPACE_RESULT, m_survey.IsEnough() ? PHASE_DONE : DISKSPACE_SHORT,
                       0);
        return true;
    }
    INT_PTR AskShortage(CWnd&) override
    {
        const std::string word = m_responses.Answer(kDiskSpace);
        if (word == "Continue") {
            LogStep("answer: disk space: Continue");
            return IDOK;
        }
        std::string drives;
        for (const CDiskItem& disk : m_survey.GetDisks()) {
            if (disk.IsShort())
                drives += std::string(drives.empty() ? "" : ", ") + disk.m_cDrive + ":";
        }
        m_stops.Note(word.empty() ? SilentStop::Unanswered : SilentStop::Answered,
                     std::string(word.empty() ? "disk space (no answer): " : "disk space (Abort): ") + drives +
                         " lacks space");
        return IDCANCEL;
    }
    void Close() override {}

private:
    const CResponseFile& m_responses;
    CSilentStops& m_stops;
    CDiskSpaceSurvey m_survey;
};

// A control that fails to register goes to the log; the update goes on.
class COcxLog : public IOcxNotices {
public:
    void OcxFailed(OcxFailure failure, const COcxItem& item, long code, HWND) override
    {
        const char* what = failure == OcxFailure::CannotLoad        ? "cannot be loaded"
                           : failure == OcxFailure::NoRegisterEntry ? "is no control"
                                                                    : "failed to register";
        LogStep("notice: OCX " + item.m_strName + " " + what + ", code " + HexBits(static_cast<unsigned long>(code)));
    }
};

}  // namespace

CSilentPhaseWindows::CSilentPhaseWindows(const std::string& responsePath)
    : m_strPath(responsePath), m_pOcxNotices(std::make_unique<COcxLog>())
{
}

CSilentPhaseWindows::~CSilentPhaseWindows() = default;

bool CSilentPhaseWindows::Prepare(std::string& error)
{
    if (!m_responses.Load(m_strPath, error))
        return false;
    LogStep("response file " + m_strPath + " read");
    return true;
}

void CSilentPhaseWindows::BadResponse(const std::string& reason)
{
    if (m_strBadResponse.empty())
        m_strBadResponse = "response file " + m_strPath + ": " + reason;
    LogStep(m_strBadResponse);
}

std::unique_ptr<IWizardWindow> CSilentPhaseWindows::NewWizard()
{
    return std::make_unique<CSilentWizard>(m_responses, *this);
}

std::unique_ptr<IDiskCheckWindow> CSilentPhaseWindows::NewDiskCheck()
{
    return std::make_unique<CSilentDiskCheck>(m_responses, m_stops);
}

std::unique_ptr<ICopyWindow> CSilentPhaseWindows::NewCopy() { return std::make_unique<CCopyPhase>(m_logged, false); }

std::unique_ptr<IUpdateWindow> CSilentPhaseWindows::NewUpdate()
{
    return std::make_unique<CUpdatePhase>(*m_pOcxNotices, false);
}

void CSilentPhaseWindows::RegisterUninstall(CMainFrame& frame) { frame.RegisterUninstall(); }

int CSilentPhaseWindows::Ended(CWnd&, InstallEnd end, CSetupDoc&, std::string& reason)
{
    switch (end) {
    case InstallEnd::Installed:
        reason = "installed";
        return kExitInstalled;
    case InstallEnd::NothingToInstall:
        reason = "the script names no files to install";
        return kExitBeforeCopy;
    case InstallEnd::WizardCancelled:
        reason = m_strBadResponse.empty() ? "the wizard ended" : m_strBadResponse;
        return kExitBadCommandLine;
    case InstallEnd::ShortageAborted:
    case InstallEnd::CopyAborted:
        break;
    }
    reason = m_stops.GetReason().empty() ? "the copy stopped" : m_stops.GetReason();
    switch (m_stops.GetStop()) {
    case SilentStop::Unanswered:
        return kExitUnanswered;
    case SilentStop::DiskMissing:
        return kExitDiskMissing;
    case SilentStop::Answered:
        return kExitCancelled;
    case SilentStop::CopyError:
    case SilentStop::None:
        break;
    }
    return kExitCopyFailed;
}

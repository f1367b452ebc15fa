// libFuzzer target: the uninstaller's reading of a log and the plan it makes
// of it, over arbitrary bytes. Besides the sanitizers' checks, the promises
// that keep the system safe must hold for every input: a refused log yields
// nothing; every step acts on a full, normalised path outside the protected
// directories; directories come deepest first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "uninstaller/logreader.h"
#include "uninstaller/pathkey.h"
#include "uninstaller/removalplan.h"
#include "uninstaller/summary.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Answers from the paths themselves, so that existence varies with the input.
class CFuzzFacts : public IPlanFacts {
public:
    std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
    std::string SystemDirectory() override { return "C:\\WINDOWS\\SYSTEM"; }
    std::vector<std::string> ProgramsFolders() override { return {"C:\\WINDOWS\\Start Menu\\Programs"}; }
    std::vector<std::string> ShellFolders() override { return {"C:\\WINDOWS\\Desktop"}; }
    bool HasProgramManager() override { return true; }
    bool FileExists(const std::string& path) override { return path.size() % 2 == 0; }
    std::vector<std::string> IniSectionNames(const std::string& file) override
    {
        return {file.substr(file.size() / 2), "Sec", "sec"};
    }
    std::vector<std::string> IniKeyNames(const std::string& file, const std::string&) override
    {
        return {file.substr(0, file.size() / 3), "Key"};
    }
};

bool Protected(const std::string& path)
{
    const std::string key = PathKey(path);
    return IsRootPath(path) || key == "C:\\WINDOWS" || key == "C:\\WINDOWS\\SYSTEM" ||
           key == "C:\\WINDOWS\\DESKTOP" || key == "C:\\WINDOWS\\START MENU\\PROGRAMS";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    const CLogReadResult read = ReadUninstallLog(std::string(reinterpret_cast<const char*>(data), size));
    if (read.m_problem != LogProblem::None) {
        Check(read.m_log.m_files.empty() && read.m_log.m_directories.empty() &&
              read.m_log.m_strReg.empty());
        return 0;
    }
    Check(!read.m_log.m_strProduct.empty() && !read.m_log.m_strReg.empty());
    CFuzzFacts facts;
    CRemovalPlan plan = BuildRemovalPlan(read.m_log, "C:\\APP\\UNINSTAL.INF", facts);
    int lastDepth = 1 << 30;
    for (const CRemovalStep& step : plan.m_steps) {
        switch (step.m_kind) {
        case StepKind::DeleteProgramGroup:
            Check(step.m_strTarget.find('"') == std::string::npos);
            break;
        case StepKind::DeleteRegistration: {
            // A product's key below the uninstall key, or that key's own values.
            const std::string base = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
            Check(step.m_strTarget.compare(0, base.size(), base) == 0);
            Check(step.m_bValuesOnly ? step.m_strTarget.size() == base.size()
                                     : step.m_strTarget.size() > base.size() + 1 &&
                                           step.m_strTarget[base.size()] == '\\');
            break;
        }
        case StepKind::DeleteIniKey:
        case StepKind::DeleteIniSection:
            Check(IsFullPath(step.m_strTarget) && !step.m_strSection.empty());
            break;
        case StepKind::RemoveDirectory:
            Check(PathDepth(step.m_strTarget) <= lastDepth);
            lastDepth = PathDepth(step.m_strTarget);
            [[fallthrough]];
        default:
            Check(IsFullPath(step.m_strTarget) && !Protected(step.m_strTarget));
            Check(NormalisePath(step.m_strTarget) == step.m_strTarget);
            break;
        }
    }
    for (std::size_t index : plan.m_sharedFiles)
        plan.KeepSharedFile(index, false);
    const CRemovalSummary summary = SummariseRemoval(plan, std::vector<CStepResult>(plan.m_steps.size()));
    Check(summary.m_left.size() <= plan.m_refusals.size());
    return 0;
}

#include "engine/programgroup.h"

#include "paths/fileutil.h"
#include "paths/pathvars.h"
#include "services/installlog.h"

namespace {
// The per-user programs folder of a Japanese Windows NT 4.0, below the
// profile directory: the names the system gives it, in half-width katakana.
const char kNT4ProgramsBelowProfile[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\";
}  // namespace

ProgramGroupKind ProgramGroupKindOf(int bWindowsNT, int bWindows95, DWORD dwWindowsVersion)
{
    if (bWindows95)
        return ProgramGroupKind::StartMenu95;
    if (bWindowsNT)
        return dwWindowsVersion >= 0x00040000 ? ProgramGroupKind::StartMenuNT4
                                              : ProgramGroupKind::ProgramManager;
    return ProgramGroupKind::None;
}

CProgramGroup::CProgramGroup(ProgramGroupKind kind, const std::string& groupName,
                             IUninstallLog& log, IProgramManager* progman)
    : m_kind(kind), m_strGroupName(groupName), m_log(log), m_pProgman(progman)
{
}

std::string CProgramGroup::GetFolder() const
{
    switch (m_kind) {
    case ProgramGroupKind::StartMenu95:
        return GetProgramsDir() + "\\" + m_strGroupName;
    case ProgramGroupKind::StartMenuNT4:
        return GetUserProfileDir() + kNT4ProgramsBelowProfile + m_strGroupName;
    default:
        return std::string();
    }
}

void CProgramGroup::CreateGroup()
{
    switch (m_kind) {
    case ProgramGroupKind::StartMenu95:
    case ProgramGroupKind::StartMenuNT4:
        // Only the group's own folder: the programs folder is the system's.
        LogStep("program group folder " + GetFolder() +
                (::CreateDirectoryA(GetFolder().c_str(), nullptr) ? ": made" : ": not made (there already?)"));
        break;
    case ProgramGroupKind::ProgramManager:
        // No helper program is started beside the Program Manager first: the
        // product ships none.
        if (m_pProgman)
            m_pProgman->Execute("[CreateGroup(\"" + m_strGroupName + "\")]");
        m_log.LogDeleteProgramGroup(m_strGroupName);
        break;
    case ProgramGroupKind::None:
        break;
    }
}

void CProgramGroup::AddItem(const CFileItem& file)
{
    std::string name = file.m_strShortcut;
    ExpandPathVariables(name);
    std::string target = file.GetDestinationPath();
    ExpandPathVariables(target);
    switch (m_kind) {
    case ProgramGroupKind::StartMenu95:
    case ProgramGroupKind::StartMenuNT4: {
        const std::string link = GetFolder() + "\\" + name + ".lnk";
        const bool made = CreateShellLink(link, name, target);
        LogStep("shortcut " + link + " -> " + target + (made ? ": made" : ": not made"));
        m_log.LogDeleteShortCut(link);
        break;
    }
    case ProgramGroupKind::ProgramManager:
        // The group's record covers its items.
        if (m_pProgman) {
            m_pProgman->Execute("[AddItem(" + target + "," + name + ")]");
            m_pProgman->ClearLastError();
        }
        break;
    case ProgramGroupKind::None:
        break;
    }
}

void CProgramGroup::Finish()
{
    if (m_pProgman)
        m_pProgman->Execute("[ExitProgman(1)]");
}

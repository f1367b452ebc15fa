#include "uninstaller/removalplan.h"

#include <algorithm>
#include <map>
#include <set>

#include "services/uninstlogformat.h"
#include "uninstaller/pathkey.h"

namespace ul = uninstall_log;

namespace {

// More commas than this in one INI record are not tried reading by reading.
constexpr std::size_t kMaxIniRecordCommas = 64;

// One reading of an INI record: the file resolved, the section and the key
// with blanks around them removed (the private-profile functions that wrote
// the entry dropped them too).
struct CIniReading {
    std::string m_strFile;
    std::string m_strSection;
    std::string m_strKey;
};

class CPlanBuilder {
public:
    CPlanBuilder(const CUninstallLog& log, const std::string& logPath, IPlanFacts& facts)
        : m_log(log), m_strLogPath(logPath), m_facts(facts)
    {
        m_strWindowsKey = PathKey(facts.WindowsDirectory());
        m_strSystemKey = PathKey(facts.SystemDirectory());
        // Windows NT keeps the 16-bit system directory beside SYSTEM32:
        // shared files live there too (on Windows 95 it is the system directory).
        m_strSystem16Key = PathKey(facts.WindowsDirectory() + "\\SYSTEM");
        for (const std::string& folder : facts.ProgramsFolders()) {
            if (!PathKey(folder).empty())
                m_programsFolderKeys.insert(PathKey(folder));
        }
        m_shellFolderKeys = m_programsFolderKeys;
        for (const std::string& folder : facts.ShellFolders()) {
            if (!PathKey(folder).empty())
                m_shellFolderKeys.insert(PathKey(folder));
        }
    }

    CRemovalPlan Build();

private:
    void Refuse(StepKind kind, const std::string& value, Refusal reason)
    {
        m_plan.m_refusals.push_back({kind, value, reason});
    }
    // A record's path that may be acted on, normalised; "" when the record is
    // empty or refused (the refusal is recorded).
    std::string UsablePath(StepKind kind, const std::string& value);
    CRemovalStep& Add(StepKind kind, const std::string& target)
    {
        CRemovalStep step;
        step.m_kind = kind;
        step.m_strTarget = target;
        m_plan.m_steps.push_back(step);
        return m_plan.m_steps.back();
    }
    bool IsShared(const std::string& path) const
    {
        const std::string parent = PathKey(ParentPath(path));
        return !parent.empty() &&
               (parent == m_strWindowsKey || parent == m_strSystemKey || parent == m_strSystem16Key);
    }

    void Controls();
    void Shortcuts();
    void Groups();
    void IniRecords();
    // Acts on an INI record when exactly one of its readings names what exists.
    void IniRecord(const CLogRecord& record, bool withKey);
    bool IniReadingExists(const CIniReading& reading, bool withKey);
    const std::vector<std::string>& SectionNames(const std::string& file);
    void Files();
    void Registration();
    void Directories();

    const CUninstallLog& m_log;
    std::string m_strLogPath;
    IPlanFacts& m_facts;
    std::string m_strWindowsKey;
    std::string m_strSystemKey;
    std::string m_strSystem16Key;
    std::set<std::string> m_programsFolderKeys;
    std::set<std::string> m_shellFolderKeys;
    std::map<std::string, std::vector<std::string>> m_sectionCache;
    bool m_bLogNamed = false;
    CRemovalPlan m_plan;
};

CRemovalPlan CPlanBuilder::Build()
{
    m_plan.m_strProduct = m_log.m_strProduct;
    Controls();
    Shortcuts();
    Groups();
    IniRecords();
    Files();
    Registration();
    Directories();
    // Shared controls follow their file's decision, kept until the user says otherwise.
    for (std::size_t i = 0; i < m_plan.m_steps.size(); ++i) {
        CRemovalStep& step = m_plan.m_steps[i];
        if (step.m_kind == StepKind::DeleteFile && step.m_bShared && m_facts.FileExists(step.m_strTarget))
            m_plan.m_sharedFiles.push_back(i);
    }
    return m_plan;
}

std::string CPlanBuilder::UsablePath(StepKind kind, const std::string& value)
{
    if (value.empty())
        return std::string();
    if (!IsFullPath(value)) {
        Refuse(kind, value, Refusal::NotFullPath);
        return std::string();
    }
    const std::string path = NormalisePath(value);
    const std::string key = PathKey(path);
    if (IsRootPath(path))
        Refuse(kind, value, Refusal::RootDirectory);
    else if (key == m_strWindowsKey)
        Refuse(kind, value, Refusal::WindowsDirectory);
    else if (key == m_strSystemKey)
        Refuse(kind, value, Refusal::SystemDirectory);
    else if (m_shellFolderKeys.count(key))
        Refuse(kind, value, Refusal::ShellFolder);
    else
        return path;
    return std::string();
}

void CPlanBuilder::Controls()
{
    std::set<std::string> seen;
    for (const CLogRecord& record : m_log.m_controls) {
        const std::string path = UsablePath(StepKind::UnregisterControl, record.m_strValue);
        if (path.empty() || !seen.insert(PathKey(path)).second)
            continue;
        CRemovalStep& step = Add(StepKind::UnregisterControl, path);
        step.m_bShared = IsShared(path);
        step.m_bKeep = step.m_bShared;
    }
}

void CPlanBuilder::Shortcuts()
{
    std::set<std::string> seen;
    std::vector<std::string> folders;
    std::set<std::string> folderKeys;
    for (const CLogRecord& record : m_log.m_shortcuts) {
        const std::string path = UsablePath(StepKind::DeleteShortcut, record.m_strValue);
        if (path.empty() || !seen.insert(PathKey(path)).second)
            continue;
        Add(StepKind::DeleteShortcut, path);
        // The program folder is the shortcut's folder when that lies directly
        // in a programs folder; it is not in the log (the installer does not
        // record it), so only such a folder is ever taken for one.
        const std::string folder = ParentPath(path);
        if (m_programsFolderKeys.count(PathKey(ParentPath(folder))) &&
            !m_shellFolderKeys.count(PathKey(folder)) && folderKeys.insert(PathKey(folder)).second)
            folders.push_back(folder);
    }
    for (const std::string& folder : folders)
        Add(StepKind::RemoveProgramFolder, folder);
}

void CPlanBuilder::Groups()
{
    std::set<std::string> seen;
    for (const CLogRecord& record : m_log.m_groups) {
        const std::string& name = record.m_strValue;
        if (name.empty())
            continue;
        if (!m_facts.HasProgramManager())
            Refuse(StepKind::DeleteProgramGroup, name, Refusal::NoProgramManager);
        else if (name.find('"') != std::string::npos)
            // A quote would end the name early: the rest of the text would
            // become commands of their own, for groups the log does not name.
            Refuse(StepKind::DeleteProgramGroup, name, Refusal::GroupNameUnsendable);
        else if (seen.insert(UpperAscii(name)).second)
            Add(StepKind::DeleteProgramGroup, name);
    }
}

void CPlanBuilder::IniRecords()
{
    for (const CLogRecord& record : m_log.m_iniKeys)
        IniRecord(record, true);
    for (const CLogRecord& record : m_log.m_iniSections)
        IniRecord(record, false);
    std::set<std::string> seen;
    const std::string winIni = PathKey(m_facts.WindowsDirectory() + "\\WIN.INI");
    const std::string systemIni = PathKey(m_facts.WindowsDirectory() + "\\SYSTEM.INI");
    for (const CLogRecord& record : m_log.m_iniFiles) {
        const std::string path = UsablePath(StepKind::DeleteIniFile, record.m_strValue);
        if (path.empty())
            continue;
        const std::string key = PathKey(path);
        if (key == winIni || key == systemIni)
            Refuse(StepKind::DeleteIniFile, record.m_strValue, Refusal::SystemIniFile);
        else if (seen.insert(key).second)
            Add(StepKind::DeleteIniFile, path);
    }
    // [DeleteIniValue] names keys that existed before the installation wrote
    // them; their old values were not recorded, so they are left as they are.
}

void CPlanBuilder::IniRecord(const CLogRecord& record, bool withKey)
{
    const StepKind kind = withKey ? StepKind::DeleteIniKey : StepKind::DeleteIniSection;
    const std::string& value = record.m_strValue;
    std::vector<std::size_t> commas;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == ',')   // never the second byte of a Shift-JIS character
            commas.push_back(i);
    }
    const std::size_t needed = withKey ? 2 : 1;
    if (commas.size() < needed)
        return;
    if (commas.size() > kMaxIniRecordCommas) {
        Refuse(kind, value, Refusal::AmbiguousIniRecord);
        return;
    }
    std::vector<CIniReading> found;
    const std::string windows = m_facts.WindowsDirectory();
    for (std::size_t a = 0; a < commas.size(); ++a) {
        CIniReading reading;
        reading.m_strFile = NormalisePath(ResolveIniFile(value.substr(0, commas[a]), windows));
        if (!withKey) {
            reading.m_strSection = TrimBlanks(value.substr(commas[a] + 1));
            if (IniReadingExists(reading, false))
                found.push_back(reading);
            continue;
        }
        for (std::size_t b = a + 1; b < commas.size(); ++b) {
            reading.m_strSection = TrimBlanks(value.substr(commas[a] + 1, commas[b] - commas[a] - 1));
            reading.m_strKey = TrimBlanks(value.substr(commas[b] + 1));
            if (IniReadingExists(reading, true))
                found.push_back(reading);
        }
    }
    if (found.size() > 1) {
        Refuse(kind, value, Refusal::AmbiguousIniRecord);
        return;
    }
    if (found.empty())
        return;   // nothing of it is left (or it was there before in another letter case)
    const CIniReading& reading = found.front();
    for (const CRemovalStep& step : m_plan.m_steps) {
        if (step.m_kind == kind &&
            SamePath(step.m_strTarget, reading.m_strFile) && EqualNoCase(step.m_strSection, reading.m_strSection) &&
            EqualNoCase(step.m_strKey, reading.m_strKey))
            return;
    }
    CRemovalStep& step = Add(kind, reading.m_strFile);
    step.m_strSection = reading.m_strSection;
    step.m_strKey = reading.m_strKey;
}

const std::vector<std::string>& CPlanBuilder::SectionNames(const std::string& file)
{
    const std::string key = PathKey(file);
    auto it = m_sectionCache.find(key);
    if (it == m_sectionCache.end())
        it = m_sectionCache.emplace(key, m_facts.IniSectionNames(file)).first;
    return it->second;
}

// The installation created what the record names, and it still exists, when
// the private-profile functions would find exactly that name: they match
// names ignoring letter case and act on the first match. Had the file held
// the name in another letter case before, the installer (which compares
// exactly) recorded it as new but wrote into the old entry, which must stay.
bool CPlanBuilder::IniReadingExists(const CIniReading& reading, bool withKey)
{
    if (reading.m_strSection.empty() || (withKey && reading.m_strKey.empty()) ||
        !IsFullPath(reading.m_strFile) || !m_facts.FileExists(reading.m_strFile))
        return false;
    int matches = 0;
    bool exact = false;
    for (const std::string& name : SectionNames(reading.m_strFile)) {
        if (EqualNoCase(name, reading.m_strSection)) {
            ++matches;
            exact = exact || name == reading.m_strSection;
        }
    }
    // Two sections that differ only in letter case: deleting one by name
    // could take the other.
    if (matches != 1 || !exact)
        return false;
    if (!withKey)
        return true;
    for (const std::string& name : m_facts.IniKeyNames(reading.m_strFile, reading.m_strSection)) {
        if (EqualNoCase(name, reading.m_strKey))
            return name == reading.m_strKey;
    }
    return false;
}

void CPlanBuilder::Files()
{
    std::set<std::string> seen;
    for (const CLogRecord& record : m_log.m_files) {
        const std::string path = UsablePath(StepKind::DeleteFile, record.m_strValue);
        if (path.empty())
            continue;
        if (SamePath(path, m_strLogPath)) {
            m_bLogNamed = true;     // the log goes after everything it names but directories
            continue;
        }
        if (!seen.insert(PathKey(path)).second)
            continue;
        CRemovalStep& step = Add(StepKind::DeleteFile, path);
        step.m_bShared = IsShared(path);
        step.m_bKeep = step.m_bShared;
    }
}

void CPlanBuilder::Registration()
{
    const std::string& reg = m_log.m_strReg;
    std::string uninstallKey = ul::kUninstallKeyBase;
    uninstallKey.pop_back();    // the base ends in a backslash
    const bool below = reg.size() >= uninstallKey.size() &&
                       EqualNoCase(reg.substr(0, uninstallKey.size()), uninstallKey) &&
                       (reg.size() == uninstallKey.size() || reg[uninstallKey.size()] == '\\');
    if (!below) {
        Refuse(StepKind::DeleteRegistration, reg, Refusal::NotBelowUninstallKey);
        return;
    }
    std::string rest = reg.substr(uninstallKey.size());
    while (!rest.empty() && rest.back() == '\\')
        rest.pop_back();
    if (rest.empty()) {
        // An empty key name put the registration into the uninstall key
        // itself: that key holds every product's registration and stays;
        // only this product's values in it can go.
        Refuse(StepKind::DeleteRegistration, reg, Refusal::UninstallKeyItself);
        Add(StepKind::DeleteRegistration, uninstallKey).m_bValuesOnly = true;
        return;
    }
    // rest is "\name" or "\name\name…", and every name must be there.
    if (rest.find("\\\\") != std::string::npos) {
        Refuse(StepKind::DeleteRegistration, reg, Refusal::NotBelowUninstallKey);
        return;
    }
    Add(StepKind::DeleteRegistration, uninstallKey + rest);
}

void CPlanBuilder::Directories()
{
    if (m_bLogNamed)
        Add(StepKind::DeleteLog, NormalisePath(m_strLogPath));
    std::set<std::string> seen;
    std::vector<std::string> directories;
    for (const CLogRecord& record : m_log.m_directories) {
        const std::string path = UsablePath(StepKind::RemoveDirectory, record.m_strValue);
        if (!path.empty() && seen.insert(PathKey(path)).second)
            directories.push_back(path);
    }
    std::stable_sort(directories.begin(), directories.end(),
                     [](const std::string& a, const std::string& b) { return PathDepth(a) > PathDepth(b); });
    for (const std::string& directory : directories)
        Add(StepKind::RemoveDirectory, directory);
}

}  // namespace

void CRemovalPlan::KeepSharedFile(std::size_t index, bool keep)
{
    if (index >= m_steps.size() || m_steps[index].m_kind != StepKind::DeleteFile ||
        !m_steps[index].m_bShared)
        return;
    CRemovalStep& file = m_steps[index];
    file.m_bKeep = keep;
    for (CRemovalStep& step : m_steps) {
        if (step.m_kind == StepKind::UnregisterControl && SamePath(step.m_strTarget, file.m_strTarget))
            step.m_bKeep = keep;
    }
}

CRemovalPlan BuildRemovalPlan(const CUninstallLog& log, const std::string& logPath,
                              IPlanFacts& facts)
{
    return CPlanBuilder(log, logPath, facts).Build();
}

std::string ResolveIniFile(const std::string& file, const std::string& windowsDirectory)
{
    if (file.size() >= 2 && (file[1] == ':' || file[1] == '&'))
        return file;
    return windowsDirectory + "\\" + file;
}

std::string DeleteGroupCommand(const std::string& group)
{
    return "[DeleteGroup(\"" + group + "\")]";
}

#include "media/plan.h"

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <set>

#include "checker/scriptcheck.h"
#include "compress/szdd.h"
#include "media/scriptlines.h"
#include "paths/field.h"
#include "paths/mbcs.h"
#include "profile/initext.h"
#include "script/configtext.h"
#include "script/lineformat.h"

namespace {

using Path = std::vector<std::string>;

std::string JoinPath(const Path& path)
{
    std::string text;
    for (const std::string& part : path)
        text += (text.empty() ? "" : "\\") + part;
    return text;
}

std::string PathKey(const Path& path)
{
    return FatNameKey(JoinPath(path));
}

// The parts of a script path between its backslashes (never the second
// byte of a double-byte character); empty parts, as from a leading
// backslash, are dropped.
Path SplitScriptPath(const std::string& text)
{
    Path parts;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t slash = FindNextBackslash(text, begin);
        const std::string part = text.substr(begin, slash == std::string::npos ? std::string::npos : slash - begin);
        if (!part.empty())
            parts.push_back(part);
        if (slash == std::string::npos)
            break;
        begin = slash + 1;
    }
    return parts;
}

bool EndsCompressed(const std::string& name)
{
    return !name.empty() && name.back() == '_';
}

// One file of the medium that script lines put there.
struct CGroup {
    int m_nDisk = 0;
    Path m_path;
    Path m_productPath;
    std::vector<int> m_lines;
    uint64_t m_nInstalledSize = 0;
    bool m_bCompressed = false;
    std::vector<uint8_t> m_data;   // compressed bytes
    uint64_t m_nSize = 0;          // on the medium
};

// A file line as the planner reads it.
struct CFileLine {
    int m_nLine = 0;
    std::string m_strValue;
    int32_t m_nDisk = 0;
    int32_t m_nDeclaredSize = 0;
    CGroup* m_pGroup = nullptr;
};

// The product folder's directories, listed once each and matched as FAT
// matches names: exactly first, else without regard to ASCII letter case.
class CProductIndex {
public:
    explicit CProductIndex(IProductFolder& folder) : m_folder(folder) {}

    // The entries of a directory given by the script's spelling; `real`
    // receives the folder's own spelling. Null when there is none.
    const std::vector<CProductEntry>* Directory(const Path& dir, Path& real)
    {
        real.clear();
        const std::vector<CProductEntry>* entries = Listing(real);
        for (const std::string& part : dir) {
            if (!entries)
                return nullptr;
            const CProductEntry* found = Find(*entries, part, true);
            if (!found)
                return nullptr;
            real.push_back(found->m_strName);
            entries = Listing(real);
        }
        return entries;
    }

    static const CProductEntry* Find(const std::vector<CProductEntry>& entries, const std::string& name, bool directory)
    {
        const CProductEntry* folded = nullptr;
        for (const CProductEntry& entry : entries) {
            if (entry.m_bDirectory != directory)
                continue;
            if (entry.m_strName == name)
                return &entry;
            if (!folded && FatNameKey(entry.m_strName) == FatNameKey(name))
                folded = &entry;
        }
        return folded;
    }

    bool Read(const Path& real, std::vector<uint8_t>& data) { return m_folder.Read(real, data); }

private:
    const std::vector<CProductEntry>* Listing(const Path& real)
    {
        const std::string key = JoinPath(real);
        auto found = m_listings.find(key);
        if (found == m_listings.end()) {
            std::unique_ptr<std::vector<CProductEntry>> entries(new std::vector<CProductEntry>);
            if (!m_folder.List(real, *entries))
                entries.reset();
            found = m_listings.emplace(key, std::move(entries)).first;
        }
        return found->second.get();
    }

    IProductFolder& m_folder;
    std::map<std::string, std::unique_ptr<std::vector<CProductEntry>>> m_listings;
};

// A file of a disk while the disks are filled.
struct CDiskFile {
    Path m_path;
    uint64_t m_nSize = 0;
    CGroup* m_pGroup = nullptr;   // null for the installer's own files
    int m_nLine = 0;
};

class CPlanner {
public:
    CPlanner(const std::string& script, IProductFolder& product, const CDiskOnePrograms& programs,
             const CPlanOptions& options)
        : m_script(script), m_index(product), m_programs(programs), m_options(options)
    {
    }

    CMediaPlan Run();

private:
    void Report(int line, MediaMessageId id, std::vector<std::string> args = {})
    {
        CMediaFinding finding;
        finding.m_nLine = line;
        finding.m_id = id;
        finding.m_args = std::move(args);
        m_plan.m_findings.push_back(std::move(finding));
    }

    void ReadFileLines();
    void PlaceLine(CFileLine& line);
    bool FindProductFile(const CFileLine& line, const Path& dir, const std::string& source,
                         const std::string& dest, Path& productPath, uint64_t& size);
    bool IsReserved(int disk, const Path& path) const;
    void Span();
    std::string RenderScript();
    std::vector<CDiskFile> DiskFiles(int disk, uint64_t scriptSize) const;
    void FitDisks();
    void ReportFootprint();
    void Compose();

    const std::string& m_script;
    CProductIndex m_index;
    const CDiskOnePrograms& m_programs;
    const CPlanOptions& m_options;
    CMediaPlan m_plan;
    bool m_bUninstall = true;
    std::vector<CFileLine> m_lines;
    std::vector<std::unique_ptr<CGroup>> m_groups;   // in script order
    std::map<std::string, CGroup*> m_groupsByPath;   // "disk|path key" (spanning: "|path key")
    std::vector<uint8_t> m_setupCompressed;
    std::vector<uint8_t> m_uninstallerCompressed;
    std::set<int> m_disks;
};

void CPlanner::ReadFileLines()
{
    const std::vector<CFileProfileSection> sections =
        ParseIniText(m_script.data(), static_cast<int32_t>(m_script.size()));
    // The options whose sections the installer reads: those of a script
    // with two or more (the first [InstallOption] only; a key with an
    // empty value is no option).
    std::vector<std::string> options;
    for (const CFileProfileSection& section : sections) {
        if (section.m_strName != kOptionLine.m_pszSection)
            continue;
        for (const CFileProfileEntry& entry : section.m_entries) {
            if (!entry.m_strValue.empty())
                options.push_back(entry.m_strKey);
        }
        break;
    }
    std::set<std::string> read;   // only the first section of a name is read
    for (const CFileProfileSection& section : sections) {
        const std::string& name = section.m_strName;
        bool fileSection = name == kFileLine.m_pszSection || name == std::string(kCommonPrefix) + kFileLine.m_pszSection;
        for (const std::string& option : options) {
            fileSection = fileSection || (options.size() >= 2 && name == option + "::" + kFileLine.m_pszOptionSection);
        }
        if (!fileSection || !read.insert(name).second)
            continue;
        for (const CFileProfileEntry& entry : section.m_entries) {
            if (entry.m_strValue.empty())
                continue;
            CFileLine line;
            line.m_nLine = entry.m_nLine;
            line.m_strValue = entry.m_strValue;
            line.m_nDisk = FieldNumber(kFileLine, entry.m_strValue, kFileDisk);
            line.m_nDeclaredSize = FieldNumber(kFileLine, entry.m_strValue, kFileSize);
            m_lines.push_back(line);
        }
    }
    std::stable_sort(m_lines.begin(), m_lines.end(),
                     [](const CFileLine& a, const CFileLine& b) { return a.m_nLine < b.m_nLine; });

    const CProfileSectionRead config = ReadProfileSection(m_script, kConfigSection);
    m_bUninstall = GetField(ProfileValue(config, "Uninstall", "TRUE"), 0, "", ",") == "TRUE";
}

bool CPlanner::IsReserved(int disk, const Path& path) const
{
    if (path.size() != 1)
        return false;
    const std::string key = FatNameKey(path[0]);
    if (key == "DISK" + std::to_string(disk))
        return true;
    if (disk != 1)
        return false;
    for (const std::string& own : {FatNameKey(m_options.m_strLauncherName), std::string("_SETUP.EX_"),
                                   std::string("SETUP.INF"), std::string("VMUNST10.EX_")}) {
        if (key == own)
            return true;
    }
    return false;
}

bool CPlanner::FindProductFile(const CFileLine& line, const Path& dir, const std::string& source,
                               const std::string& dest, Path& productPath, uint64_t& size)
{
    const bool compressed = EndsCompressed(source);
    // What the vendor is told was looked for.
    Path wanted = dir;
    const bool destCompresses = compressed && FatNameKey(SzddNameFor(dest).m_strName) == FatNameKey(source);
    wanted.push_back(!compressed ? source : destCompresses ? dest : "?");
    Path real;
    const std::vector<CProductEntry>* entries = m_index.Directory(dir, real);
    const CProductEntry* found = nullptr;
    if (entries && !compressed) {
        found = CProductIndex::Find(*entries, source, false);
    } else if (entries) {
        if (destCompresses)
            found = CProductIndex::Find(*entries, dest, false);
        if (!found) {
            std::vector<const CProductEntry*> candidates;
            for (const CProductEntry& entry : *entries) {
                if (!entry.m_bDirectory && FatNameKey(SzddNameFor(entry.m_strName).m_strName) == FatNameKey(source))
                    candidates.push_back(&entry);
            }
            if (candidates.size() > 1) {
                std::string names;
                for (const CProductEntry* c : candidates)
                    names += (names.empty() ? "" : ", ") + c->m_strName;
                Report(line.m_nLine, MediaMessageId::ProductFileAmbiguous, {JoinPath(dir) + (dir.empty() ? "" : "\\") + source, names});
                return false;
            }
            if (!candidates.empty())
                found = candidates[0];
        }
    }
    if (!found) {
        std::string looked = JoinPath(wanted);
        if (compressed && !destCompresses)
            looked = JoinPath(dir) + (dir.empty() ? "" : "\\") + "a file whose compressed name is " + source;
        Report(line.m_nLine, MediaMessageId::ProductFileMissing, {source, looked});
        return false;
    }
    productPath = real;
    productPath.push_back(found->m_strName);
    size = found->m_nSize;
    return true;
}

void CPlanner::PlaceLine(CFileLine& line)
{
    if (!m_options.m_bSpan && line.m_nDisk < 1)
        return;   // the checker reports the disk number
    const std::string subdir = FieldText(kFileLine, line.m_strValue, kFileSourceSubdir);
    const std::string source = FieldText(kFileLine, line.m_strValue, kFileSourceName);
    const std::string dest = FieldText(kFileLine, line.m_strValue, kFileDestName);
    if (source.empty())
        return;   // the checker reports the missing field
    if (subdir.find('$') != std::string::npos) {
        Report(line.m_nLine, MediaMessageId::SourceDirVariable, {subdir});
        return;
    }
    Path path = SplitScriptPath(subdir);
    for (const std::string& part : SplitScriptPath(source))
        path.push_back(part);
    for (const std::string& part : path) {
        if (!IsValidFatName(part)) {
            Report(line.m_nLine, MediaMessageId::SourceNameInvalid, {part});
            return;
        }
    }
    if (path.empty()) {
        Report(line.m_nLine, MediaMessageId::SourceNameInvalid, {source});
        return;
    }
    const Path dir(path.begin(), path.end() - 1);
    const std::string name = path.back();
    const int disk = m_options.m_bSpan ? 0 : line.m_nDisk;
    if (!m_options.m_bSpan && IsReserved(disk, path)) {
        Report(line.m_nLine, MediaMessageId::MediumPathReserved, {JoinPath(path)});
        return;
    }
    Path productPath;
    uint64_t size = 0;
    if (!FindProductFile(line, dir, name, dest, productPath, size))
        return;
    if (size > static_cast<uint64_t>(INT32_MAX)) {
        Report(line.m_nLine, MediaMessageId::ProductFileTooLarge, {JoinPath(productPath), std::to_string(size)});
        return;
    }
    const std::string key = (disk ? std::to_string(disk) : std::string()) + "|" + PathKey(path);
    auto found = m_groupsByPath.find(key);
    if (found != m_groupsByPath.end()) {
        CGroup* group = found->second;
        // The product's own spellings: a Linux folder may hold A.DAT and
        // a.dat, two files that would be one on the medium.
        if (group->m_productPath != productPath) {
            Report(line.m_nLine, MediaMessageId::MediumPathConflict,
                   {JoinPath(path), std::to_string(disk ? disk : 1), JoinPath(group->m_productPath),
                    std::to_string(group->m_lines.front()), JoinPath(productPath)});
            return;
        }
        group->m_lines.push_back(line.m_nLine);
        line.m_pGroup = group;
        return;
    }
    std::unique_ptr<CGroup> group(new CGroup);
    group->m_nDisk = disk;
    group->m_path = path;
    group->m_productPath = productPath;
    group->m_lines.push_back(line.m_nLine);
    group->m_nInstalledSize = size;
    group->m_nSize = size;
    group->m_bCompressed = EndsCompressed(name);
    if (group->m_bCompressed) {
        std::vector<uint8_t> data;
        if (!m_index.Read(productPath, data)) {
            Report(line.m_nLine, MediaMessageId::ProductFileUnreadable, {JoinPath(productPath)});
            return;
        }
        group->m_nInstalledSize = data.size();
        SzddCompress(data.data(), data.size(), SzddNameFor(productPath.back()).m_cLastChar, group->m_data);
        group->m_nSize = group->m_data.size();
    }
    line.m_pGroup = group.get();
    m_groupsByPath.emplace(key, group.get());
    m_groups.push_back(std::move(group));
}

std::vector<CDiskFile> CPlanner::DiskFiles(int disk, uint64_t scriptSize) const
{
    std::vector<CDiskFile> files;
    files.push_back({{"DISK" + std::to_string(disk)}, 0, nullptr, 0});
    if (disk == 1) {
        files.push_back({{m_options.m_strLauncherName}, m_programs.m_launcher.size(), nullptr, 0});
        files.push_back({{"_SETUP.EX_"}, m_setupCompressed.size(), nullptr, 0});
        if (m_bUninstall)
            files.push_back({{"VMUNST10.EX_"}, m_uninstallerCompressed.size(), nullptr, 0});
        files.push_back({{"SETUP.INF"}, scriptSize, nullptr, 0});
    }
    for (const std::unique_ptr<CGroup>& group : m_groups) {
        if (group->m_nDisk == disk)
            files.push_back({group->m_path, group->m_nSize, group.get(), group->m_lines.front()});
    }
    return files;
}

std::string CPlanner::RenderScript()
{
    CScriptLines lines(m_script);
    for (const CFileLine& line : m_lines) {
        if (!line.m_pGroup)
            continue;
        if (m_options.m_bSpan && !lines.SetField(line.m_nLine, kFileDisk, std::to_string(line.m_pGroup->m_nDisk)))
            Report(line.m_nLine, MediaMessageId::FieldNotRewritten, {"disk number"});
        const int64_t real = static_cast<int64_t>(line.m_pGroup->m_nInstalledSize);
        if (m_options.m_bFixSizes && real != line.m_nDeclaredSize &&
            !lines.SetField(line.m_nLine, kFileSize, std::to_string(real)))
            Report(line.m_nLine, MediaMessageId::FieldNotRewritten, {"size"});
    }
    return lines.Render("\r\n");
}

void CPlanner::Span()
{
    // The script's size changes with the disk numbers written into it; the
    // disks are filled for the largest size seen until it holds.
    uint64_t scriptSize = 0;
    for (int round = 0; round < 8; ++round) {
        int disk = 1;
        std::unique_ptr<CDiskSpace> space;
        bool holdsFiles = false;
        const auto startDisk = [&] {
            space = MakeDiskSpace(m_options.m_medium);
            for (const CDiskFile& file : DiskFiles(disk, scriptSize)) {
                if (!file.m_pGroup)
                    space->Add(file.m_path, file.m_nSize);
            }
            holdsFiles = false;
        };
        for (const std::unique_ptr<CGroup>& group : m_groups)
            group->m_nDisk = 0;
        startDisk();
        for (const std::unique_ptr<CGroup>& group : m_groups) {
            if (!space->Add(group->m_path, group->m_nSize) && holdsFiles) {
                ++disk;
                startDisk();
                space->Add(group->m_path, group->m_nSize);   // FitDisks reports one that fits nowhere
            }
            group->m_nDisk = disk;
            holdsFiles = true;
        }
        const std::size_t findings = m_plan.m_findings.size();
        const uint64_t rendered = RenderScript().size();
        m_plan.m_findings.resize(findings);   // reported once, by the final rendering
        if (rendered <= scriptSize)
            break;
        scriptSize = rendered;
    }
    for (const std::unique_ptr<CGroup>& group : m_groups) {
        if (IsReserved(group->m_nDisk, group->m_path)) {
            Report(group->m_lines.front(), MediaMessageId::MediumPathReserved, {JoinPath(group->m_path)});
            group->m_nDisk = 0;
        }
    }
}

void CPlanner::FitDisks()
{
    const CMediumKind& kind = m_options.m_medium;
    for (int disk : m_disks) {
        std::unique_ptr<CDiskSpace> space = MakeDiskSpace(kind);
        std::unique_ptr<CDiskSpace> need = MakeDiskSpace(kind, false);
        std::vector<const CDiskFile*> misfits;
        const std::vector<CDiskFile> files = DiskFiles(disk, m_plan.m_strScript.size());
        for (const CDiskFile& file : files) {
            need->Add(file.m_path, file.m_nSize);
            if (!space->Add(file.m_path, file.m_nSize))
                misfits.push_back(&file);
        }
        CDiskUse use;
        use.m_nDisk = disk;
        use.m_nFiles = files.size();
        use.m_nUsed = need->Used();
        use.m_nRootEntries = need->RootEntries();
        use.m_bFits = misfits.empty();
        m_plan.m_disks.push_back(use);
        if (misfits.empty())
            continue;
        const std::string d = std::to_string(disk);
        if (need->Used() > kind.m_nClusters)
            Report(0, MediaMessageId::DiskOverflow,
                   {d, kind.m_strDescription, std::to_string(need->Used()), std::to_string(kind.m_dwClusterSize),
                    std::to_string(kind.m_nClusters), std::to_string(need->Used() - kind.m_nClusters)});
        if (kind.m_nRootEntries && need->RootEntries() > kind.m_nRootEntries)
            Report(0, MediaMessageId::RootDirectoryFull,
                   {d, std::to_string(need->RootEntries()), kind.m_strDescription,
                    std::to_string(kind.m_nRootEntries)});
        // What an empty disk's file system takes before any file.
        const uint64_t overhead = MakeDiskSpace(kind)->Used();
        for (const CDiskFile* file : misfits) {
            const uint64_t clusters = ClustersFor(file->m_nSize, kind.m_dwClusterSize);
            if (m_options.m_bSpan && file->m_pGroup && clusters + overhead > kind.m_nClusters)
                Report(file->m_nLine, MediaMessageId::FileLargerThanDisk,
                       {JoinPath(file->m_path), std::to_string(clusters), kind.m_strDescription,
                        std::to_string(kind.m_nClusters - overhead)});
            else
                Report(file->m_nLine, MediaMessageId::FileDoesNotFit,
                       {JoinPath(file->m_path), std::to_string(clusters), d});
        }
    }
}

void CPlanner::ReportFootprint()
{
    const CMediumKind& kind = m_options.m_medium;
    struct CProgram {
        std::string m_strName;
        uint64_t m_nSize;
    };
    std::vector<CProgram> programs = {{m_options.m_strLauncherName, m_programs.m_launcher.size()},
                                      {"_SETUP.EX_", m_setupCompressed.size()}};
    if (m_bUninstall)
        programs.push_back({"VMUNST10.EX_", m_uninstallerCompressed.size()});
    uint64_t bytes = 0;
    uint64_t clusters = 0;
    for (const CProgram& program : programs) {
        const uint64_t c = ClustersFor(program.m_nSize, kind.m_dwClusterSize);
        Report(0, MediaMessageId::ProgramFootprint,
               {program.m_strName, std::to_string(program.m_nSize), std::to_string(c)});
        bytes += program.m_nSize;
        clusters += c;
    }
    const uint64_t tenths = kind.m_nClusters ? (clusters * 1000 + kind.m_nClusters / 2) / kind.m_nClusters : 0;
    Report(0, MediaMessageId::FootprintTotal,
           {std::to_string(bytes), std::to_string(clusters), std::to_string(kind.m_dwClusterSize),
            std::to_string(tenths / 10) + "." + std::to_string(tenths % 10), kind.m_strDescription});
}

void CPlanner::Compose()
{
    for (int disk : m_disks) {
        for (const CDiskFile& file : DiskFiles(disk, m_plan.m_strScript.size())) {
            CPlannedFile planned;
            planned.m_nDisk = disk;
            planned.m_path = file.m_path;
            if (const CGroup* group = file.m_pGroup) {
                planned.m_bFromProduct = !group->m_bCompressed;
                planned.m_productPath = group->m_productPath;
                planned.m_data = group->m_data;
                planned.m_nSize = group->m_nSize;
                planned.m_nInstalledSize = group->m_nInstalledSize;
                planned.m_bCompressed = group->m_bCompressed;
                planned.m_lines = group->m_lines;
            } else {
                const std::string key = FatNameKey(file.m_path[0]);
                if (key == "_SETUP.EX_" || key == "VMUNST10.EX_") {
                    planned.m_data = key == "_SETUP.EX_" ? m_setupCompressed : m_uninstallerCompressed;
                    planned.m_bCompressed = true;
                    planned.m_nInstalledSize = key == "_SETUP.EX_" ? m_programs.m_setup.size()
                                                                   : m_programs.m_uninstaller.size();
                } else if (key == "SETUP.INF" && disk == 1) {
                    planned.m_data.assign(m_plan.m_strScript.begin(), m_plan.m_strScript.end());
                } else if (disk == 1 && key == FatNameKey(m_options.m_strLauncherName)) {
                    planned.m_data = m_programs.m_launcher;
                }   // else the marker, empty
                planned.m_nSize = planned.m_data.size();
                if (!planned.m_bCompressed)
                    planned.m_nInstalledSize = planned.m_nSize;
            }
            m_plan.m_files.push_back(std::move(planned));
        }
    }
}

CMediaPlan CPlanner::Run()
{
    m_plan.m_medium = m_options.m_medium;
    if (m_script.find('\0') != std::string::npos) {
        Report(0, MediaMessageId::ScriptHasNul);
        return std::move(m_plan);
    }
    SzddCompress(m_programs.m_setup.data(), m_programs.m_setup.size(), 'E', m_setupCompressed);
    ReadFileLines();
    if (m_bUninstall)
        SzddCompress(m_programs.m_uninstaller.data(), m_programs.m_uninstaller.size(), 'E', m_uninstallerCompressed);
    for (CFileLine& line : m_lines)
        PlaceLine(line);
    if (m_options.m_bSpan)
        Span();
    m_plan.m_strScript = RenderScript();
    if (m_options.m_bFixSizes) {
        for (const CFileLine& line : m_lines) {
            const CGroup* group = line.m_pGroup;
            if (group && static_cast<int64_t>(group->m_nInstalledSize) != line.m_nDeclaredSize)
                Report(line.m_nLine, MediaMessageId::SizeWritten,
                       {JoinPath(group->m_path), std::to_string(group->m_nInstalledSize),
                        std::to_string(line.m_nDeclaredSize)});
        }
    }
    m_disks.insert(1);
    for (const std::unique_ptr<CGroup>& group : m_groups) {
        if (group->m_nDisk >= 1)
            m_disks.insert(group->m_nDisk);
    }
    int previous = 0;
    for (int disk : m_disks) {
        if (disk != previous + 1)
            Report(0, MediaMessageId::DiskWithoutFiles, {std::to_string(previous + 1)});
        previous = disk;
    }
    FitDisks();
    std::stable_sort(m_plan.m_findings.begin(), m_plan.m_findings.end(),
                     [](const CMediaFinding& a, const CMediaFinding& b) { return a.m_nLine < b.m_nLine; });
    for (const CDiskUse& use : m_plan.m_disks) {
        const std::string d = std::to_string(use.m_nDisk);
        const uint64_t total = m_options.m_medium.m_nClusters;
        Report(0, MediaMessageId::DiskSummary,
               {d, std::to_string(use.m_nFiles), std::to_string(use.m_nUsed), std::to_string(total),
                std::to_string(m_options.m_medium.m_dwClusterSize),
                std::to_string(use.m_nUsed <= total ? total - use.m_nUsed : 0)});
        if (m_options.m_medium.m_nRootEntries)
            Report(0, MediaMessageId::DiskRootSummary,
                   {d, std::to_string(use.m_nRootEntries), std::to_string(m_options.m_medium.m_nRootEntries)});
    }
    ReportFootprint();
    if (!m_plan.HasErrors())
        Compose();
    return std::move(m_plan);
}

// The planned medium as the script checker sees a medium.
class CPlannedMedium : public IMedium {
public:
    explicit CPlannedMedium(const CMediaPlan& plan)
    {
        for (const CPlannedFile& file : plan.m_files)
            m_sizes[FatNameKey(MediumPathText(file.m_nDisk, file.m_path))] = file.m_nInstalledSize;
    }
    bool IsFile(const std::string& path) override { return m_sizes.count(FatNameKey(path)) != 0; }
    bool InstalledSize(const std::string& path, long long& size) override
    {
        auto found = m_sizes.find(FatNameKey(path));
        if (found == m_sizes.end())
            return false;
        size = static_cast<long long>(found->second);
        return true;
    }

private:
    std::map<std::string, uint64_t> m_sizes;
};

}  // namespace

bool CMediaPlan::HasErrors() const
{
    return std::any_of(m_findings.begin(), m_findings.end(),
                       [](const CMediaFinding& f) { return SeverityOf(f.m_id) == MediaSeverity::Error; });
}

std::string MediumPathText(int disk, const std::vector<std::string>& path)
{
    return "DISK" + std::to_string(disk) + "\\" + JoinPath(path);
}

CMediaPlan PlanMedia(const std::string& script, IProductFolder& product, const CDiskOnePrograms& programs,
                     const CPlanOptions& options)
{
    return CPlanner(script, product, programs, options).Run();
}

std::vector<CFinding> CheckPlannedMedium(const CMediaPlan& plan)
{
    if (plan.m_strScript.empty())
        return {};   // the script could not be read (a NUL byte)
    if (plan.m_files.empty())
        return CheckScript(plan.m_strScript);   // no medium was laid out
    CPlannedMedium medium(plan);
    return CheckScript(plan.m_strScript, &medium);
}

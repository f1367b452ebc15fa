#include "media/geometry.h"

#include <cstdlib>

#include "paths/mbcs.h"

namespace {

const CMediumKind kKnownKinds[] = {
    // Data clusters: the sectors less the boot sector, both FATs and the root
    // directory (224 entries of 32 bytes, 14 sectors; 112 entries on 720 KB),
    // as mformat lays the disks out.
    {"1.44M", "1.44 MB floppy", CMediumKind::Layout::Fat, 512, 2880 - 1 - 2 * 9 - 14, 224, "1440"},
    {"1.2M", "1.2 MB floppy", CMediumKind::Layout::Fat, 512, 2400 - 1 - 2 * 7 - 14, 224, "1200"},
    {"720K", "720 KB floppy", CMediumKind::Layout::Fat, 1024, (1440 - 1 - 2 * 3 - 7) / 2, 112, "720"},
    // 74 minutes of 75 sectors of 2048 bytes a second.
    {"cd650", "650 MB CD", CMediumKind::Layout::Iso9660, 2048, 333000, 0, nullptr},
};

bool ParseNumber(const std::string& text, uint64_t& n)
{
    if (text.empty() || text.size() > 15)
        return false;
    n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

bool IsShortNameChar(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    for (const char* p = "!#$%&'()-@^_`{}~"; *p; ++p) {
        if (c == static_cast<unsigned char>(*p))
            return true;
    }
    return false;
}

// The characters of a code page 932 name (a double-byte character is one;
// every one is a single UTF-16 unit, all lying in the Basic Multilingual Plane).
std::size_t CharacterCount(const std::string& name)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < name.size(); ++i, ++n) {
        if (IsLeadByte(static_cast<unsigned char>(name[i])))
            ++i;
    }
    return n;
}

// A part of a short name is all capitals or all small letters (digits and
// signs go with either): Windows NT and mtools keep its case in the entry.
bool OneCase(const std::string& part)
{
    bool upper = false;
    bool lower = false;
    for (char c : part) {
        upper = upper || (c >= 'A' && c <= 'Z');
        lower = lower || (c >= 'a' && c <= 'z');
    }
    return !(upper && lower);
}

bool IsShortName(const std::string& name)
{
    const std::size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || (dot != std::string::npos && ext.empty()))
        return false;
    for (char c : base + ext) {
        if (!IsShortNameChar(static_cast<unsigned char>(c)))
            return false;   // also a second dot, a blank or a byte beyond ASCII
    }
    return OneCase(base) && OneCase(ext);
}

// ---- FAT ----

class CFatDisk : public CDiskSpace {
public:
    CFatDisk(const CMediumKind& kind, bool capacity) : m_kind(kind), m_bCapacity(capacity)
    {
        m_root.m_nEntries = 0;
        m_nUsed = RootClusters();
    }

    bool Add(const std::vector<std::string>& path, uint64_t size) override
    {
        struct CChange {
            CDir* m_pDir;
            uint32_t m_nOldEntries;
        };
        std::vector<CChange> changes;
        std::vector<std::pair<CDir*, std::string>> created;
        const uint64_t usedBefore = m_nUsed;
        CDir* dir = &m_root;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            const std::string key = FatNameKey(path[i]);
            auto found = dir->m_children.find(key);
            if (found == dir->m_children.end()) {
                AddEntries(dir, FatEntriesForName(path[i]), changes);
                std::unique_ptr<CDir> child(new CDir);
                child->m_nEntries = 2;   // "." and ".."
                m_nUsed += ClustersFor(32ull * child->m_nEntries, m_kind.m_dwClusterSize);
                found = dir->m_children.emplace(key, std::move(child)).first;
                created.emplace_back(dir, key);
            }
            dir = found->second.get();
        }
        AddEntries(dir, path.empty() ? 1 : FatEntriesForName(path.back()), changes);
        m_nUsed += ClustersFor(size, m_kind.m_dwClusterSize);
        const bool fits = !m_bCapacity ||
                          (m_nUsed <= m_kind.m_nClusters &&
                           (m_kind.m_nRootEntries == 0 || m_root.m_nEntries <= m_kind.m_nRootEntries));
        if (fits)
            return true;
        for (auto it = changes.rbegin(); it != changes.rend(); ++it)
            it->m_pDir->m_nEntries = it->m_nOldEntries;
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            it->first->m_children.erase(it->second);
        m_nUsed = usedBefore;
        return false;
    }

    uint64_t Used() const override { return m_nUsed; }
    uint32_t RootEntries() const override { return m_kind.m_nRootEntries ? m_root.m_nEntries : 0; }

private:
    struct CDir {
        uint32_t m_nEntries = 0;
        std::map<std::string, std::unique_ptr<CDir>> m_children;
    };

    uint64_t RootClusters() const
    {
        if (m_kind.m_nRootEntries)
            return 0;   // the fixed root lies outside the clusters
        const uint64_t clusters = ClustersFor(32ull * m_root.m_nEntries, m_kind.m_dwClusterSize);
        return clusters ? clusters : 1;
    }

    uint64_t DirClusters(const CDir* dir) const
    {
        return dir == &m_root ? RootClusters() : ClustersFor(32ull * dir->m_nEntries, m_kind.m_dwClusterSize);
    }

    template <typename Changes>
    void AddEntries(CDir* dir, int entries, Changes& changes)
    {
        changes.push_back({dir, dir->m_nEntries});
        const uint64_t before = DirClusters(dir);
        dir->m_nEntries += static_cast<uint32_t>(entries);
        m_nUsed += DirClusters(dir) - before;
    }

    CMediumKind m_kind;
    bool m_bCapacity;
    CDir m_root;
    uint64_t m_nUsed = 0;
};

// ---- ISO 9660 with Joliet ----

// A directory's records in both trees, packed into sectors: a record never
// crosses a sector's end.
uint64_t PackedSectors(const std::vector<uint32_t>& records)
{
    uint64_t sectors = 1;
    uint32_t inSector = 34 + 34;   // "." and ".."
    for (uint32_t length : records) {
        if (inSector + length > 2048) {
            ++sectors;
            inSector = 0;
        }
        inSector += length;
    }
    return sectors;
}

uint32_t EvenRecord(uint32_t identifierLength)
{
    const uint32_t length = 33 + identifierLength;
    return length + (length & 1);
}

class CIsoDisk : public CDiskSpace {
public:
    CIsoDisk(const CMediumKind& kind, bool capacity) : m_kind(kind), m_bCapacity(capacity)
    {
        m_root.m_nSectors = 2;   // one sector of each tree
        Recount();
    }

    bool Add(const std::vector<std::string>& path, uint64_t size) override
    {
        CDir* dir = &m_root;
        std::vector<std::pair<CDir*, std::string>> created;
        std::vector<std::pair<CDir*, std::size_t>> grown;   // records added to a directory
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            const std::string key = FatNameKey(path[i]);
            auto found = dir->m_children.find(key);
            if (found == dir->m_children.end()) {
                AddRecords(dir, path[i], false, grown);
                std::unique_ptr<CDir> child(new CDir);
                child->m_nSectors = 2;
                m_nDirSectors += 2;
                m_nPathTableBytes[0] += PathTableRecord(IsoLength(path[i], false));
                m_nPathTableBytes[1] += PathTableRecord(JolietLength(path[i], false));
                found = dir->m_children.emplace(key, std::move(child)).first;
                created.emplace_back(dir, key);
            }
            dir = found->second.get();
        }
        if (!path.empty())
            AddRecords(dir, path.back(), true, grown);
        m_nFileSectors += ClustersFor(size, m_kind.m_dwClusterSize);
        Recount();
        if (!m_bCapacity || m_nUsed <= m_kind.m_nClusters)
            return true;
        m_nFileSectors -= ClustersFor(size, m_kind.m_dwClusterSize);
        for (auto it = grown.rbegin(); it != grown.rend(); ++it) {
            it->first->m_iso.resize(it->second);
            it->first->m_joliet.resize(it->second);
            Repack(it->first);
        }
        for (auto it = created.rbegin(); it != created.rend(); ++it) {
            m_nDirSectors -= it->first->m_children[it->second]->m_nSectors;
            it->first->m_children.erase(it->second);
        }
        RecountPathTables();
        Recount();
        return false;
    }

    uint64_t Used() const override { return m_nUsed; }
    uint32_t RootEntries() const override { return 0; }

private:
    struct CDir {
        std::vector<uint32_t> m_iso;
        std::vector<uint32_t> m_joliet;
        uint64_t m_nSectors = 0;
        std::map<std::string, std::unique_ptr<CDir>> m_children;
    };

    // Level-1 identifiers as mkisofs makes them: 8.3 for files with ";1", 8 for directories.
    static uint32_t IsoLength(const std::string& name, bool file)
    {
        const std::size_t n = name.size();
        return file ? static_cast<uint32_t>((n < 12 ? n : 12) + 2) : static_cast<uint32_t>(n < 8 ? n : 8);
    }
    // UCS-2, at most 64 characters, ";1" after a file's name.
    static uint32_t JolietLength(const std::string& name, bool file)
    {
        std::size_t chars = CharacterCount(name);
        if (chars > 64)
            chars = 64;
        return static_cast<uint32_t>(2 * (chars + (file ? 2 : 0)));
    }
    static uint64_t PathTableRecord(uint32_t identifierLength)
    {
        return 8 + identifierLength + (identifierLength & 1);
    }

    void AddRecords(CDir* dir, const std::string& name, bool file, std::vector<std::pair<CDir*, std::size_t>>& grown)
    {
        grown.emplace_back(dir, dir->m_iso.size());
        dir->m_iso.push_back(EvenRecord(IsoLength(name, file)));
        dir->m_joliet.push_back(EvenRecord(JolietLength(name, file)));
        Repack(dir);
    }

    void Repack(CDir* dir)
    {
        m_nDirSectors -= dir->m_nSectors;
        dir->m_nSectors = PackedSectors(dir->m_iso) + PackedSectors(dir->m_joliet);
        m_nDirSectors += dir->m_nSectors;
    }

    void RecountPathTables()
    {
        m_nPathTableBytes[0] = m_nPathTableBytes[1] = 10;   // the root's records
        Walk(&m_root);
    }
    void Walk(const CDir* dir)
    {
        for (const auto& child : dir->m_children) {
            // Only the length matters: the key has the name's length.
            m_nPathTableBytes[0] += PathTableRecord(IsoLength(child.first, false));
            m_nPathTableBytes[1] += PathTableRecord(JolietLength(child.first, false));
            Walk(child.second.get());
        }
    }

    void Recount()
    {
        // System area, primary and Joliet volume descriptors, terminator;
        // a type L and a type M path table per tree; mkisofs's padding of
        // 150 sectors at the end.
        uint64_t tables = 0;
        for (uint64_t bytes : m_nPathTableBytes)
            tables += 2 * ClustersFor(bytes, m_kind.m_dwClusterSize);
        m_nUsed = 16 + 3 + tables + m_nDirSectors + m_nFileSectors + 150;
    }

    CMediumKind m_kind;
    bool m_bCapacity;
    CDir m_root;
    uint64_t m_nPathTableBytes[2] = {10, 10};
    uint64_t m_nDirSectors = 2;
    uint64_t m_nFileSectors = 0;
    uint64_t m_nUsed = 0;
};

}  // namespace

bool ParseMediumKind(const std::string& text, CMediumKind& kind)
{
    for (const CMediumKind& known : kKnownKinds) {
        if (text == known.m_strName) {
            kind = known;
            return true;
        }
    }
    const std::size_t slash = text.find('/');
    uint64_t bytes = 0;
    uint64_t cluster = 512;
    if (!ParseNumber(text.substr(0, slash), bytes) ||
        (slash != std::string::npos && !ParseNumber(text.substr(slash + 1), cluster)))
        return false;
    // Clusters of 512 bytes to 64 KB, a power of two; at least one cluster.
    if (cluster < 512 || cluster > 65536 || (cluster & (cluster - 1)) != 0 || bytes < cluster)
        return false;
    kind = CMediumKind();
    kind.m_strName = text;
    kind.m_strDescription = std::to_string(bytes) + "-byte medium";
    kind.m_layout = CMediumKind::Layout::Fat;
    kind.m_dwClusterSize = static_cast<uint32_t>(cluster);
    kind.m_nClusters = bytes / cluster;
    kind.m_nRootEntries = 0;
    return true;
}

const char* MediumKindNames()
{
    return "1.44M, 1.2M, 720K, cd650, or BYTES[/CLUSTER]";
}

bool IsValidFatName(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || CharacterCount(name) > 255)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(c)) {
            if (i + 1 >= name.size())
                return false;   // half a character
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F)
            return false;
        for (const char* p = "\\/:*?\"<>|"; *p; ++p) {
            if (c == static_cast<unsigned char>(*p))
                return false;
        }
    }
    // Windows drops trailing dots and blanks, so the name would change.
    return name.back() != '.' && name.back() != ' ';
}

int FatEntriesForName(const std::string& name)
{
    if (IsShortName(name))
        return 1;
    return 1 + static_cast<int>((CharacterCount(name) + 12) / 13);
}

std::string FatNameKey(const std::string& name)
{
    std::string key = name;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(key[i]))) {
            ++i;
            continue;
        }
        if (key[i] >= 'a' && key[i] <= 'z')
            key[i] = static_cast<char>(key[i] - 'a' + 'A');
    }
    return key;
}

std::unique_ptr<CDiskSpace> MakeDiskSpace(const CMediumKind& kind, bool capacity)
{
    if (kind.m_layout == CMediumKind::Layout::Iso9660)
        return std::unique_ptr<CDiskSpace>(new CIsoDisk(kind, capacity));
    return std::unique_ptr<CDiskSpace>(new CFatDisk(kind, capacity));
}

uint64_t ClustersFor(uint64_t size, uint32_t clusterSize)
{
    return size / clusterSize + (size % clusterSize ? 1 : 0);
}

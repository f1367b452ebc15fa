// The media builder's core: how much of a medium files take (FAT floppies,
// a CD, a size given), and the plan a script and a product folder give:
// which disk holds what, spanning, overflows with the files that do not
// fit, declared sizes, and the script the medium carries. Built natively
// and for Win32 (run under Wine): both must give the same results. Sources
// are compiled to code page 932, as scripts are.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "compress/szdd.h"
#include "media/geometry.h"
#include "media/plan.h"
#include "media/scriptlines.h"

namespace {

using Path = std::vector<std::string>;

CMediumKind Medium(const char* name)
{
    CMediumKind kind;
    EXPECT_TRUE(ParseMediumKind(name, kind)) << name;
    return kind;
}

// ---- geometry ----

TEST(MediumKindTest, NamesAndSizes)
{
    struct Row {
        const char* text;
        bool known;
        uint32_t cluster;
        uint64_t clusters;
        uint32_t rootEntries;
    };
    const Row rows[] = {
        // Data clusters as mformat lays the floppies out (mdir's free bytes
        // of an empty image / 512).
        {"1.44M", true, 512, 2847, 224},
        {"1.2M", true, 512, 2371, 224},
        {"720K", true, 1024, 713, 112},
        {"cd650", true, 2048, 333000, 0},
        {"1000000", true, 512, 1953, 0},
        {"1000000/4096", true, 4096, 244, 0},
        {"4096/4096", true, 4096, 1, 0},
        {"4095/4096", false, 0, 0, 0},   // not one cluster
        {"8192/1000", false, 0, 0, 0},   // no power of two
        {"8192/256", false, 0, 0, 0},    // below a sector
        {"1.44m", false, 0, 0, 0},
        {"12k", false, 0, 0, 0},
        {"", false, 0, 0, 0},
        {"/512", false, 0, 0, 0},
    };
    for (const Row& row : rows) {
        CMediumKind kind;
        ASSERT_EQ(ParseMediumKind(row.text, kind), row.known) << row.text;
        if (!row.known)
            continue;
        EXPECT_EQ(kind.m_dwClusterSize, row.cluster) << row.text;
        EXPECT_EQ(kind.m_nClusters, row.clusters) << row.text;
        EXPECT_EQ(kind.m_nRootEntries, row.rootEntries) << row.text;
    }
}

TEST(FatNameTest, EntriesAndValidity)
{
    struct Row {
        const char* name;
        bool valid;
        int entries;
    };
    const Row rows[] = {
        {"README.TXT", true, 1},
        {"readme.txt", true, 1},     // one case per part: kept in the short entry
        {"README.txt", true, 1},
        {"ReadMe.txt", true, 2},     // mixed case: a long name
        {"_SETUP.EX_", true, 1},
        {"DISK1", true, 1},
        {"ABCDEFGHI", true, 2},      // nine characters
        {"A.TEXT", true, 2},
        {"A.B.C", true, 2},
        {"A B.TXT", true, 2},
        {"ABCDEFGHIJKLM.TX", true, 3},   // 16 characters: two long entries
        {"ABCDEFGHIJKLM", true, 2},      // 13: one
        {"表.TXT", true, 2},         // beyond ASCII: always a long name
        {"漢字漢字漢字漢字漢字漢字漢.TXT", true, 3},   // 17 characters
        {".", false, 0},
        {"..", false, 0},
        {"", false, 0},
        {"A:B", false, 0},
        {"A*", false, 0},
        {"END.", false, 0},
        {"END ", false, 0},
        {"\x95", false, 0},          // half a double-byte character
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsValidFatName(row.name), row.valid) << row.name;
        if (row.valid) {
            EXPECT_EQ(FatEntriesForName(row.name), row.entries) << row.name;
        }
    }
}

// A disk filled with files in order: whether the last one fits, and the
// clusters and root entries then in use (of the disk without the last file
// when it does not fit).
TEST(DiskSpaceTest, FillsClusterByCluster)
{
    struct File {
        Path path;
        uint64_t size;
    };
    struct Row {
        const char* what;
        const char* medium;
        std::vector<File> files;
        int repeatFirst;   // the first file this many times (names numbered)
        bool lastFits;
        uint64_t used;
        uint32_t rootEntries;
    };
    const uint64_t floppy = 2847ull * 512;
    const Row rows[] = {
        {"an empty file takes an entry, no cluster", "1.44M", {{{"DISK1"}, 0}}, 1, true, 0, 1},
        {"one byte takes a cluster", "1.44M", {{{"A.TXT"}, 1}}, 1, true, 1, 1},
        {"a whole floppy in one file", "1.44M", {{{"A.BIN"}, floppy}}, 1, true, 2847, 1},
        {"one byte over by one cluster", "1.44M", {{{"A.BIN"}, floppy + 1}}, 1, false, 0, 0},
        {"the last cluster taken by a subdirectory", "1.44M",
         {{{"A.BIN"}, floppy - 512}, {{"SUB", "B.TXT"}, 0}}, 1, true, 2847, 2},
        {"a subdirectory's cluster overflows the disk", "1.44M",
         {{{"A.BIN"}, floppy - 512}, {{"SUB", "B.TXT"}, 1}}, 1, false, 2846, 1},
        // 14 files and "." and ".." are 512 bytes of entries: the 15th takes a second cluster.
        {"a subdirectory of 14 files takes one cluster", "1.44M", {{{"SUB", "F.TXT"}, 0}}, 14, true, 1, 1},
        {"a subdirectory of 15 files takes two", "1.44M", {{{"SUB", "F.TXT"}, 0}}, 15, true, 2, 1},
        {"224 root entries fit", "1.44M", {{{"F.TXT"}, 0}}, 224, true, 0, 224},
        {"the 225th does not", "1.44M", {{{"F.TXT"}, 0}}, 225, false, 0, 224},
        {"a long name takes more root entries", "1.44M",
         {{{"F.TXT"}, 0}, {{"ABCDEFGHIJKLM.TX"}, 0}}, 222, false, 0, 222},
        {"1.2 MB has 224 root entries too", "1.2M", {{{"F.TXT"}, 0}}, 225, false, 0, 224},
        // A size given: the root directory takes clusters like any other.
        {"a size given: the root takes a cluster", "10240/1024", {{{"A.BIN"}, 9 * 1024}}, 1, true, 10, 0},
        {"a size given: over by one byte", "10240/1024", {{{"A.BIN"}, 9 * 1024 + 1}}, 1, false, 1, 0},
        {"a size given: the root grows past 32 entries", "10240/1024", {{{"F.TXT"}, 0}}, 33, true, 2, 0},
        // A CD: system area, descriptors, four path tables, both roots, padding.
        {"an empty CD", "cd650", {{{"A.TXT"}, 0}}, 1, true, 16 + 3 + 4 + 2 + 150, 0},
        {"a CD file takes whole sectors", "cd650", {{{"A.TXT"}, 2049}}, 1, true, 16 + 3 + 4 + 2 + 150 + 2, 0},
    };
    for (const Row& row : rows) {
        std::unique_ptr<CDiskSpace> disk = MakeDiskSpace(Medium(row.medium));
        std::vector<File> files;
        for (int i = 0; i < row.repeatFirst; ++i) {
            File f = row.files[0];
            if (row.repeatFirst > 1)
                f.path.back() = "F" + std::to_string(i) + ".TXT";
            files.push_back(f);
        }
        files.insert(files.end(), row.files.begin() + 1, row.files.end());
        for (std::size_t i = 0; i + 1 < files.size(); ++i)
            ASSERT_TRUE(disk->Add(files[i].path, files[i].size)) << row.what << ": file " << i;
        EXPECT_EQ(disk->Add(files.back().path, files.back().size), row.lastFits) << row.what;
        EXPECT_EQ(disk->Used(), row.used) << row.what;
        EXPECT_EQ(disk->RootEntries(), row.rootEntries) << row.what;
    }
}

// ---- the script as lines ----

TEST(ScriptLinesTest, SetsFieldsAndRendersCrLf)
{
    struct Row {
        const char* what;
        const char* text;
        int line;
        int field;
        bool changed;
        const char* rendered;
    };
    const Row rows[] = {
        {"a disk number", "[F]\nA=1,,A.TX_,0,,A.TXT,10,1\n", 2, 0, true, "[F]\r\nA=9,,A.TX_,0,,A.TXT,10,1\r\n"},
        {"a size, LF CR line ends", "[F]\n\rA=1,,A.TX_,0,,A.TXT,10,1\n\r", 2, 6, true,
         "[F]\r\nA=1,,A.TX_,0,,A.TXT,9,1\r\n"},
        {"commas in quotes are no field ends", "[F]\rA=1,\"x,y\",A.TX_,0,,A.TXT,10\r", 2, 6, true,
         "[F]\r\nA=1,\"x,y\",A.TX_,0,,A.TXT,9\r\n"},
        {"missing fields are added", "A=1,,A.TX_\r\n", 1, 6, true, "A=1,,A.TX_,,,,9\r\n"},
        {"a header has no value", "[F]\r\n", 1, 0, false, "[F]\r\n"},
        {"blanks around the field are kept", "A= 1 ,B\n", 1, 1, true, "A= 1 ,9\r\n"},
    };
    for (const Row& row : rows) {
        CScriptLines lines(row.text);
        EXPECT_EQ(lines.SetField(row.line, row.field, "9"), row.changed) << row.what;
        EXPECT_EQ(lines.Render(), row.rendered) << row.what;
    }
}

// ---- the plan ----

// A product folder in memory: paths with backslashes, files by their bytes.
class CFakeProduct : public IProductFolder {
public:
    explicit CFakeProduct(std::map<std::string, std::string> files) : m_files(std::move(files)) {}

    bool List(const std::vector<std::string>& dir, std::vector<CProductEntry>& entries) override
    {
        const std::string prefix = Join(dir);
        std::map<std::string, CProductEntry> found;
        bool any = dir.empty();
        for (const auto& file : m_files) {
            if (!prefix.empty() && file.first.compare(0, prefix.size() + 1, prefix + "\\") != 0)
                continue;
            any = true;
            const std::string rest = file.first.substr(prefix.empty() ? 0 : prefix.size() + 1);
            const std::size_t slash = rest.find('\\');
            CProductEntry entry;
            entry.m_strName = rest.substr(0, slash);
            entry.m_bDirectory = slash != std::string::npos;
            entry.m_nSize = entry.m_bDirectory ? 0 : file.second.size();
            found[entry.m_strName] = entry;
        }
        entries.clear();
        for (const auto& e : found)
            entries.push_back(e.second);
        return any;
    }
    bool Read(const std::vector<std::string>& path, std::vector<uint8_t>& data) override
    {
        auto found = m_files.find(Join(path));
        if (found == m_files.end())
            return false;
        data.assign(found->second.begin(), found->second.end());
        return true;
    }
    static std::string Join(const std::vector<std::string>& path)
    {
        std::string s;
        for (const std::string& p : path)
            s += (s.empty() ? "" : "\\") + p;
        return s;
    }

private:
    std::map<std::string, std::string> m_files;
};

std::string Bytes(std::size_t n, unsigned seed)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = static_cast<char>(seed >> 16);
    }
    return s;
}

CDiskOnePrograms Programs()
{
    CDiskOnePrograms programs;
    const std::string launcher = Bytes(700, 1), setup = Bytes(1500, 2), uninstaller = Bytes(1200, 3);
    programs.m_launcher.assign(launcher.begin(), launcher.end());
    programs.m_setup.assign(setup.begin(), setup.end());
    programs.m_uninstaller.assign(uninstaller.begin(), uninstaller.end());
    return programs;
}

const char kConfig[] =
    "[Config]\n"
    "Product=製品\n"
    "InstallDir=C:\\製品\n"
    "GroupName=製品\n"
    "Uninstall=TRUE,Seihin,アンインストール\n";   // lines 1-5

std::vector<std::string> Layout(const CMediaPlan& plan)
{
    std::vector<std::string> out;
    for (const CPlannedFile& f : plan.m_files)
        out.push_back(MediumPathText(f.m_nDisk, f.m_path));
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> Findings(const CMediaPlan& plan)
{
    std::vector<std::string> out;
    for (const CMediaFinding& f : plan.m_findings) {
        if (SeverityOf(f.m_id) != MediaSeverity::Note || f.m_nLine > 0)
            out.push_back(std::to_string(f.m_nLine) + ":" + MediaMessageName(f.m_id));
    }
    for (const CFinding& f : CheckPlannedMedium(plan))
        out.push_back(std::to_string(f.m_nLine) + ":" + MessageIdName(f.m_id));
    return out;
}

const std::map<std::string, std::string> kProduct = {
    {"README.TXT", Bytes(3000, 4)},
    {"DATA\\BIG.DAT", std::string(1000, 'x')},
    {"DATA\\漢字.DAT", "漢字のデータ"},
    {"LIB.DLL", Bytes(100, 5)},
    {"MIX\\A.DAT", "A"},
    {"MIX\\a.dat", "a"},
};

struct PlanRow {
    const char* what;
    std::string script;   // after the [Config] section
    const char* config;   // that section (null: kConfig)
    const char* medium;
    bool span;
    bool fixSizes;
    std::vector<std::string> layout;     // empty: nothing is written
    std::vector<std::string> findings;   // line:id
};

const std::vector<std::string> kDiskOne = {"DISK1\\DISK1", "DISK1\\SETUP.EXE", "DISK1\\SETUP.INF",
                                           "DISK1\\VMUNST10.EX_", "DISK1\\_SETUP.EX_"};

std::vector<std::string> With(std::vector<std::string> more, bool uninstaller = true)
{
    std::vector<std::string> all = kDiskOne;
    if (!uninstaller)
        all.erase(std::find(all.begin(), all.end(), "DISK1\\VMUNST10.EX_"));
    all.insert(all.end(), more.begin(), more.end());
    std::sort(all.begin(), all.end());
    return all;
}

TEST(PlanTest, LayoutsAndFindings)
{
    const PlanRow rows[] = {
        {"one disk: a compressed file and a plain one in a subdirectory",
         "[InstallFiles]\nA=1,,README.TX_,0,,README.TXT,3000,1\nB=1,\\DATA,BIG.DAT,0,DATA,BIG.DAT,1000,1\n",
         nullptr, "1.44M", false, false, With({"DISK1\\README.TX_", "DISK1\\DATA\\BIG.DAT"}), {}},
        {"two disks, a Japanese name, a compressed name from another name",
         "[InstallFiles]\nA=1,,README.TX_,0,,README.TXT,3000,1\n"
         "B=2,\\DATA,漢字.DA_,0,DATA,漢字.DAT,12,1\nC=2,,LIB.DL_,0,$SysDir$,X.DLL,100\n",
         nullptr, "1.44M", false, false,
         With({"DISK1\\README.TX_", "DISK2\\DISK2", "DISK2\\DATA\\漢字.DA_", "DISK2\\LIB.DL_"}), {}},
        {"one file for two lines", "[InstallFiles]\nA=1,,LIB.DLL,0,,LIB.DLL,100\n[Common::InstallFiles]\nB=1,,LIB.DLL,0,X,LIB.DLL,100\n",
         nullptr, "1.44M", false, false, With({"DISK1\\LIB.DLL"}), {}},
        {"without uninstall support no uninstaller", "[InstallFiles]\nA=1,,LIB.DLL,0,,LIB.DLL,100\n",
         "[Config]\nProduct=製品\nInstallDir=C:\\製品\nGroupName=製品\nUninstall=FALSE\n", "1.44M", false, false,
         With({"DISK1\\LIB.DLL"}, false), {}},
        {"a declared size that differs", "[InstallFiles]\nA=1,,README.TX_,0,,README.TXT,30,1\n", nullptr, "1.44M", false,
         false, With({"DISK1\\README.TX_"}), {"7:SizeDiffers"}},
        {"the real size written", "[InstallFiles]\nA=1,,README.TX_,0,,README.TXT,30,1\n", nullptr, "1.44M", false, true,
         With({"DISK1\\README.TX_"}), {"7:SizeWritten"}},
        {"a missing product file", "[InstallFiles]\nA=1,,NONE.TX_,0,,NONE.TXT,3,1\nB=1,,GONE.TXT,0,,GONE.TXT,3\n",
         nullptr, "1.44M", false, false, {}, {"7:ProductFileMissing", "8:ProductFileMissing"}},
        {"a disk without files", "[InstallFiles]\nA=3,,LIB.DLL,0,,LIB.DLL,100\n", nullptr, "1.44M", false, false,
         With({"DISK3\\DISK3", "DISK3\\LIB.DLL"}), {"0:DiskWithoutFiles"}},
        {"the installer's own file", "[InstallFiles]\nA=1,,SETUP.INF,0,,LIB.DLL,100\n", nullptr, "1.44M", false, false, {},
         {"7:MediumPathReserved"}},
        // The product folder (a Linux one) has A.DAT and a.dat, which are one name on FAT.
        {"two product files for one medium file",
         "[InstallFiles]\nA=1,\\MIX,A.DAT,0,,A.DAT,1\nB=1,\\MIX,a.dat,0,,a.dat,1\nC=1,\\MIX,A.DA_,0,,X.DAT,1\n",
         nullptr, "1.44M", false, false, {}, {"8:MediumPathConflict", "9:ProductFileAmbiguous"}},
        {"a path variable in the source subdirectory", "[InstallFiles]\nA=1,$SrcDir$,LIB.DLL,0,,LIB.DLL,100\n",
         nullptr, "1.44M", false, false, {}, {"7:SourceDirVariable"}},
        {"a CD", "[InstallFiles]\nA=1,\\DATA,BIG.DAT,0,DATA,BIG.DAT,1000,1\nB=2,,LIB.DLL,0,,LIB.DLL,100\n", nullptr, "cd650",
         false, false, With({"DISK1\\DATA\\BIG.DAT", "DISK2\\DISK2", "DISK2\\LIB.DLL"}), {}},
    };
    for (const PlanRow& row : rows) {
        CFakeProduct product(kProduct);
        CPlanOptions options;
        options.m_medium = Medium(row.medium);
        options.m_bSpan = row.span;
        options.m_bFixSizes = row.fixSizes;
        const std::string script = (row.config ? row.config : kConfig) + row.script;
        const CMediaPlan plan = PlanMedia(script, product, Programs(), options);
        EXPECT_EQ(Layout(plan), row.layout) << row.what;
        EXPECT_EQ(Findings(plan), row.findings) << row.what;
    }
}

// What the medium carries: the script in code page 932 with CR LF, the "_"
// files and the installer's programs in SZDD that expand to the product's
// and the programs' bytes, the sizes each file takes.
TEST(PlanTest, FilesExpandToTheProductsBytes)
{
    CFakeProduct product(kProduct);
    CPlanOptions options;
    options.m_medium = Medium("1.44M");
    const std::string script = std::string(kConfig) + "[InstallFiles]\nA=1,,README.TX_,0,,README.TXT,3000,1\n"
                                                      "B=1,\\DATA,漢字.DA_,0,DATA,漢字.DAT,12,1\n";
    const CMediaPlan plan = PlanMedia(script, product, Programs(), options);
    ASSERT_FALSE(plan.HasErrors());
    std::string lf;
    for (char c : plan.m_strScript) {
        if (c != '\r')
            lf += c;
    }
    EXPECT_EQ(lf, script);
    EXPECT_EQ(plan.m_strScript.find("\n\r"), std::string::npos);
    const CDiskOnePrograms programs = Programs();
    const std::map<std::string, std::vector<uint8_t>> expanded = {
        {"DISK1\\README.TX_", {kProduct.at("README.TXT").begin(), kProduct.at("README.TXT").end()}},
        {"DISK1\\DATA\\漢字.DA_", {kProduct.at("DATA\\漢字.DAT").begin(), kProduct.at("DATA\\漢字.DAT").end()}},
        {"DISK1\\_SETUP.EX_", programs.m_setup},
        {"DISK1\\VMUNST10.EX_", programs.m_uninstaller},
    };
    for (const CPlannedFile& file : plan.m_files) {
        const std::string where = MediumPathText(file.m_nDisk, file.m_path);
        auto want = expanded.find(where);
        if (want == expanded.end()) {
            EXPECT_FALSE(file.m_bCompressed) << where;
            continue;
        }
        ASSERT_TRUE(file.m_bCompressed) << where;
        EXPECT_EQ(file.m_nSize, file.m_data.size()) << where;
        std::vector<uint8_t> out;
        CSzddHeader header;
        ASSERT_EQ(SzddExpand(file.m_data.data(), file.m_data.size(), out, &header), SzddStatus::Ok) << where;
        EXPECT_EQ(out, want->second) << where;
        EXPECT_EQ(file.m_nInstalledSize, want->second.size()) << where;
    }
}

// Overflow by one cluster: a disk that needs exactly the medium fits; one
// cluster less and the disk overflows, the file that no longer fits named
// on its line.
TEST(PlanTest, OverflowByOneCluster)
{
    const std::string script = std::string(kConfig) + "[InstallFiles]\nA=1,,README.TX_,0,,README.TXT,3000,1\n"
                                                      "B=1,\\DATA,BIG.DAT,0,DATA,BIG.DAT,1000,1\n";
    CPlanOptions options;
    options.m_medium = Medium("100000000");
    CFakeProduct product(kProduct);
    const CMediaPlan measured = PlanMedia(script, product, Programs(), options);
    ASSERT_FALSE(measured.HasErrors());
    const uint64_t need = measured.m_disks.at(0).m_nUsed;
    for (const uint64_t clusters : {need, need - 1}) {
        options.m_medium = Medium(std::to_string(clusters * 512).c_str());
        const CMediaPlan plan = PlanMedia(script, product, Programs(), options);
        const std::vector<std::string> expected =
            clusters == need ? std::vector<std::string>{}
                             : std::vector<std::string>{"0:DiskOverflow", "8:FileDoesNotFit"};
        EXPECT_EQ(Findings(plan), expected) << clusters << " clusters";
        if (clusters == need - 1) {
            ASSERT_FALSE(plan.m_findings.empty());
            EXPECT_EQ(plan.m_findings[0].m_args.at(5), "1") << "one cluster too many";
            EXPECT_TRUE(plan.m_files.empty()) << "nothing to write";
        }
    }
}

// The root directory's limit on a floppy: disk 1's own files and markers
// take five entries, so 219 file lines fill the 224; the 220th is reported.
TEST(PlanTest, RootEntryLimit)
{
    for (int files : {219, 220}) {
        std::map<std::string, std::string> many;
        std::string script = std::string(kConfig) + "[InstallFiles]\n";
        for (int i = 0; i < files; ++i) {
            const std::string name = "F" + std::to_string(i) + ".TXT";
            many[name] = "x";
            script += "K" + std::to_string(i) + "=1,," + name + ",0,," + name + ",1\n";
        }
        CFakeProduct product(many);
        CPlanOptions options;
        options.m_medium = Medium("1.44M");
        const CMediaPlan plan = PlanMedia(script, product, Programs(), options);
        std::vector<std::string> expected;
        if (files == 220)
            expected = {"0:RootDirectoryFull", std::to_string(6 + files) + ":FileDoesNotFit"};
        EXPECT_EQ(Findings(plan), expected) << files << " files";
        EXPECT_EQ(plan.m_disks.at(0).m_nRootEntries, static_cast<uint32_t>(files + 5)) << files << " files";
    }
}

// Spanning: the files in script order, each disk filled until the next one
// does not fit; the script on disk 1 says which disk each is on.
TEST(PlanTest, SpanningAssignsDisksInScriptOrder)
{
    struct Row {
        const char* what;
        std::vector<std::pair<const char*, std::size_t>> files;   // name, bytes (incompressible, stored plain)
        std::vector<int> disks;
        std::vector<std::string> findings;
    };
    const std::size_t disk = 2847 * 512;
    const Row rows[] = {
        {"all on disk 1", {{"A.BIN", 1000}, {"B.BIN", 1000}}, {1, 1}, {}},
        {"a disk each", {{"A.BIN", disk / 2}, {"B.BIN", disk * 3 / 4}, {"C.BIN", disk * 3 / 4}}, {1, 2, 3}, {}},
        {"a small file after a large one goes on", {{"A.BIN", disk * 3 / 4}, {"B.BIN", disk / 2}, {"C.BIN", 100}},
         {1, 2, 2}, {}},
        {"a file larger than any disk", {{"A.BIN", 1000}, {"B.BIN", disk + 1}}, {1, 2},
         {"8:FileLargerThanDisk", "0:DiskOverflow"}},
    };
    for (const Row& row : rows) {
        std::map<std::string, std::string> files;
        std::string script = std::string(kConfig) + "[InstallFiles]\n";
        int n = 0;
        for (const auto& f : row.files) {
            files[f.first] = Bytes(f.second, static_cast<unsigned>(++n));
            // Disk 9 as written: spanning replaces it.
            script += std::string("K") + f.first[0] + "=9,," + f.first + ",0,," + f.first + "," +
                      std::to_string(f.second) + "\n";
        }
        CFakeProduct product(files);
        CPlanOptions options;
        options.m_medium = Medium("1.44M");
        options.m_bSpan = true;
        const CMediaPlan plan = PlanMedia(script, product, Programs(), options);
        std::vector<std::string> findings;
        for (const CMediaFinding& f : plan.m_findings) {
            if (SeverityOf(f.m_id) != MediaSeverity::Note)
                findings.push_back(std::to_string(f.m_nLine) + ":" + MediaMessageName(f.m_id));
        }
        std::sort(findings.begin(), findings.end());
        std::vector<std::string> expected = row.findings;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(findings, expected) << row.what;
        CScriptLines lines(plan.m_strScript);
        for (std::size_t i = 0; i < row.disks.size(); ++i) {
            const std::string& line = lines.Line(static_cast<int>(7 + i));
            EXPECT_EQ(line.substr(0, line.find(',')), std::string("K") + row.files[i].first[0] + "=" +
                                                         std::to_string(row.disks[i]))
                << row.what << ": " << row.files[i].first;
        }
        if (expected.empty()) {
            for (const CDiskUse& use : plan.m_disks)
                EXPECT_TRUE(use.m_bFits) << row.what << ": disk " << use.m_nDisk;
            EXPECT_TRUE(CheckPlannedMedium(plan).empty()) << row.what;
        }
    }
}

TEST(PlanTest, ScriptWithNulIsRefused)
{
    CFakeProduct product(kProduct);
    CPlanOptions options;
    options.m_medium = Medium("1.44M");
    const CMediaPlan plan = PlanMedia(std::string(kConfig) + std::string("X=\0", 3), product, Programs(), options);
    EXPECT_EQ(Findings(plan), std::vector<std::string>{"0:ScriptHasNul"});
}

}  // namespace

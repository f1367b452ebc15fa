// libFuzzer target: the media builder's plan over arbitrary script bytes and
// a small product folder, on a floppy, a tiny medium of a given size and a
// CD, with and without spanning and real sizes. Besides the sanitizers'
// checks: every finding's line lies in the script and formats in both
// languages; a plan without errors has every disk it lays out fitting, and
// the script it carries ends every line with CR LF.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "media/plan.h"

namespace {

// A folder of a few files, in a subdirectory too (names as scripts name them).
class CSmallProduct : public IProductFolder {
public:
    bool List(const std::vector<std::string>& dir, std::vector<CProductEntry>& entries) override
    {
        entries.clear();
        if (dir.empty()) {
            entries = {{"A.TXT", false, 300}, {"b.dll", false, 5000}, {"DATA", true, 0}, {"Empty", false, 0}};
            return true;
        }
        if (dir.size() == 1 && dir[0] == "DATA") {
            entries = {{"C.DAT", false, 70000}, {"\x95\x5C.DAT", false, 10}};
            return true;
        }
        return false;
    }
    bool Read(const std::vector<std::string>& path, std::vector<uint8_t>& data) override
    {
        std::vector<CProductEntry> entries;
        if (!List(std::vector<std::string>(path.begin(), path.end() - 1), entries))
            return false;
        for (const CProductEntry& e : entries) {
            if (e.m_strName == path.back() && !e.m_bDirectory) {
                data.assign(static_cast<std::size_t>(e.m_nSize), static_cast<uint8_t>(path.back().size()));
                return true;
            }
        }
        return false;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > (1u << 16))
        return 0;
    const uint8_t flags = data[0];
    const std::string script(reinterpret_cast<const char*>(data + 1), size - 1);
    long long lines = 1;
    for (char c : script)
        lines += c == '\n' || c == '\r';
    static const char* const kMedia[] = {"1.44M", "20480", "cd650", "1.2M"};
    CPlanOptions options;
    if (!ParseMediumKind(kMedia[flags & 3], options.m_medium))
        std::abort();
    options.m_bSpan = (flags & 4) != 0;
    options.m_bFixSizes = (flags & 8) != 0;
    CDiskOnePrograms programs;
    programs.m_launcher.assign(600, 'L');
    programs.m_setup.assign(900, 'S');
    programs.m_uninstaller.assign(700, 'U');
    CSmallProduct product;
    const CMediaPlan plan = PlanMedia(script, product, programs, options);
    for (const CMediaFinding& f : plan.m_findings) {
        if (f.m_nLine < 0 || f.m_nLine > lines)
            std::abort();
        FormatMediaMessage(f, false);
        FormatMediaMessage(f, true);
    }
    if (!plan.HasErrors()) {
        for (const CDiskUse& use : plan.m_disks) {
            if (!use.m_bFits || use.m_nUsed > options.m_medium.m_nClusters)
                std::abort();
        }
        const std::string& s = plan.m_strScript;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if ((s[i] == '\r') != (i + 1 < s.size() && s[i + 1] == '\n'))
                std::abort();
            if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r'))
                std::abort();
        }
    }
    CheckPlannedMedium(plan);
    return 0;
}

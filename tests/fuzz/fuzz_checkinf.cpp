// libFuzzer target: the script checker over arbitrary script bytes, with and
// without a medium. Besides the sanitizers' checks: every finding's line lies
// in the script, and every message can be formatted in both languages.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checker/scriptcheck.h"

namespace {

// A medium that has every file, each of a size taken from the path.
class CEveryFileMedium : public IMedium {
public:
    bool IsFile(const std::string& path) override { return path.size() % 3 != 0; }
    bool InstalledSize(const std::string& path, long long& size) override
    {
        size = static_cast<long long>(path.size());
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 18))
        return 0;
    const std::string script(reinterpret_cast<const char*>(data), size);
    long long lines = 1;
    for (char c : script)
        lines += c == '\n' || c == '\r';
    CEveryFileMedium medium;
    for (IMedium* m : {static_cast<IMedium*>(nullptr), static_cast<IMedium*>(&medium)}) {
        for (const CFinding& f : CheckScript(script, m)) {
            if (f.m_nLine < 0 || f.m_nLine > lines)
                std::abort();
            FormatMessage(f, Language::English);
            FormatMessage(f, Language::Japanese);
        }
    }
    return 0;
}

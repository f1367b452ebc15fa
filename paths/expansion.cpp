#include "paths/expansion.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "paths/mbcs.h"

namespace {

const char* const kTokens[kPathVarCount] = {
    "$ProgramFiles$", "$WinDir$",   "$SysDir$",    "$InstDir$", "$SrcDir$",  "$TmpDir$",
    "$UserName$",     "$Desktop$",  "$StartMenu$", "$StartUp$", "$SendTo$",
};

// The string never grows beyond this by expansion; see ExpandPathVariables.
constexpr std::size_t kMaxExpandedSize = std::size_t(1) << 20;

unsigned char UpperAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

const char* PathVarToken(PathVar v)
{
    return kTokens[static_cast<int>(v)];
}

int CompareNoCaseN(const char* a, const char* b, int count)
{
    // Each text is walked character by character from its own start: the
    // second byte of a double-byte character is compared as it stands, even
    // when it looks like a lower-case letter (0x61-0x7A).
    bool trailA = false;
    bool trailB = false;
    for (int i = 0; i < count; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        const bool singleA = !trailA;
        const bool singleB = !trailB;
        trailA = singleA && ca != 0 && IsLeadByte(ca) && a[i + 1] != '\0';
        trailB = singleB && cb != 0 && IsLeadByte(cb) && b[i + 1] != '\0';
        if (singleA && !trailA)
            ca = UpperAscii(ca);
        if (singleB && !trailB)
            cb = UpperAscii(cb);
        if (ca != cb)
            return static_cast<signed char>(ca) - static_cast<signed char>(cb);
        if (ca == 0)
            return 0;
    }
    return 0;
}

int FindNoCase(const std::string& text, const std::string& pattern)
{
    const int count = static_cast<int>(pattern.size());
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        if (CompareNoCaseN(text.c_str() + i, pattern.c_str(), count) == 0)
            return i;
    }
    return -1;
}

bool ReplaceFirstNoCase(std::string& s, const std::string& pattern, const std::string& value)
{
    const int at = FindNoCase(s, pattern);
    if (at < 0)
        return false;
    s.replace(static_cast<std::size_t>(at), pattern.size(), value);
    return true;
}

void ExpandPathVariables(std::string& s, IPathVarSource& values)
{
    // Per byte: which variables' substitutions produced it.
    std::vector<uint16_t> origin(s.size(), 0);
    bool replaced = true;
    while (replaced) {
        replaced = false;
        for (int v = 0; v < kPathVarCount && !replaced; ++v) {
            const std::size_t len = std::strlen(kTokens[v]);
            const uint16_t bit = static_cast<uint16_t>(1u << v);
            for (std::size_t i = 0; i + len <= s.size(); ++i) {
                if (CompareNoCaseN(s.c_str() + i, kTokens[v], static_cast<int>(len)) != 0)
                    continue;
                uint16_t inherited = bit;
                for (std::size_t j = i; j < i + len; ++j)
                    inherited |= origin[j];
                bool blocked = false;
                for (std::size_t j = i; j < i + len; ++j)
                    blocked = blocked || (origin[j] & bit) != 0;
                if (blocked)
                    continue;
                const std::string value = values.Value(static_cast<PathVar>(v));
                if (s.size() - len + value.size() > kMaxExpandedSize)
                    return;
                s.replace(i, len, value);
                origin.erase(origin.begin() + static_cast<std::ptrdiff_t>(i),
                             origin.begin() + static_cast<std::ptrdiff_t>(i + len));
                origin.insert(origin.begin() + static_cast<std::ptrdiff_t>(i), value.size(), inherited);
                replaced = true;
                break;
            }
        }
    }
}

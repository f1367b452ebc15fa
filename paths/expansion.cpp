#include "paths/expansion.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "paths/mbcs.h"

namespace {

// In the order of PathVar, which is the order in which expansion tries them.
const char* const kTokens[] = {
    "$ProgramFiles$", "$WinDir$",   "$SysDir$",    "$InstDir$", "$SrcDir$",  "$TmpDir$",
    "$UserName$",     "$Desktop$",  "$StartMenu$", "$StartUp$", "$SendTo$",
};
static_assert(sizeof(kTokens) / sizeof(kTokens[0]) == kPathVarCount, "one token per variable");

// Limits of one expansion (see ExpandPathVariables in expansion.h): the
// text never grows beyond kMaxExpandedSize bytes, and the values put into it
// never total more than kMaxSubstitutedBytes. Real paths stay far below
// both; the limits only stop values that nest each other so that the text,
// or the work, would grow exponentially.
constexpr std::size_t kMaxExpandedSize = std::size_t(1) << 20;
constexpr std::size_t kMaxSubstitutedBytes = std::size_t(4) << 20;

unsigned char UpperAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// The byte text[i], upper-cased when it is a single-byte letter. `trail`
// says whether text[i] is the second byte of a double-byte character, and is
// set for the next byte. Such a byte stays as it is even when it lies in the
// range of the lower-case letters (0x61-0x7A), as in the system's CharUpperA.
unsigned char UpperAt(const char* text, int i, bool& trail)
{
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (trail) {
        trail = false;
        return c;
    }
    if (c != 0 && IsLeadByte(c) && text[i + 1] != '\0') {
        trail = true;
        return c;
    }
    return UpperAscii(c);
}

}  // namespace

const char* PathVarToken(PathVar v)
{
    return kTokens[static_cast<int>(v)];
}

int CompareNoCaseN(const char* a, const char* b, int count)
{
    // Each text is split into characters from its own start.
    bool trailA = false;
    bool trailB = false;
    for (int i = 0; i < count; ++i) {
        const unsigned char ca = UpperAt(a, i, trailA);
        const unsigned char cb = UpperAt(b, i, trailB);
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

namespace {

using OriginMask = uint16_t;
static_assert(kPathVarCount <= 16, "one origin bit per variable");

// The text being expanded, with the origin mask of every byte: the variables
// whose substitutions produced it. Kept as a gap buffer: substitutions come
// in runs close to each other (a value, then the tokens inside it), so moving
// the gap costs little, where an edit of a plain string would move the whole
// rest of the text each time.
class CExpansionText {
public:
    explicit CExpansionText(const std::string& s)
        : m_text(s.begin(), s.end()), m_origin(s.size(), 0), m_gapBegin(s.size()), m_gapEnd(s.size())
    {
    }

    std::size_t Size() const { return m_text.size() - (m_gapEnd - m_gapBegin); }
    unsigned char At(std::size_t p) const { return static_cast<unsigned char>(m_text[Physical(p)]); }
    OriginMask OriginAt(std::size_t p) const { return m_origin[Physical(p)]; }

    // Position of the first '$' in [from, to), or npos.
    std::size_t FindDollar(std::size_t from, std::size_t to) const
    {
        if (from < m_gapBegin) {
            const std::size_t end = std::min(to, m_gapBegin);
            if (from < end) {
                const void* hit = std::memchr(m_text.data() + from, '$', end - from);
                if (hit != nullptr)
                    return static_cast<std::size_t>(static_cast<const char*>(hit) - m_text.data());
            }
            from = end;
        }
        if (from < to) {
            const std::size_t gap = m_gapEnd - m_gapBegin;
            const void* hit = std::memchr(m_text.data() + from + gap, '$', to - from);
            if (hit != nullptr)
                return static_cast<std::size_t>(static_cast<const char*>(hit) - m_text.data()) - gap;
        }
        return std::string::npos;
    }

    // Replaces len bytes at `at` by value; every new byte gets `origin`.
    void Replace(std::size_t at, std::size_t len, const std::string& value, OriginMask origin)
    {
        MoveGap(at);
        m_gapEnd += len;
        if (m_gapEnd - m_gapBegin < value.size())
            Widen(value.size());
        if (!value.empty()) {
            std::memcpy(m_text.data() + m_gapBegin, value.data(), value.size());
            std::fill_n(m_origin.begin() + static_cast<std::ptrdiff_t>(m_gapBegin), value.size(), origin);
        }
        m_gapBegin += value.size();
    }

    std::string ToString() const
    {
        std::string s;
        s.reserve(Size());
        s.append(m_text.data(), m_gapBegin);
        s.append(m_text.data() + m_gapEnd, m_text.size() - m_gapEnd);
        return s;
    }

private:
    std::size_t Physical(std::size_t p) const { return p < m_gapBegin ? p : p + (m_gapEnd - m_gapBegin); }

    void MoveBytes(std::size_t to, std::size_t from, std::size_t n)
    {
        if (n == 0)
            return;
        std::memmove(m_text.data() + to, m_text.data() + from, n);
        std::memmove(m_origin.data() + to, m_origin.data() + from, n * sizeof(OriginMask));
    }

    void MoveGap(std::size_t at)
    {
        if (at < m_gapBegin) {
            const std::size_t n = m_gapBegin - at;
            MoveBytes(m_gapEnd - n, at, n);
            m_gapBegin -= n;
            m_gapEnd -= n;
        } else if (at > m_gapBegin) {
            const std::size_t n = at - m_gapBegin;
            MoveBytes(m_gapBegin, m_gapEnd, n);
            m_gapBegin += n;
            m_gapEnd += n;
        }
    }

    void Widen(std::size_t need)
    {
        const std::size_t tail = m_text.size() - m_gapEnd;
        const std::size_t size = std::max(m_text.size() * 2, m_gapBegin + need + tail + 64);
        m_text.resize(size);
        m_origin.resize(size);
        MoveBytes(size - tail, m_gapEnd, tail);
        m_gapEnd = size - tail;
    }

    std::vector<char> m_text;
    std::vector<OriginMask> m_origin;
    std::size_t m_gapBegin;
    std::size_t m_gapEnd;
};

// Positions at which an occurrence of one variable's token may start that
// has not been looked at since the text last changed there: [begin, end).
struct CWindow {
    std::size_t begin;
    std::size_t end;
};

// Expansion in the order scripts rely on: the first variable in table order
// that occurs anywhere is replaced at its first occurrence, then the search
// starts again with the first variable. Instead of searching the whole text
// again after every substitution, each variable keeps the windows of the text
// where an occurrence may start that it has not yet ruled out: everything at
// first, afterwards only the surroundings of each substitution. The result is
// the same; the work follows the text that changes.
class CExpander {
public:
    CExpander(const std::string& s, IPathVarSource& values) : m_text(s), m_values(values)
    {
        for (int v = 0; v < kPathVarCount; ++v) {
            m_tokenLen[v] = std::strlen(kTokens[v]);
            for (std::size_t i = 0; i < m_tokenLen[v]; ++i)
                m_upperToken[v] += static_cast<char>(UpperAscii(static_cast<unsigned char>(kTokens[v][i])));
            if (!s.empty())
                m_windows[v].push_back(CWindow{0, s.size()});
        }
    }

    void Run()
    {
        for (;;) {
            std::size_t at = 0;
            int v = 0;
            while (v < kPathVarCount && !FindFirst(v, at))
                ++v;
            if (v == kPathVarCount)
                return;
            if (!Substitute(v, at))
                return;
        }
    }

    std::string Result() const { return m_text.ToString(); }

private:
    // The token of v at p, in any letter case, and not formed with any byte
    // that an earlier substitution of v produced.
    bool Matches(int v, std::size_t p) const
    {
        const std::size_t len = m_tokenLen[v];
        if (p + len > m_text.Size())
            return false;
        const OriginMask bit = static_cast<OriginMask>(1u << v);
        for (std::size_t i = 0; i < len; ++i) {
            // Token bytes are ASCII, so a byte that matches is a single-byte
            // character and ASCII upper-casing is the whole case rule here.
            const unsigned char c = UpperAscii(m_text.At(p + i));
            if (c != static_cast<unsigned char>(m_upperToken[v][i]) || (m_text.OriginAt(p + i) & bit) != 0)
                return false;
        }
        return true;
    }

    // Finds the first occurrence of v's token that may be substituted.
    // Windows found empty are dropped.
    bool FindFirst(int v, std::size_t& at)
    {
        std::vector<CWindow>& windows = m_windows[v];
        const std::size_t size = m_text.Size();
        const std::size_t lastStart = size >= m_tokenLen[v] ? size - m_tokenLen[v] + 1 : 0;
        for (std::size_t w = 0; w < windows.size(); ++w) {
            const std::size_t end = std::min(windows[w].end, lastStart);
            for (std::size_t p = windows[w].begin; p < end; ++p) {
                p = m_text.FindDollar(p, end);
                if (p == std::string::npos)
                    break;
                if (Matches(v, p)) {
                    windows.erase(windows.begin(), windows.begin() + static_cast<std::ptrdiff_t>(w));
                    windows.front().begin = p;
                    at = p;
                    return true;
                }
            }
        }
        windows.clear();
        return false;
    }

    const std::string& Value(int v)
    {
        if (!m_fetched[v]) {
            m_value[v] = m_values.Value(static_cast<PathVar>(v));
            m_fetched[v] = true;
        }
        return m_value[v];
    }

    // FALSE when the limits stop the expansion here.
    bool Substitute(int v, std::size_t at)
    {
        const std::string& value = Value(v);
        const std::size_t len = m_tokenLen[v];
        if (m_text.Size() - len + value.size() > kMaxExpandedSize ||
            value.size() > kMaxSubstitutedBytes - m_substituted)
            return false;
        m_substituted += value.size();

        OriginMask origin = static_cast<OriginMask>(1u << v);
        for (std::size_t i = 0; i < len; ++i)
            origin = static_cast<OriginMask>(origin | m_text.OriginAt(at + i));
        m_text.Replace(at, len, value, origin);
        for (int w = 0; w < kPathVarCount; ++w)
            Reopen(w, at, len, value.size());
        return true;
    }

    // After len bytes at `at` became valueLen new bytes: windows behind the
    // change move with it, and w may now occur wherever its token would
    // overlap the new bytes.
    void Reopen(int w, std::size_t at, std::size_t len, std::size_t valueLen)
    {
        const std::size_t reach = m_tokenLen[w] - 1;
        const CWindow fresh{at >= reach ? at - reach : 0, at + valueLen};
        auto moveBegin = [&](std::size_t x) { return x <= at ? x : x >= at + len ? x - len + valueLen : at; };
        auto moveEnd = [&](std::size_t x) { return x <= at ? x : x >= at + len ? x - len + valueLen : at + valueLen; };

        std::vector<CWindow>& windows = m_windows[w];
        m_scratch.clear();
        bool freshAdded = fresh.begin >= fresh.end;
        auto add = [this](const CWindow& win) {
            if (win.begin >= win.end)
                return;
            if (!m_scratch.empty() && win.begin <= m_scratch.back().end)
                m_scratch.back().end = std::max(m_scratch.back().end, win.end);
            else
                m_scratch.push_back(win);
        };
        for (const CWindow& old : windows) {
            const CWindow moved{moveBegin(old.begin), moveEnd(old.end)};
            if (!freshAdded && fresh.begin <= moved.begin) {
                add(fresh);
                freshAdded = true;
            }
            add(moved);
        }
        if (!freshAdded)
            add(fresh);
        // A list of many small windows only comes from odd texts; one window
        // over all of them is always correct, it only looks at more bytes.
        if (m_scratch.size() > kMaxWindows) {
            m_scratch.front().end = m_scratch.back().end;
            m_scratch.erase(m_scratch.begin() + 1, m_scratch.end());
        }
        windows.swap(m_scratch);
    }

    static constexpr std::size_t kMaxWindows = 64;

    CExpansionText m_text;
    IPathVarSource& m_values;
    std::size_t m_tokenLen[kPathVarCount] = {};
    std::string m_upperToken[kPathVarCount];
    std::vector<CWindow> m_windows[kPathVarCount];
    std::vector<CWindow> m_scratch;
    std::string m_value[kPathVarCount];
    bool m_fetched[kPathVarCount] = {};
    std::size_t m_substituted = 0;
};

}  // namespace

void ExpandPathVariables(std::string& s, IPathVarSource& values)
{
    if (s.find('$') == std::string::npos)
        return;
    CExpander expander(s, values);
    expander.Run();
    s = expander.Result();
}

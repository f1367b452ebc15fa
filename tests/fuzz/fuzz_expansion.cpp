// libFuzzer target: expansion of path variables with arbitrary texts and
// values, including values that hold their own tokens. Input: lines split at
// LF; the first is the text, the next eleven are the variables' values in
// table order (missing ones are empty). Short inputs are also expanded by the
// plain reference algorithm and must agree with it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "paths/expansion.h"
#include "tests/native/expansion_reference.h"

namespace {

class CFuzzVars : public IPathVarSource {
public:
    std::string m_values[kPathVarCount];
    std::string Value(PathVar v) override { return m_values[static_cast<int>(v)]; }
};

// Above this the reference, which searches the whole string again after
// every substitution, gets too slow for a fuzzer.
constexpr std::size_t kReferenceLimit = 96;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    CFuzzVars vars;
    std::size_t start = input.find('\n');
    std::string text = input.substr(0, start);
    for (int v = 0; v < kPathVarCount && start != std::string::npos; ++v) {
        const std::size_t next = input.find('\n', start + 1);
        vars.m_values[v] = input.substr(start + 1, next == std::string::npos ? std::string::npos : next - start - 1);
        start = next;
    }

    std::string expanded = text;
    ExpandPathVariables(expanded, vars);
    if (expanded.size() > text.size() && expanded.size() > (std::size_t(1) << 20))
        std::abort();
    if (text.find('$') == std::string::npos && expanded != text)
        std::abort();
    if (size <= kReferenceLimit && expanded != ReferenceExpandPathVariables(text, vars))
        std::abort();

    // The helpers on the same text: FindNoCase and ReplaceFirstNoCase agree.
    for (int v = 0; v < kPathVarCount; ++v) {
        const std::string token = PathVarToken(static_cast<PathVar>(v));
        const int at = FindNoCase(text, token);
        std::string replaced = text;
        const bool done = ReplaceFirstNoCase(replaced, token, "#");
        if (done != (at >= 0))
            std::abort();
        if (done && replaced != text.substr(0, static_cast<std::size_t>(at)) + "#" + text.substr(at + token.size()))
            std::abort();
    }
    return 0;
}

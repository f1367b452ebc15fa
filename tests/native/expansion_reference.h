#pragma once
// The expansion of path variables written out in its plainest form, as a
// reference for the tests and the fuzzer: one substitution per pass over the
// whole string, restarting with the first variable, with the same rule for
// tokens that a variable's own value helped to form and the same 1 MiB size
// limit. Slow (a full search per substitution), and plainly right for short
// strings; it knows nothing of the work limit, which short strings never reach.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "paths/expansion.h"

inline std::string ReferenceExpandPathVariables(std::string s, IPathVarSource& vars)
{
    std::vector<uint16_t> origin(s.size(), 0);  // per byte: variables that produced it
    for (;;) {
        bool replaced = false;
        for (int v = 0; v < kPathVarCount && !replaced; ++v) {
            const char* token = PathVarToken(static_cast<PathVar>(v));
            const std::size_t len = std::strlen(token);
            const uint16_t bit = static_cast<uint16_t>(1u << v);
            for (std::size_t i = 0; i + len <= s.size() && !replaced; ++i) {
                if (CompareNoCaseN(s.c_str() + i, token, static_cast<int>(len)) != 0)
                    continue;
                uint16_t mask = bit;
                bool own = false;
                for (std::size_t j = i; j < i + len; ++j) {
                    mask = static_cast<uint16_t>(mask | origin[j]);
                    own = own || (origin[j] & bit) != 0;
                }
                if (own)
                    continue;
                const std::string value = vars.Value(static_cast<PathVar>(v));
                if (s.size() - len + value.size() > (std::size_t(1) << 20))
                    return s;
                s.replace(i, len, value);
                origin.erase(origin.begin() + static_cast<std::ptrdiff_t>(i),
                             origin.begin() + static_cast<std::ptrdiff_t>(i + len));
                origin.insert(origin.begin() + static_cast<std::ptrdiff_t>(i), value.size(), mask);
                replaced = true;
            }
        }
        if (!replaced)
            return s;
    }
}

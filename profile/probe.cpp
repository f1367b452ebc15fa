#include "profile/probe.h"

#include <cstdint>
#include <cstdlib>

namespace {

// No list the installer counts (values or subkeys of one registry key) comes
// anywhere near this; indexes from here on are taken as missing without
// asking, so that a probe that never says no cannot drive the candidate
// beyond the range of int.
constexpr int64_t kIndexLimit = int64_t(1) << 30;

}  // namespace

// The search first doubles a candidate until the probe fails, then narrows
// the step between the last two candidates by half each round. Once the step
// is down to one, a failing probe moves the candidate down one index at a
// time until a probe succeeds or index 0 is passed; so the loop ends for any
// answers at all (after at most about log2 + candidate rounds), and for a
// list whose indexes 0..n-1 answer yes the result is n.
int CountByProbing(const std::function<bool(int)>& probe)
{
    auto has = [&probe](int64_t index) {
        return index >= 0 && index < kIndexLimit && probe(static_cast<int>(index));
    };
    int64_t k = 2;
    int64_t m = 0;
    while (has(k))
        k *= 2;
    for (;;) {
        if (has(k - 1)) {
            if (m == 0) {
                m = k;
                k *= 2;
            } else {
                const int64_t d = std::llabs(k - m) / 2;
                m = k;
                k += d;
                if (k == m)
                    return static_cast<int>(k);
            }
        } else {
            if (m == 0) {
                m = k;
                k /= 2;
            } else {
                const int64_t d = std::llabs(m - k) / 2;
                const int64_t j = k - d;
                if (j == 0)
                    return 0;
                m = k;
                k = j;
                if (k == m)
                    k -= 1;
            }
        }
    }
}

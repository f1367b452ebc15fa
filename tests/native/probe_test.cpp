#include "profile/probe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

// A list of n items as the registry shows it: indexes 0..n-1 answer yes.
// Counts the questions, and gives up (failing the test) if asked endlessly.
class CFakeList {
public:
    explicit CFakeList(int n) : m_n(n) {}

    bool Probe(int index)
    {
        if (++m_probes > kMaxProbes)
            throw std::runtime_error("probing does not end");
        return index >= 0 && index < m_n;
    }

    int Probes() const { return m_probes; }

private:
    static constexpr int kMaxProbes = 1000000;
    int m_n;
    int m_probes = 0;
};

int Count(CFakeList& list)
{
    return CountByProbing([&list](int i) { return list.Probe(i); });
}

TEST(CountByProbing, SmallLists)
{
    for (int n : {0, 1, 2, 3, 4, 5, 100}) {
        SCOPED_TRACE(testing::Message() << "n = " << n);
        CFakeList list(n);
        EXPECT_EQ(n, Count(list));
    }
}

TEST(CountByProbing, EveryLengthUpToAFewThousand)
{
    for (int n = 0; n <= 5000; ++n) {
        SCOPED_TRACE(testing::Message() << "n = " << n);
        CFakeList list(n);
        ASSERT_EQ(n, Count(list));
        // Few questions: each is a registry call.
        EXPECT_LE(list.Probes(), 4 + 4 * static_cast<int>(std::ceil(std::log2(n + 2))));
    }
}

TEST(CountByProbing, LengthsAroundPowersOfTwo)
{
    for (int bit = 2; bit <= 29; ++bit) {
        for (int delta : {-2, -1, 0, 1, 2}) {
            const int n = (1 << bit) + delta;
            SCOPED_TRACE(testing::Message() << "n = " << n);
            CFakeList list(n);
            EXPECT_EQ(n, Count(list));
        }
    }
}

TEST(CountByProbing, ProbeThatNeverSaysNoIsBounded)
{
    // A list cannot hold 2^30 items; indexes from there on are not asked, so
    // a broken probe gives that bound instead of an endless count.
    int probes = 0;
    const int n = CountByProbing([&probes](int i) {
        ++probes;
        return i >= 0;
    });
    EXPECT_EQ(1 << 30, n);
    EXPECT_LT(probes, 200);
}

// Any answers at all, one per index below the width and a fixed answer
// above it: the count ends, and it is 0 or it lies just past an index
// whose probe said yes.
void CheckArbitraryAnswers(int width, bool answerAbove)
{
    for (uint32_t pattern = 0; pattern < (1u << width); ++pattern) {
        auto answer = [&](int i) {
            if (i < 0)
                return false;
            return i < width ? ((pattern >> i) & 1u) != 0 : answerAbove;
        };
        int probes = 0;
        const int n = CountByProbing([&](int i) {
            if (++probes > 10000)
                throw std::runtime_error("probing does not end");
            return answer(i);
        });
        const bool sound = n == 0 || (n > 0 && n <= (1 << 30) && answer(n - 1));
        ASSERT_TRUE(sound) << "pattern 0x" << std::hex << pattern << " above " << answerAbove << ": count "
                           << std::dec << n;
    }
}

TEST(CountByProbing, EndsForArbitraryAnswers)
{
    CheckArbitraryAnswers(16, false);
    CheckArbitraryAnswers(16, true);
}

TEST(CountByProbing, GapInTheList)
{
    // An unnamed (default) registry value probes as missing at its index.
    // The count is then not the number of values, but it always ends.
    for (int n = 1; n <= 64; ++n) {
        for (int gap = 0; gap < n; ++gap) {
            SCOPED_TRACE(testing::Message() << "n = " << n << ", gap at " << gap);
            int probes = 0;
            const int count = CountByProbing([&](int i) {
                if (++probes > 10000)
                    throw std::runtime_error("probing does not end");
                return i >= 0 && i < n && i != gap;
            });
            EXPECT_GE(count, 0);
            EXPECT_LE(count, n);
        }
    }
}

}  // namespace

#include "compress/lzss.h"

#include <algorithm>
#include <array>

// The encoder finds, for every position, the longest match in the window
// (binary search trees, see CMatchFinder), then chooses the parse with the
// fewest bits from the end backwards: a literal costs 9 bits (flag and
// byte), a match of any length or distance 17. Every parse that another
// encoder could write within the same window, greedy or lazy, is among those
// it chooses from, so none is smaller (up to the padding of the last flag
// byte).

namespace {

constexpr std::size_t kRingSize = 4096;
constexpr std::size_t kRingStart = kRingSize - 16;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
// The farthest a match reaches back. 4096 would decode as well, by a ring
// position equal to the writing position, but some expanders may write a
// byte before they read it; one position less costs next to nothing.
constexpr std::size_t kMaxDistance = kRingSize - 1;
constexpr std::size_t kWindowMask = kRingSize - 1;

constexpr unsigned kHashBits = 13;   // two buckets per position of the window
constexpr uint32_t kNoPosition = 0xFFFFFFFFu;

constexpr uint32_t kLiteralBits = 9;
constexpr uint32_t kMatchBits = 17;

uint32_t HashAt(const uint8_t* p)
{
    const uint32_t v = p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
}

// The longest match of each position, found over a text that has the ring's
// initial spaces in front of the data: a match may reach back into them.
//
// The positions of the window that share a hash of their first three bytes
// form a binary search tree, ordered by the bytes that follow them (up to
// the longest match); the newest position is the root, so every subtree is
// older than its root, and a node that has left the window takes its whole
// subtree with it. Walking down from the root to where the new position
// belongs passes the longest match there is; the walk then re-hangs the
// tree under the new position. A position that agrees with the new one in
// all of kMaxMatch bytes is replaced by it: the newer one matches whatever
// the older would have, at a smaller distance.
class CMatchFinder {
public:
    CMatchFinder(const uint8_t* data, std::size_t size)
        : m_text(kMaxDistance + size, ' '), m_head(std::size_t(1) << kHashBits, kNoPosition),
          m_tree(2 * kRingSize, kNoPosition)
    {
        std::copy(data, data + size, m_text.begin() + kMaxDistance);
        // The initial spaces enter the window like data. Of the positions
        // whose kMaxMatch bytes are all spaces, each replaces the one before
        // it: only the last of them needs entering.
        for (std::size_t p = kMaxDistance - kMaxMatch; p < kMaxDistance; ++p)
            Insert(p);
    }

    // The longest match of data position i (length 0 when none of at least
    // kMinMatch bytes); then i is entered into the window. Positions must be
    // given in order, each once.
    void FindAndInsert(std::size_t i, uint8_t& length, uint16_t& distance)
    {
        const std::size_t best = Insert(kMaxDistance + i, &distance);
        length = static_cast<uint8_t>(best >= kMinMatch ? best : 0);
    }

private:
    // Enters pos into its tree; returns the length of the longest match it
    // passed (and its distance, when asked for).
    std::size_t Insert(std::size_t pos, uint16_t* distance = nullptr)
    {
        const std::size_t limit = std::min(kMaxMatch, m_text.size() - pos);
        if (limit < kMinMatch)
            return 0;
        const uint8_t* const here = &m_text[pos];
        uint32_t& head = m_head[HashAt(here)];
        uint32_t cand = head;
        head = static_cast<uint32_t>(pos);

        // Where the next node smaller / greater than pos is to be hung, and
        // how many bytes all nodes on that side are known to share with pos.
        uint32_t* smaller = &Left(pos);
        uint32_t* greater = &Right(pos);
        std::size_t smallerLength = 0;
        std::size_t greaterLength = 0;
        std::size_t best = 0;
        for (;;) {
            if (cand == kNoPosition || pos - cand > kMaxDistance) {
                *smaller = kNoPosition;
                *greater = kNoPosition;
                return best;
            }
            const uint8_t* const there = &m_text[cand];
            std::size_t n = std::min(smallerLength, greaterLength);
            while (n < limit && there[n] == here[n])
                ++n;
            if (n > best) {
                best = n;
                if (distance)
                    *distance = static_cast<uint16_t>(pos - cand);
            }
            if (n == limit) {
                // cand is replaced: pos takes over its subtrees.
                *smaller = Left(cand);
                *greater = Right(cand);
                return best;
            }
            if (there[n] < here[n]) {
                *smaller = cand;
                smaller = &Right(cand);
                cand = *smaller;
                smallerLength = n;
            } else {
                *greater = cand;
                greater = &Left(cand);
                cand = *greater;
                greaterLength = n;
            }
        }
    }

    uint32_t& Left(std::size_t pos) { return m_tree[2 * (pos & kWindowMask)]; }
    uint32_t& Right(std::size_t pos) { return m_tree[2 * (pos & kWindowMask) + 1]; }

    std::vector<uint8_t> m_text;
    std::vector<uint32_t> m_head;
    // The two subtrees of each position of the window.
    std::vector<uint32_t> m_tree;
};

// Writes items in groups of eight behind one flag byte.
class CItemWriter {
public:
    explicit CItemWriter(std::vector<uint8_t>& out) : m_out(out) {}

    void Literal(uint8_t byte)
    {
        Begin(true);
        m_out.push_back(byte);
    }

    // A match at ring position ringPos.
    void Match(std::size_t ringPos, std::size_t length)
    {
        Begin(false);
        m_out.push_back(static_cast<uint8_t>(ringPos & 0xFF));
        m_out.push_back(static_cast<uint8_t>((ringPos >> 4 & 0xF0) | (length - kMinMatch)));
    }

private:
    void Begin(bool literal)
    {
        if (m_bit == 8) {
            m_flagAt = m_out.size();
            m_out.push_back(0);
            m_bit = 0;
        }
        if (literal)
            m_out[m_flagAt] = static_cast<uint8_t>(m_out[m_flagAt] | 1u << m_bit);
        ++m_bit;
    }

    std::vector<uint8_t>& m_out;
    std::size_t m_flagAt = 0;
    unsigned m_bit = 8;
};

} // namespace

void LzssEncode(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out)
{
    // Longest match per position; then, from the end, the choice per
    // position (0: a literal, else the length of the match to take).
    std::vector<uint8_t> length(size);
    std::vector<uint16_t> distance(size);
    {
        CMatchFinder finder(data, size);
        for (std::size_t i = 0; i < size; ++i)
            finder.FindAndInsert(i, length[i], distance[i]);
    }

    // bits[j & 31]: the fewest bits that encode data[j..size), for the 19
    // positions j after the current one.
    std::array<uint64_t, 32> bits{};
    for (std::size_t i = size; i-- > 0;) {
        uint64_t best = kLiteralBits + bits[(i + 1) & 31];
        uint8_t choice = 0;
        for (std::size_t n = kMinMatch; n <= length[i]; ++n) {
            const uint64_t b = kMatchBits + bits[(i + n) & 31];
            if (b < best) {
                best = b;
                choice = static_cast<uint8_t>(n);
            }
        }
        bits[i & 31] = best;
        length[i] = choice;
    }

    out.reserve(out.size() + size + size / 8 + 1);
    CItemWriter writer(out);
    for (std::size_t i = 0; i < size;) {
        if (length[i] == 0) {
            writer.Literal(data[i]);
            ++i;
        } else {
            writer.Match((kRingStart + i - distance[i]) & kWindowMask, length[i]);
            i += length[i];
        }
    }
}

LzssResult LzssDecode(const uint8_t* data, std::size_t size, std::size_t limit, std::vector<uint8_t>& out)
{
    std::array<uint8_t, kRingSize> ring;
    ring.fill(' ');
    std::size_t writePos = kRingStart;
    auto emit = [&](uint8_t byte) {
        ring[writePos] = byte;
        writePos = (writePos + 1) & kWindowMask;
        out.push_back(byte);
    };

    std::size_t produced = 0;
    std::size_t i = 0;
    while (i < size) {
        const unsigned flags = data[i++];
        for (unsigned bit = 0; bit < 8 && i < size; ++bit) {
            if (flags & 1u << bit) {
                if (produced == limit)
                    return LzssResult::TooLong;
                emit(data[i++]);
                ++produced;
                continue;
            }
            if (i + 1 >= size)
                return LzssResult::Truncated;
            const unsigned b1 = data[i++];
            const unsigned b2 = data[i++];
            std::size_t readPos = b1 | (b2 & 0xF0) << 4;
            const std::size_t n = (b2 & 0x0F) + kMinMatch;
            for (std::size_t k = 0; k < n; ++k) {
                if (produced == limit)
                    return LzssResult::TooLong;
                // Read before write, as Wine's expander does: a match may
                // overlap the bytes it is producing.
                const uint8_t byte = ring[readPos];
                readPos = (readPos + 1) & kWindowMask;
                emit(byte);
                ++produced;
            }
        }
    }
    return LzssResult::Ok;
}

#pragma once
// Data the SZDD tests and benchmarks compress: the edge cases of the format
// and data shaped like the files of installation media. All of it is made
// from fixed seeds, so every run compresses the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct CSzddSample {
    std::string m_strName;
    std::vector<uint8_t> m_data;
};

// xorshift32: small, fast and the same everywhere.
class CSampleRandom {
public:
    explicit CSampleRandom(uint32_t seed) : m_state(seed ? seed : 1) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    std::size_t Below(std::size_t n) { return Next() % n; }

private:
    uint32_t m_state;
};

inline std::vector<uint8_t> RandomBytes(std::size_t n, uint32_t seed)
{
    CSampleRandom random(seed);
    std::vector<uint8_t> data(n);
    for (uint8_t& b : data)
        b = static_cast<uint8_t>(random.Next() >> 24);
    return data;
}

// Lines of words, English and (in Shift-JIS) Japanese, as in read-me files
// and setup scripts.
inline std::vector<uint8_t> TextLike(std::size_t n, uint32_t seed)
{
    static const char* const words[] = {
        "the", "setup", "program", "installs", "files", "into", "directory", "Windows", "version",
        "README", "copy", "disk", "C:\\Program Files\\", "$InstDir$\\BIN", "=", ",", "1.0",
        "セットアップ", "インストール", "ファイル", "ディレクトリ", "を", "します。", "表示",
    };
    CSampleRandom random(seed);
    std::string text;
    text.reserve(n + 64);
    while (text.size() < n) {
        const std::size_t count = 3 + random.Below(12);
        for (std::size_t w = 0; w < count; ++w) {
            text += words[random.Below(sizeof words / sizeof *words)];
            text += ' ';
        }
        text += "\r\n";
    }
    text.resize(n);
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Binary records as in programs and their data: little-endian numbers that
// grow, small flags, runs of zeros, repeated code-like byte sequences.
inline std::vector<uint8_t> TableLike(std::size_t n, uint32_t seed)
{
    static const uint8_t code[][6] = {
        {0x55, 0x8B, 0xEC, 0x83, 0xEC, 0x10}, {0x8B, 0x45, 0x08, 0x50, 0xE8, 0x00},
        {0xC9, 0xC3, 0x90, 0x90, 0x90, 0x90}, {0x48, 0x89, 0x5C, 0x24, 0x08, 0x57},
    };
    CSampleRandom random(seed);
    std::vector<uint8_t> data;
    data.reserve(n + 64);
    uint32_t address = 0x401000;
    while (data.size() < n) {
        switch (random.Below(4)) {
        case 0:
            address += 4 * static_cast<uint32_t>(1 + random.Below(8));
            for (int k = 0; k < 4; ++k)
                data.push_back(static_cast<uint8_t>(address >> (8 * k)));
            data.push_back(static_cast<uint8_t>(random.Below(3)));
            break;
        case 1:
            data.insert(data.end(), random.Below(40), 0);
            break;
        default: {
            const uint8_t* c = code[random.Below(4)];
            data.insert(data.end(), c, c + 6);
            data.push_back(static_cast<uint8_t>(random.Next()));
            break;
        }
        }
    }
    data.resize(n);
    return data;
}

// A block of random bytes followed by the same block again: the repeat lies
// exactly `period` bytes back.
inline std::vector<uint8_t> Repeated(std::size_t period, std::size_t n, uint32_t seed)
{
    const std::vector<uint8_t> block = RandomBytes(period, seed);
    std::vector<uint8_t> data(n);
    for (std::size_t i = 0; i < n; ++i)
        data[i] = block[i % period];
    return data;
}

// 16 MB of 64 KB pieces of every kind above.
inline std::vector<uint8_t> Mixed16MB()
{
    constexpr std::size_t kPiece = 65536;
    CSampleRandom random(16);
    std::vector<uint8_t> data;
    data.reserve(16 * 1024 * 1024);
    for (uint32_t piece = 0; data.size() < 16u * 1024 * 1024; ++piece) {
        std::vector<uint8_t> p;
        switch (random.Below(4)) {
        case 0: p = TextLike(kPiece, piece + 1); break;
        case 1: p = TableLike(kPiece, piece + 1); break;
        case 2: p = RandomBytes(kPiece, piece + 1); break;
        default: p.assign(kPiece, static_cast<uint8_t>(random.Next())); break;
        }
        data.insert(data.end(), p.begin(), p.end());
    }
    return data;
}

// The edge cases: no data, one byte, one byte throughout, what the ring's
// initial spaces already hold, no repeats at all, repeats at the window's
// edge (4095 bytes back is the farthest a match reaches), and the kinds of
// real files.
inline std::vector<CSzddSample> SzddEdgeSamples()
{
    return {
        {"empty", {}},
        {"one byte", {'x'}},
        {"all one byte", std::vector<uint8_t>(100000, 'A')},
        {"all zero", std::vector<uint8_t>(70000, 0)},
        {"spaces", std::vector<uint8_t>(5000, ' ')},
        {"incompressible", RandomBytes(262144, 7)},
        {"period 4095", Repeated(4095, 20000, 11)},
        {"period 4096", Repeated(4096, 20000, 12)},
        {"period 4097", Repeated(4097, 20000, 13)},
        {"text", TextLike(200000, 3)},
        {"tables", TableLike(200000, 5)},
    };
}

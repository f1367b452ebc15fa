// libFuzzer target: the installer's INI text parser over arbitrary bytes.
// Besides the sanitizers' checks, every result must keep the parser's
// promises: names and keys end where the rules say, no line end survives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "profile/initext.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

bool HasLineEnd(const std::string& s)
{
    return s.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    const char* text = reinterpret_cast<const char*>(data);
    const int32_t length = static_cast<int32_t>(size);

    const std::vector<CFileProfileSection> sections = ParseIniText(text, length);
    Check(size >= 2 || sections.empty());
    for (const CFileProfileSection& section : sections) {
        Check(!HasLineEnd(section.m_strName));
        Check(section.m_strName.find(']') == std::string::npos);
        for (const CFileProfileEntry& entry : section.m_entries) {
            Check(!HasLineEnd(entry.m_strKey) && !HasLineEnd(entry.m_strValue));
            Check(entry.m_strKey.find_first_of(" \t;=") == std::string::npos);
            Check(entry.m_strValue.empty() || entry.m_strValue.find_first_of(" \t;") != 0);
        }
    }

    // The line reader alone: it always moves on and never reads past the size.
    int32_t pos = 0;
    std::string line;
    while (pos < length) {
        const int32_t before = pos;
        const int n = ReadLineAt(text, length, pos, line);
        Check(pos > before && pos <= length);
        Check(n == static_cast<int>(line.size()) && !HasLineEnd(line));
        const std::string normalised = NormaliseIniLine(line);
        if (!normalised.empty() && normalised[0] != '[') {
            std::string key;
            std::string value;
            SplitIniKeyLine(normalised, key, value);
            Check(key.size() + value.size() <= normalised.size());
        }
    }
    return 0;
}

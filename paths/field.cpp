#include "paths/field.h"

#include <cstddef>

// Every item line of a setup script is split here, so the rules are kept
// exactly as script authors know them: quotes protect separators, one pair of
// enclosing quotes is removed, nothing else (no escapes, no trimming). The
// scan is byte by byte; in Shift-JIS neither ',' nor '"' occurs as the second
// byte of a double-byte character, so Japanese fields split correctly.
std::string GetField(const std::string& line, int index, const std::string& def,
                     const std::string& separators)
{
    const char sep = separators.empty() ? '\0' : separators[0];
    const std::size_t n = line.size();
    const std::size_t none = std::string::npos;

    // Index 0 starts at the beginning; any other field starts after its
    // separator. Counting in long long keeps index + 1 from overflowing.
    std::size_t start = index == 0 ? 0 : none;
    std::size_t end = none;
    long long count = 0;
    bool inQuotes = false;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = line[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (c != sep || inQuotes || separators.empty())
            continue;
        ++count;
        if (index == 0) {
            end = i;
            break;
        }
        if (count == index)
            start = i + 1;
        if (count == static_cast<long long>(index) + 1) {
            end = i;
            break;
        }
    }

    std::string text;
    if (start != none)
        text = line.substr(start, (end == none ? n : end) - start);
    if (!text.empty() && text.front() == '"' && text.back() == '"')
        text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
    return text.empty() ? def : text;
}

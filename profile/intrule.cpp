#include "profile/intrule.h"

int32_t ParseScriptInt(const std::string& text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\v' ||
                     text[i] == '\f' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate unsigned so that overflow wraps in 32 bits instead of being
    // undefined behaviour; scripts never hold such numbers, but a typo must not
    // crash the installer.
    uint32_t value = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
        ++i;
    }
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

#include "hostio/messagetext.h"

std::string FillMessage(const std::string& pattern, const std::vector<std::string>& args)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '0' &&
            pattern[i + 1] <= '9') {
            const std::size_t arg = static_cast<std::size_t>(pattern[i + 1] - '0');
            if (arg < args.size())
                out += args[arg];
            i += 2;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

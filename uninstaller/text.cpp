#include "uninstaller/text.h"

#include "paths/mbcs.h"

std::size_t CharLength(const std::string& s, std::size_t i)
{
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

std::string UpperAscii(const std::string& text)
{
    std::string out = text;
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t n = CharLength(out, i);
        if (n == 1 && out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
        i += n;
    }
    return out;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

std::string TrimBlanks(const std::string& s)
{
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    const std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

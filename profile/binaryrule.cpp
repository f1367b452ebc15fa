#include "profile/binaryrule.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

}  // namespace

bool ParseScriptBinary(const std::string& text, std::vector<unsigned char>& bytes,
                       std::size_t* badPos)
{
    bytes.clear();
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        const int high = HexDigit(text[i]);
        const int low = i + 1 < n ? HexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0) {
            // A character that is no digit is the fault; after a lone digit
            // (at the end, or before a separator) the digit itself is.
            if (badPos)
                *badPos = high >= 0 && i + 1 < n && !IsSeparator(text[i + 1]) ? i + 1 : i;
            bytes.clear();
            return false;
        }
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
        i += 2;
    }
    return true;
}

#include "paths/mbcs.h"

// Both scans walk the string from its start, character by character: a lead
// byte and the byte after it form one character, so the second byte of a
// double-byte character is never taken for a separator. Scanning backwards
// is not possible in Shift-JIS, where a trail byte can look like anything.

std::size_t FindNextBackslash(const std::string& s, std::size_t from)
{
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\\' && i >= from)
            return i;
        // A lead byte at the very end has no partner; it is taken alone.
        i += (IsLeadByte(c) && i + 1 < n) ? 2 : 1;
    }
    return std::string::npos;
}

std::size_t FindLastBackslash(const std::string& s)
{
    std::size_t last = std::string::npos;
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\\')
            last = i;
        i += (IsLeadByte(c) && i + 1 < n) ? 2 : 1;
    }
    return last;
}

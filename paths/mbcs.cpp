#include "paths/mbcs.h"

// Both scans walk the string from its start, character by character: a lead
// byte and the byte after it form one character, so the second byte of a
// double-byte character is never taken for a separator. Scanning backwards
// is not possible in Shift-JIS, where a trail byte can look like anything.

namespace {

// Bytes of the character at i: 2 for a lead byte with a byte after it, else
// 1 (a lead byte at the very end has no partner and is taken alone).
std::size_t CharLengthAt(const std::string& s, std::size_t i)
{
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

}  // namespace

std::size_t FindNextBackslash(const std::string& s, std::size_t from)
{
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) {
        if (s[i] == '\\' && i >= from)
            return i;
    }
    return std::string::npos;
}

std::size_t FindLastBackslash(const std::string& s)
{
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLengthAt(s, i)) {
        if (s[i] == '\\')
            last = i;
    }
    return last;
}

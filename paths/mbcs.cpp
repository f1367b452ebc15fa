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

bool FitEditToByteLimit(const std::string& before, std::string& text, std::size_t limit,
                        std::size_t& caret)
{
    if (text.size() <= limit)
        return false;
    // What the edit left alone: the characters in front, compared whole...
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < text.size()) {
        const std::size_t n = CharLengthAt(before, prefix);
        if (n != CharLengthAt(text, prefix) || before.compare(prefix, n, text, prefix, n) != 0)
            break;
        prefix += n;
    }
    // ... and the bytes behind, taken back to a character boundary of `before`.
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < text.size() - prefix &&
           before[before.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    std::size_t boundary = prefix;
    while (boundary < before.size() - suffix)
        boundary += CharLengthAt(before, boundary);
    suffix = before.size() - boundary;

    // The inserted characters that fit; a lead byte without its partner never does.
    const std::string inserted = text.substr(prefix, text.size() - suffix - prefix);
    const std::size_t room = limit > prefix + suffix ? limit - prefix - suffix : 0;
    std::size_t kept = 0;
    while (kept < inserted.size()) {
        const std::size_t n = IsLeadByte(static_cast<unsigned char>(inserted[kept])) ? 2 : 1;
        if (kept + n > inserted.size() || kept + n > room)
            break;
        kept += n;
    }
    std::string fitted = text.substr(0, prefix) + inserted.substr(0, kept) + before.substr(boundary);
    caret = prefix + kept;
    // A text that was already too long is cut at its last whole character that fits.
    if (fitted.size() > limit) {
        std::size_t end = 0;
        while (end < fitted.size() && end + CharLengthAt(fitted, end) <= limit)
            end += CharLengthAt(fitted, end);
        fitted.resize(end);
        if (caret > end)
            caret = end;
    }
    text = fitted;
    return true;
}

#include "script/configtext.h"

#include "paths/mbcs.h"

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

bool IsProfileBlank(char c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

std::string TrimProfileBlanks(const std::string& s)
{
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && IsProfileBlank(s[begin]))
        ++begin;
    while (end > begin && IsProfileBlank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

namespace {

// The last "]" of a line that is a character of its own (not the second
// byte of a double-byte character); npos if none.
std::size_t LastClosingBracket(const std::string& line)
{
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size()) {
            ++i;
            continue;
        }
        if (line[i] == ']')
            found = i;
    }
    return found;
}

}  // namespace

CProfileSectionRead ReadProfileSection(const std::string& text, const std::string& wanted)
{
    CProfileSectionRead result;
    int line = 1;
    bool inWanted = false;
    std::size_t next = 0;
    while (next < text.size()) {
        std::size_t begin = next;
        while (next < text.size() && text[next] != '\n' && text[next] != '\r')
            ++next;
        const int thisLine = line;
        std::string raw = text.substr(begin, next - begin);
        // The line count follows the installer's own parser (CR LF and LF CR
        // are one line end); only line numbers depend on it here.
        while (next < text.size() && (text[next] == '\n' || text[next] == '\r')) {
            const char c = text[next++];
            ++line;
            if (next < text.size() && text[next] == (c == '\n' ? '\r' : '\n'))
                ++next;
        }
        const std::string trimmed = TrimProfileBlanks(raw);
        if (trimmed.empty())
            continue;
        if (trimmed[0] == '[') {
            const std::size_t close = LastClosingBracket(trimmed);
            if (close != std::string::npos) {
                const std::string name = TrimProfileBlanks(trimmed.substr(1, close - 1));
                const bool match = SameIgnoringAsciiCase(name, wanted);
                if (match && result.m_bFound)
                    result.m_duplicateLines.push_back(thisLine);
                inWanted = match && !result.m_bFound;
                if (inWanted) {
                    result.m_bFound = true;
                    result.m_nLine = thisLine;
                }
                continue;
            }
        }
        if (!inWanted)
            continue;
        CProfileEntry entry;
        entry.m_nLine = thisLine;
        const std::size_t equals = trimmed.find('=');
        if (equals == std::string::npos) {
            entry.m_strName = trimmed;
        } else {
            entry.m_strName = TrimProfileBlanks(trimmed.substr(0, equals));
            std::string value = TrimProfileBlanks(trimmed.substr(equals + 1));
            if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
                value.back() == value[0])
                value = value.substr(1, value.size() - 2);
            entry.m_strValue = value;
        }
        result.m_entries.push_back(entry);
    }
    return result;
}

std::string ProfileValue(const CProfileSectionRead& section, const std::string& key, const std::string& def)
{
    for (const CProfileEntry& entry : section.m_entries) {
        if (SameIgnoringAsciiCase(entry.m_strName, key))
            return entry.m_strValue;
    }
    return def;
}

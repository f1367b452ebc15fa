#include "profile/initext.h"

#include <cstddef>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

int ReadLineAt(const char* data, int32_t size, int32_t& pos, std::string& line)
{
    line.clear();
    if (pos < 0 || pos >= size)
        return 0;
    int32_t end = pos;
    while (end < size && data[end] != '\0' && data[end] != '\n' && data[end] != '\r')
        ++end;
    line.assign(data + pos, static_cast<std::size_t>(end - pos));
    const int32_t start = pos;
    int32_t next = end;
    if (next < size) {
        const char terminator = data[next++];
        // LF CR counts as one line end; CR LF does not (the parser skips the
        // empty line that the LF then gives).
        if (terminator == '\n' && next < size && data[next] == '\r')
            ++next;
    }
    pos = next;
    return static_cast<int>(end - start);
}

std::string NormaliseIniLine(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i == line.size() || line[i] == ';')
        return std::string();
    if (line[i] == '[') {
        const std::size_t close = line.find(']', i);
        const std::size_t end = close == std::string::npos ? line.size() : close;
        return line.substr(i, end - i) + "]";
    }
    return line.substr(i);
}

void SplitIniKeyLine(const std::string& normalised, std::string& key, std::string& value)
{
    const std::size_t n = normalised.size();
    std::size_t i = 0;
    while (i < n && !IsBlank(normalised[i]) && normalised[i] != ';' && normalised[i] != '=')
        ++i;
    key.assign(normalised, 0, i);
    value.clear();
    if (i == n || normalised[i] == ';')
        return;
    // The "=" is searched past anything, even a ";": "KEY ;note=x" has the value "x".
    std::size_t eq = normalised.find('=', i);
    if (eq == std::string::npos)
        return;
    std::size_t v = eq + 1;
    while (v < n && IsBlank(normalised[v]))
        ++v;
    if (v == n || normalised[v] == ';')
        return;
    value.assign(normalised, v, std::string::npos);
}

std::vector<CFileProfileSection> ParseIniText(const char* data, int32_t length,
                                              std::vector<int32_t>* ignoredLines)
{
    std::vector<CFileProfileSection> sections;
    std::string raw;
    int32_t pos = 0;
    // Line numbers for messages count CR LF, LF CR, LF and CR as one line
    // end each.
    int32_t lineNumber = 1;
    int32_t counted = 0;
    // Lines are read only while at least two unread bytes remain: a final
    // one-byte line without a line end is not read, and a file of fewer than
    // two bytes gives no sections. Scripts always end with a line end.
    while (pos < length - 1) {
        while (counted < pos) {
            const char c = data[counted++];
            if (c != '\n' && c != '\r')
                continue;
            ++lineNumber;
            const char pair = c == '\n' ? '\r' : '\n';
            if (counted < length && data[counted] == pair)
                ++counted;
        }
        const int32_t startLine = lineNumber;
        ReadLineAt(data, length, pos, raw);
        const std::string line = NormaliseIniLine(raw);
        if (line.empty())
            continue;
        if (line[0] == '[') {
            sections.emplace_back();
            sections.back().m_strName = line.substr(1, line.find(']') - 1);
            sections.back().m_nLine = startLine;
            continue;
        }
        if (sections.empty()) {
            if (ignoredLines)
                ignoredLines->push_back(startLine);
            continue;  // lines before the first header
        }
        CFileProfileEntry entry;
        SplitIniKeyLine(line, entry.m_strKey, entry.m_strValue);
        entry.m_nLine = startLine;
        sections.back().m_entries.push_back(std::move(entry));
    }
    return sections;
}

#include "uninstaller/wininit.h"

#include <cstddef>

#include "uninstaller/text.h"

namespace {

struct CLine {
    std::size_t m_nEnd;      // first byte after the line and its line end
    std::string m_strText;   // without the line end, blanks trimmed
    bool m_bEnded;           // a line end follows (the last line may have none)
};

std::vector<CLine> Lines(const std::string& text)
{
    std::vector<CLine> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        std::size_t next = end == std::string::npos ? text.size() : end;
        if (next < text.size() && text[next] == '\r')
            ++next;
        if (next < text.size() && text[next] == '\n')
            ++next;
        const std::string line = text.substr(pos, (end == std::string::npos ? text.size() : end) - pos);
        lines.push_back({next, TrimBlanks(line), end != std::string::npos});
        pos = next;
    }
    return lines;
}

bool IsHeader(const CLine& line)
{
    return !line.m_strText.empty() && line.m_strText[0] == '[';
}

bool IsRenameHeader(const CLine& line)
{
    if (!IsHeader(line))
        return false;
    const std::size_t close = line.m_strText.find(']');
    const std::string name =
        line.m_strText.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    return EqualNoCase(TrimBlanks(name), "rename");
}

}  // namespace

std::string AddWininitDeletions(const std::string& text, const std::vector<std::string>& paths)
{
    std::string entries;
    for (const std::string& path : paths)
        entries += "NUL=" + path + "\r\n";
    const std::vector<CLine> lines = Lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsRenameHeader(lines[i]))
            continue;
        // After the section's last line that is not blank, so that blank
        // lines before the next section stay where they are.
        std::size_t last = i;
        for (std::size_t j = i + 1; j < lines.size() && !IsHeader(lines[j]); ++j) {
            if (!lines[j].m_strText.empty())
                last = j;
        }
        const std::size_t insertAt = lines[last].m_nEnd;
        const std::string separator = lines[last].m_bEnded ? "" : "\r\n";
        return text.substr(0, insertAt) + separator + entries + text.substr(insertAt);
    }
    std::string result = text;
    if (!result.empty() && result.back() != '\n' && result.back() != '\r')
        result += "\r\n";
    return result + "[rename]\r\n" + entries;
}

#include "media/scriptlines.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Where the value of a key line starts, as the installer's parser splits
// it: after leading blanks, the key (up to a blank, ";" or "="), the "="
// and the blanks after it. npos when the line has no value.
std::size_t ValueStart(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i == line.size() || line[i] == ';' || line[i] == '[')
        return std::string::npos;
    while (i < line.size() && !IsBlank(line[i]) && line[i] != ';' && line[i] != '=')
        ++i;
    if (i == line.size() || line[i] == ';')
        return std::string::npos;
    const std::size_t eq = line.find('=', i);
    if (eq == std::string::npos)
        return std::string::npos;
    std::size_t v = eq + 1;
    while (v < line.size() && IsBlank(line[v]))
        ++v;
    return v;
}

}  // namespace

CScriptLines::CScriptLines(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\n' && c != '\r') {
            ++i;
            continue;
        }
        m_lines.push_back(text.substr(begin, i - begin));
        ++i;
        if (i < text.size() && text[i] == (c == '\n' ? '\r' : '\n'))
            ++i;
        begin = i;
    }
    if (begin < text.size())
        m_lines.push_back(text.substr(begin));
}

bool CScriptLines::SetField(int number, int index, const std::string& text)
{
    if (number < 1 || number > Count() || index < 0)
        return false;
    std::string& line = m_lines[static_cast<std::size_t>(number - 1)];
    const std::size_t value = ValueStart(line);
    if (value == std::string::npos || value == line.size())
        return false;
    // Field boundaries: the value's start, each separating comma, its end.
    std::vector<std::size_t> commas;
    bool inQuotes = false;
    for (std::size_t i = value; i < line.size(); ++i) {
        if (line[i] == '"')
            inQuotes = !inQuotes;
        else if (line[i] == ',' && !inQuotes)
            commas.push_back(i);
    }
    if (inQuotes && static_cast<int>(commas.size()) < index)
        return false;   // commas added after an open quote would be quoted
    while (static_cast<int>(commas.size()) < index) {
        commas.push_back(line.size());
        line += ',';
    }
    const std::size_t start = index == 0 ? value : commas[static_cast<std::size_t>(index - 1)] + 1;
    const std::size_t end = static_cast<std::size_t>(index) < commas.size() ? commas[static_cast<std::size_t>(index)]
                                                                            : line.size();
    line.replace(start, end - start, text);
    return true;
}

std::string CScriptLines::Render(const char* lineEnd) const
{
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += lineEnd;
    }
    return out;
}

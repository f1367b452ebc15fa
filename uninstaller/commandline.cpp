#include "uninstaller/commandline.h"

#include <cstddef>

#include "services/uninstlogformat.h"
#include "uninstaller/pathkey.h"
#include "uninstaller/text.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// End of the first whole occurrence of name in line at or after from, or npos.
// Positions are visited character by character, so a name is never matched
// from the second byte of a double-byte character.
std::size_t FindProgramName(const std::string& line, std::size_t from, const std::string& name)
{
    if (name.empty())
        return std::string::npos;
    bool nameMayStart = true;
    for (std::size_t i = from; i < line.size(); i += CharLength(line, i)) {
        if (nameMayStart && line.size() - i >= name.size() &&
            EqualNoCase(line.substr(i, name.size()), name)) {
            const std::size_t end = i + name.size();
            if (end == line.size() || IsBlank(line[end]) || line[end] == '"')
                return end;
        }
        const char c = line[i];
        nameMayStart = CharLength(line, i) == 1 && (c == '\\' || c == '/' || c == ':');
    }
    return std::string::npos;
}

std::string Unquote(const std::string& argument)
{
    if (argument.empty() || argument[0] != '"')
        return argument;
    const std::size_t close = argument.find('"', 1);
    return argument.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

}  // namespace

CCommandLine SplitCommandLine(const std::string& line, const std::string& programFileName)
{
    CCommandLine result;
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    std::size_t rest = std::string::npos;
    if (start < line.size() && line[start] == '"') {
        const std::size_t close = line.find('"', start + 1);
        result.m_strProgram = line.substr(start + 1, close == std::string::npos
                                                         ? std::string::npos
                                                         : close - start - 1);
        rest = close == std::string::npos ? line.size() : close + 1;
    } else {
        rest = FindProgramName(line, start, programFileName);
        const std::size_t dot = programFileName.rfind('.');
        if (rest == std::string::npos && dot != std::string::npos)
            rest = FindProgramName(line, start, programFileName.substr(0, dot));
        if (rest == std::string::npos) {
            rest = start;
            while (rest < line.size() && !IsBlank(line[rest]))
                ++rest;
        }
        result.m_strProgram = line.substr(start, rest - start);
    }
    result.m_strArgument = Unquote(TrimBlanks(line.substr(rest)));
    return result;
}

bool ParseUninstallString(const std::string& uninstallString, std::string& logPath)
{
    const CCommandLine command = SplitCommandLine(uninstallString, uninstall_log::kUninstallerFileName);
    if (!EqualNoCase(LastName(command.m_strProgram), uninstall_log::kUninstallerFileName))
        return false;
    logPath = command.m_strArgument;
    return true;
}

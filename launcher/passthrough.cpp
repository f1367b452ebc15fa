#include "launcher/passthrough.h"

#include <cctype>

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// The next word from `i`; double quotes group blanks and are dropped.
bool NextWord(const std::string& s, size_t& i, std::string& word)
{
    word.clear();
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i >= s.size())
        return false;
    bool quoted = false;
    for (; i < s.size() && (quoted || !IsBlank(s[i])); ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else
            word += s[i];
    }
    return true;
}

bool StartsNoCase(const std::string& s, const char* prefix)
{
    for (size_t i = 0; prefix[i]; ++i) {
        if (i >= s.size() ||
            std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

}  // namespace

CPassThrough ParsePassThrough(const std::string& commandLine)
{
    CPassThrough result;
    size_t i = 0;
    std::string word;
    NextWord(commandLine, i, word);   // the launcher itself
    while (i < commandLine.size() && IsBlank(commandLine[i]))
        ++i;
    result.m_strArguments = commandLine.substr(i);
    while (NextWord(commandLine, i, word)) {
        if (word.size() == 2 && StartsNoCase(word, "/s"))
            result.m_bSilent = true;
        else if (StartsNoCase(word, "/f2"))
            result.m_strResultFile = word.substr(3);
    }
    return result;
}

#include "app/commandline.h"

#include <cctype>
#include <vector>

namespace {

// Splits at blanks; double quotes group blanks into a word and are dropped.
// Paths are code page 932, whose trail bytes are never a blank or a quote.
std::vector<std::string> Words(const std::string& s)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char ch : s) {
        if (ch == '"') {
            quoted = !quoted;
            inWord = true;
            continue;
        }
        if (!quoted && (ch == ' ' || ch == '\t')) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
            continue;
        }
        word += ch;
        inWord = true;
    }
    if (inWord)
        words.push_back(word);
    return words;
}

bool StartsWithNoCase(const std::string& s, const char* prefix)
{
    size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= s.size() ||
            std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

bool EqualsNoCase(const std::string& s, const char* word)
{
    return StartsWithNoCase(s, word) && s.size() == std::string(word).size();
}

}  // namespace

bool ParseSetupCommandLine(const std::string& arguments, CSetupOptions& options, std::string& error)
{
    options = CSetupOptions();
    error.clear();
    const std::vector<std::string> words = Words(arguments);
    options.m_bAny = !words.empty();
    auto misuse = [&error](const std::string& text) {
        if (error.empty())
            error = text;
    };
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (EqualsNoCase(w, "/r")) {
            options.m_bRecord = true;
        } else if (EqualsNoCase(w, "/s")) {
            options.m_bSilent = true;
        } else if (StartsWithNoCase(w, "/f1")) {
            options.m_strResponseFile = w.substr(3);
            if (options.m_strResponseFile.empty())
                misuse("/f1 names no response file");
        } else if (StartsWithNoCase(w, "/f2")) {
            options.m_strResultFile = w.substr(3);
            if (options.m_strResultFile.empty())
                misuse("/f2 names no result file");
        } else if (EqualsNoCase(w, "/log")) {
            if (i + 1 < words.size() && !words[i + 1].empty() && words[i + 1][0] != '/') {
                options.m_strLogFile = words[++i];
            } else {
                misuse("/log names no log file");
            }
        } else {
            misuse("unknown option: " + w);
        }
    }
    if (options.m_bRecord && options.m_bSilent)
        misuse("/r and /s exclude each other");
    return error.empty();
}

std::string ArgumentsOfCommandLine(const std::string& commandLine)
{
    size_t i = 0;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    if (i < commandLine.size() && commandLine[i] == '"') {
        const size_t close = commandLine.find('"', i + 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t')
            ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    return commandLine.substr(i);
}

#include "checker/findings.h"

namespace {

struct CMessageText {
    const char* m_pszName;
    Severity m_severity;
    const char* m_pszEnglish;
    const char* m_pszJapanese;
};

const CMessageText kMessages[] = {
#define CHECKER_MESSAGE(id, severity, english, japanese) {#id, Severity::severity, english, japanese},
#include "resources/checker/messages.inc"
#undef CHECKER_MESSAGE
};

}  // namespace

Severity SeverityOf(MessageId id)
{
    return kMessages[static_cast<int>(id)].m_severity;
}

const char* MessageIdName(MessageId id)
{
    return kMessages[static_cast<int>(id)].m_pszName;
}

std::string FormatMessage(const CFinding& finding, Language language)
{
    const CMessageText& text = kMessages[static_cast<int>(finding.m_id)];
    const std::string pattern =
        language == Language::Japanese ? text.m_pszJapanese : text.m_pszEnglish;
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
            pattern[i + 1] >= '0' && pattern[i + 1] <= '9') {
            const std::size_t arg = static_cast<std::size_t>(pattern[i + 1] - '0');
            if (arg < finding.m_args.size())
                out += finding.m_args[arg];
            i += 2;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

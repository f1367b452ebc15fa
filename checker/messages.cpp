#include "checker/findings.h"

#include "hostio/messagetext.h"

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
    return FillMessage(language == Language::Japanese ? text.m_pszJapanese : text.m_pszEnglish, finding.m_args);
}

#include "media/findings.h"

#include "hostio/messagetext.h"

namespace {

struct CMessageText {
    const char* m_pszName;
    MediaSeverity m_severity;
    const char* m_pszEnglish;
    const char* m_pszJapanese;
};

const CMessageText kMessages[] = {
#define MEDIA_MESSAGE(id, severity, english, japanese) {#id, MediaSeverity::severity, english, japanese},
#include "resources/media/messages.inc"
#undef MEDIA_MESSAGE
};

}  // namespace

MediaSeverity SeverityOf(MediaMessageId id)
{
    return kMessages[static_cast<int>(id)].m_severity;
}

const char* MediaMessageName(MediaMessageId id)
{
    return kMessages[static_cast<int>(id)].m_pszName;
}

std::string FormatMediaMessage(const CMediaFinding& finding, bool japanese)
{
    const CMessageText& text = kMessages[static_cast<int>(finding.m_id)];
    return FillMessage(japanese ? text.m_pszJapanese : text.m_pszEnglish, finding.m_args);
}

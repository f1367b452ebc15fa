#pragma once
// What the media builder reports: one message per finding, with the script
// line it concerns (0: none) and the words its text is built from.
#include <string>
#include <vector>

enum class MediaSeverity { Note, Warning, Error };

// One id per kind of message; the texts are in resources/media/messages.inc.
enum class MediaMessageId {
#define MEDIA_MESSAGE(id, severity, english, japanese) id,
#include "resources/media/messages.inc"
#undef MEDIA_MESSAGE
};

struct CMediaFinding {
    int m_nLine = 0;
    MediaMessageId m_id;
    std::vector<std::string> m_args;   // code page 932 text
};

MediaSeverity SeverityOf(MediaMessageId id);
const char* MediaMessageName(MediaMessageId id);
// The text in English (japanese false) or Japanese, code page 932.
std::string FormatMediaMessage(const CMediaFinding& finding, bool japanese);

#pragma once
// What the script checker reports: one finding per problem, with the line it
// concerns and the words its message is built from.
#include <string>
#include <vector>

enum class Severity { Warning, Error };

// One id per kind of message; the texts (English and Japanese) are in
// resources/checker/messages.inc, in this order.
enum class MessageId {
#define CHECKER_MESSAGE(id, severity, english, japanese) id,
#include "resources/checker/messages.inc"
#undef CHECKER_MESSAGE
};

struct CFinding {
    int m_nLine = 0;   // 0: the file as a whole
    MessageId m_id;
    std::vector<std::string> m_args;   // code page 932 text
};

Severity SeverityOf(MessageId id);
// The id's name ("SectionCase"), for tests and tools.
const char* MessageIdName(MessageId id);

enum class Language { English, Japanese };

// The message of a finding in a language, its arguments filled in ("{0}",
// "{1}", ...); code page 932 text.
std::string FormatMessage(const CFinding& finding, Language language);

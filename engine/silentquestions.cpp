#include "engine/silentquestions.h"

#include "paths/fileutil.h"
#include "paths/pathvars.h"
#include "resources/dialogs/answers.h"
#include "services/installlog.h"

using namespace ResponseKeys;

void CSilentStops::Note(SilentStop stop, const std::string& reason)
{
    if (m_stop != SilentStop::None)
        return;
    m_stop = stop;
    m_strReason = reason;
    LogStep("stop: " + reason);
}

const char* CopyPromptName(CopyPrompt kind)
{
    switch (kind) {
    case CopyPrompt::ChangeDisk: return "disk change";
    case CopyPrompt::Cancel: return "cancel";
    case CopyPrompt::SourceOlder: return "older source";
    case CopyPrompt::Overwrite: return "different language";
    case CopyPrompt::ReadOnly: return "read-only destination";
    case CopyPrompt::FileInUse: return "file in use";
    case CopyPrompt::CannotDeleteCurrent: return "copy elsewhere cannot be deleted";
    case CopyPrompt::NoSourceFile: return "source file missing";
    case CopyPrompt::FileTypeMismatch: return "file type mismatch";
    case CopyPrompt::DiskFull: return "disk full";
    case CopyPrompt::AccessViolation: return "sharing violation";
    case CopyPrompt::NoTempFile: return "no temporary file";
    case CopyPrompt::NoMemory: return "out of memory";
    case CopyPrompt::FailRead: return "source cannot be read";
    case CopyPrompt::FailWrite: return "destination cannot be written";
    }
    return "question";
}

namespace {

bool IsNotice(CopyPrompt kind)
{
    return kind >= CopyPrompt::NoSourceFile;
}

// The subject of a question in the log and the result file.
std::string Subject(const CCopyQuestion& q)
{
    if (q.kind == CopyPrompt::ChangeDisk)
        return "disk " + std::to_string(q.disk);
    if (!q.path.empty())
        return q.path;
    return q.fileName;
}

// The response file's word for an answer id, per question kind ("" for none).
const char* AnswerWord(CopyPrompt kind, INT_PTR answer)
{
    switch (kind) {
    case CopyPrompt::SourceOlder:
    case CopyPrompt::Overwrite:
        if (answer == ID_ANSWER_YES) return "Replace";
        if (answer == ID_ANSWER_OVERWRITE_ALL) return "ReplaceAll";
        if (answer == ID_ANSWER_ABORT) return "Abort";
        return "Keep";
    case CopyPrompt::ReadOnly:
        if (answer == ID_ANSWER_YES) return "Overwrite";
        if (answer == IDCANCEL) return "Abort";
        return "Keep";
    case CopyPrompt::FileInUse:
        if (answer == ID_ANSWER_IGNORE) return "Ignore";
        if (answer == IDCANCEL) return "Abort";
        return "";   // retry: no answer of its own
    case CopyPrompt::CannotDeleteCurrent:
        return answer == IDOK ? "Delete" : "Abort";
    case CopyPrompt::ChangeDisk:
        return answer == IDOK ? "Wait" : "Abort";
    default:
        return "";
    }
}

const char* KeyOf(CopyPrompt kind)
{
    switch (kind) {
    case CopyPrompt::SourceOlder: return kSourceOlder;
    case CopyPrompt::Overwrite: return kDifferentLanguage;
    case CopyPrompt::ReadOnly: return kReadOnly;
    case CopyPrompt::FileInUse: return kFileInUse;
    case CopyPrompt::CannotDeleteCurrent: return kCannotDeleteCurrent;
    case CopyPrompt::ChangeDisk: return kDiskChange;
    default: return nullptr;
    }
}

}  // namespace

std::string AnswerName(CopyPrompt kind, INT_PTR answer)
{
    const char* word = AnswerWord(kind, answer);
    if (word && *word)
        return word;
    switch (answer) {
    case IDOK: return kind == CopyPrompt::FileInUse || kind == CopyPrompt::Cancel ? "Retry" : "OK";
    case IDCANCEL: return "Cancel";
    default: return std::to_string(static_cast<long long>(answer));
    }
}

CSilentCopyQuestions::CSilentCopyQuestions(const CResponseFile& responses, CSilentStops& stops)
    : m_markerExists([](const std::string& path) { return FileExists(path); }),
      m_sleep([](unsigned ms) { ::Sleep(ms); }),
      m_responses(responses),
      m_stops(stops)
{
}

INT_PTR CSilentCopyQuestions::Ask(const CCopyQuestion& q)
{
    if (IsNotice(q.kind)) {
        m_stops.Note(SilentStop::CopyError, std::string(CopyPromptName(q.kind)) + ": " + Subject(q));
        return IDOK;
    }
    switch (q.kind) {
    case CopyPrompt::ChangeDisk:
        return ChangeDisk(q);
    case CopyPrompt::Cancel:
        // Asked only after an answer that stops: nobody is there to try again.
        return IDCANCEL;
    default:
        return FromWord(q, KeyOf(q.kind));
    }
}

INT_PTR CSilentCopyQuestions::FromWord(const CCopyQuestion& q, const char* key)
{
    const std::string word = key ? m_responses.Answer(key) : std::string();
    const std::string subject = Subject(q);
    auto stop = [&](INT_PTR id) {
        m_stops.Note(word.empty() ? SilentStop::Unanswered : SilentStop::Answered,
                     std::string(CopyPromptName(q.kind)) + (word.empty() ? " (no answer): " : " (Abort): ") +
                         subject);
        return id;
    };
    switch (q.kind) {
    case CopyPrompt::SourceOlder:
    case CopyPrompt::Overwrite:
        // By default the file there stays: it is newer, or made for another language.
        if (word == "Replace") return ID_ANSWER_YES;
        if (word == "ReplaceAll") return ID_ANSWER_OVERWRITE_ALL;
        if (word == "Abort") return stop(ID_ANSWER_ABORT);
        return ID_ANSWER_NO;
    case CopyPrompt::ReadOnly:
        if (word == "Overwrite") return ID_ANSWER_YES;
        if (word == "Abort") return stop(IDCANCEL);
        return ID_ANSWER_NO;
    case CopyPrompt::FileInUse:
        // Retrying has nobody to close the program: ignore, or stop.
        if (word == "Ignore") return ID_ANSWER_IGNORE;
        return stop(IDCANCEL);
    case CopyPrompt::CannotDeleteCurrent:
        // Deleting another copy might break the program that uses it: only when asked to.
        if (word == "Delete") return IDOK;
        return stop(IDCANCEL);
    default:
        return stop(IDCANCEL);
    }
}

INT_PTR CSilentCopyQuestions::ChangeDisk(const CCopyQuestion& q)
{
    const std::string word = m_responses.Answer(kDiskChange);
    const std::string subject = "disk " + std::to_string(q.disk);
    if (word == "Abort") {
        m_stops.Note(SilentStop::Answered, "disk change (Abort): " + subject);
        return IDCANCEL;
    }
    std::string marker = "$SRCDIR$\\DISK" + std::to_string(q.disk);
    ExpandPathVariables(marker);
    const unsigned long timeoutMs = static_cast<unsigned long>(m_responses.DiskTimeoutSeconds()) * 1000;
    LogStep("disk change: waiting up to " + std::to_string(timeoutMs / 1000) + " s for " + marker);
    for (unsigned long waited = 0;; waited += kPollMilliseconds) {
        if (m_markerExists(marker))
            return IDOK;
        if (waited >= timeoutMs)
            break;
        m_sleep(kPollMilliseconds);
    }
    m_stops.Note(SilentStop::DiskMissing, subject + " did not arrive within " +
                                              std::to_string(timeoutMs / 1000) + " s (" + marker + ")");
    return IDCANCEL;
}

CRecordingCopyQuestions::CRecordingCopyQuestions(ICopyQuestions& inner, const CResponseRecorder& recorder)
    : m_inner(inner), m_recorder(recorder)
{
}

INT_PTR CRecordingCopyQuestions::Ask(const CCopyQuestion& q)
{
    const INT_PTR answer = m_inner.Ask(q);
    const char* key = KeyOf(q.kind);
    const char* word = AnswerWord(q.kind, answer);
    if (key && word && *word && answer != -1)
        m_recorder.Set(kQuestions, key, word);
    return answer;
}

CLoggedCopyQuestions::CLoggedCopyQuestions(ICopyQuestions& inner) : m_inner(inner) {}

INT_PTR CLoggedCopyQuestions::Ask(const CCopyQuestion& q)
{
    const bool notice = IsNotice(q.kind);
    if (notice)
        m_bNotice = true;
    LogStep(std::string(notice ? "notice: " : "question: ") + CopyPromptName(q.kind) + ": " + Subject(q));
    const INT_PTR answer = m_inner.Ask(q);
    if (!notice)
        LogStep(std::string("answer: ") + CopyPromptName(q.kind) + ": " + AnswerName(q.kind, answer));
    return answer;
}

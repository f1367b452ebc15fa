#pragma once
// The copy's questions without a person: answered from the response file,
// each missing answer by a default that never replaces a file that is there
// and never loses data; notices go to the install log. The disk change
// looks for the next disk's marker DISKn itself, up to the response file's
// time-out. How a stop came about is kept for the exit code.
//
// And its counterpart for /r: a decorator around the interactive questions
// that writes each answer the user gives into the response file.
#include <atomic>
#include <functional>
#include <string>

#include "engine/copyquestions.h"
#include "engine/responsefile.h"

// Why an unattended installation stopped.
enum class SilentStop {
    None,
    Unanswered,    // a question the response file does not answer, whose default is to stop
    Answered,      // the response file says "Abort"
    DiskMissing,   // the next disk did not arrive within the time-out
    CopyError,     // a notice: a missing or unreadable source, a full disk, ...
};

// The first stop of a run, and its reason in words, for the result file.
class CSilentStops {
public:
    void Note(SilentStop stop, const std::string& reason);
    SilentStop GetStop() const { return m_stop; }
    const std::string& GetReason() const { return m_strReason; }

private:
    SilentStop m_stop = SilentStop::None;
    std::string m_strReason;
};

// Words of the install log for a question and an answer id.
const char* CopyPromptName(CopyPrompt kind);
std::string AnswerName(CopyPrompt kind, INT_PTR answer);

class CSilentCopyQuestions : public ICopyQuestions {
public:
    // Both must outlive the questions.
    CSilentCopyQuestions(const CResponseFile& responses, CSilentStops& stops);
    INT_PTR Ask(const CCopyQuestion& question) override;

    // Whether the disk marker is there (the file system's answer), and the
    // wait between two looks (Sleep): tests replace both.
    std::function<bool(const std::string&)> m_markerExists;
    std::function<void(unsigned)> m_sleep;
    // Time between two looks for a disk marker.
    static constexpr unsigned kPollMilliseconds = 250;

private:
    INT_PTR ChangeDisk(const CCopyQuestion& question);
    // The answer word of a question, or its default with the stop it means.
    INT_PTR FromWord(const CCopyQuestion& question, const char* key);

    const CResponseFile& m_responses;
    CSilentStops& m_stops;
};

// Passes each question on and writes the answer given into the response file
// under its kind; the last answer of a kind stands.
class CRecordingCopyQuestions : public ICopyQuestions {
public:
    CRecordingCopyQuestions(ICopyQuestions& inner, const CResponseRecorder& recorder);
    INT_PTR Ask(const CCopyQuestion& question) override;

private:
    ICopyQuestions& m_inner;
    const CResponseRecorder& m_recorder;
};

// Passes each question on, writes it and its answer into the install log,
// and notes whether the copy was stopped by a notice (an error) rather than
// by the user.
class CLoggedCopyQuestions : public ICopyQuestions {
public:
    explicit CLoggedCopyQuestions(ICopyQuestions& inner);
    INT_PTR Ask(const CCopyQuestion& question) override;
    bool HadNotice() const { return m_bNotice; }

private:
    ICopyQuestions& m_inner;
    std::atomic<bool> m_bNotice{false};
};

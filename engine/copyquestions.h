#pragma once
// Every question and notice of the copy, behind one interface. The copy asks
// it and acts on the id it returns; the interactive implementation shows the
// installation's dialogs, an unattended one could answer from a response
// file, and tests answer from a script.
#include <windows.h>
#include <string>

enum class CopyPrompt {
    // Questions: the id of the answer decides what the copy does.
    ChangeDisk,            // insert disk `disk`: IDOK, IDCANCEL
    Cancel,                // stop the installation? IDCANCEL "中止(&X)", IDOK "再試行(&R)"
    SourceOlder,           // `path` is newer than the file to copy (left as `tempName`)
    Overwrite,             // `path` differs in language or code page (new file as `tempName`)
    ReadOnly,              // `path` is read-only: ID_ANSWER_YES, ID_ANSWER_NO, IDCANCEL
    FileInUse,             // `fileName` is in use: IDOK retry, ID_ANSWER_IGNORE, IDCANCEL abort
    CannotDeleteCurrent,   // `fileName` also lies elsewhere: IDOK delete it, IDCANCEL abort
    // Notices: the copy ends as aborted after each, whatever the answer.
    NoSourceFile,          // `path` is missing from the medium
    FileTypeMismatch,
    DiskFull,
    AccessViolation,       // `fileName` cannot be written: sharing violation
    NoTempFile,            // no temporary file; the old file cannot be deleted or renamed
    NoMemory,
    FailRead,              // `path` cannot be read from the medium directory `directory`
    FailWrite,             // `path` cannot be written
};

struct CCopyQuestion {
    explicit CCopyQuestion(CopyPrompt k) : kind(k) {}
    CopyPrompt kind;
    int disk = 0;
    std::string path;        // expanded source or destination path
    std::string tempName;    // name of the new version beside `path`
    std::string fileName;    // destination file name as the script writes it
    std::string directory;   // expanded source directory
    // The window the question belongs to: the copy dialog for its own
    // cancel question; none for the worker's questions, which stand alone.
    HWND owner = nullptr;
};

class ICopyQuestions {
public:
    virtual ~ICopyQuestions() = default;
    // Asks on the calling thread (the copy worker, or the user-interface
    // thread for the copy dialog's cancel question) and returns the id of the
    // answer, as the dialog of the question would.
    virtual INT_PTR Ask(const CCopyQuestion& question) = 0;
};

// Shows each question as its modal dialog.
class CInteractiveCopyQuestions : public ICopyQuestions {
public:
    INT_PTR Ask(const CCopyQuestion& question) override;
};

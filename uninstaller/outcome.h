#pragma once
// What became of one step of a removal plan. No Windows API.

enum class Outcome {
    Done,               // removed (unregistered, deleted from its INI file, …)
    NothingThere,       // already gone
    Kept,               // not done by the plan's decision (a shared file kept)
    AtRestart,          // in use: Windows deletes it when it starts the next time
    NotEmpty,           // a directory that still holds something
    NotThisProduct,     // the registration names another log: another installation's
    Failed,             // see the failure
};

enum class Failure {
    None,
    SystemError,        // m_nError: the system's error code
    NotAControl,        // the file loads but has no DllUnregisterServer
    UnregisterFailed,   // m_nError: the HRESULT of DllUnregisterServer
    NoProgramManager,   // Program Manager does not answer
    CommandRefused,     // Program Manager did not accept the command
    NotAFile,           // a file record names a directory
    NotADirectory,      // a directory record names a file
};

struct CStepResult {
    Outcome m_outcome = Outcome::Done;
    Failure m_failure = Failure::None;
    unsigned long m_nError = 0;
};

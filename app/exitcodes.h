#pragma once
// What setup's exit code says about how the installation ended. Started
// without options, setup keeps the codes its callers were written for:
// 0 whenever the install sequence ran (installed, cancelled or ended by an
// error notice) and 1 when it could not start. Started with any option
// (/r, /s, /f1, /f2, /log), every end has its own code.
enum SetupExitCode : int {
    kExitInstalled = 0,
    kExitBeforeCopy = 1,        // the script is missing or unreadable; nothing was changed
    kExitCancelled = 2,         // the user cancelled (wizard, disk space, copy)
    kExitCopyFailed = 3,        // the copy stopped on an error (a missing or unreadable source, a full disk)
    kExitUnanswered = 4,        // silent: a question without an answer whose default is to stop
    kExitDiskMissing = 5,       // silent: the next disk did not arrive within the time-out
    kExitBadCommandLine = 6,    // an unknown option, or a response file missing, malformed or not fitting the script
};

// The one-word outcome of a code, as the result file and the log write it.
inline const char* ExitOutcomeName(int code)
{
    switch (code) {
    case kExitInstalled: return "installed";
    case kExitBeforeCopy: return "failed-before-copy";
    case kExitCancelled: return "cancelled";
    case kExitCopyFailed: return "failed-during-copy";
    case kExitUnanswered: return "unanswered";
    case kExitDiskMissing: return "disk-missing";
    case kExitBadCommandLine: return "bad-command-line";
    default: return "unknown";
    }
}

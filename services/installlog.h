#pragma once
// The install log (/log PATH): one line per step of the installation, in
// code page 932, each stamped with the local time to the millisecond. Every
// line goes to the file with one WriteFile of its own, so that what was
// written is on disk (in the system's cache) the moment the step is done:
// a run that aborts, or a process that is killed, leaves the log complete
// up to its last step. The file is opened once and never reopened.
//
// The log is the process's: the copy and update workers write to it from
// their threads, one line at a time under a lock. While no log is open,
// writing costs a test of one flag.
#include <windows.h>
#include <atomic>
#include <string>

#include "platform/handles.h"

class CInstallLog {
public:
    CInstallLog();
    ~CInstallLog();
    CInstallLog(const CInstallLog&) = delete;
    CInstallLog& operator=(const CInstallLog&) = delete;

    // Creates (or empties) the file. False when it cannot be made.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_bOpen; }
    // Writes "YYYY-MM-DD hh:mm:ss.mmm text" and a line end; line ends inside
    // the text become blanks, so that each line is one step.
    void Write(const std::string& text);
    void Close();

private:
    std::atomic<bool> m_bOpen{false};
    CFileHandle m_file;
    CRITICAL_SECTION m_lock;
};

// The installation's log.
CInstallLog& InstallLog();
// One line to the installation's log, when there is one.
inline void LogStep(const std::string& text)
{
    CInstallLog& log = InstallLog();
    if (log.IsOpen())
        log.Write(text);
}
// "0x" and eight hex digits, for result bits.
std::string HexBits(unsigned long bits);

#pragma once
// setup's command line, without the program name:
//
//   /r          record the interactive installation's answers in the response file
//   /s          silent: no window at all, answers from the response file
//   /f1PATH     the response file (default: SETUP.ISS in the Windows directory)
//   /f2PATH     the result file of a silent run (outcome, exit code, reason)
//   /log PATH   the install log, in any mode
//
// Options are matched without regard to letter case; a path with blanks is
// quoted ("/f1C:\My Files\a.iss" or /f1"C:\My Files\a.iss"). Platform-free.
#include <string>

struct CSetupOptions {
    bool m_bRecord = false;
    bool m_bSilent = false;
    std::string m_strResponseFile;   // "" for the default
    std::string m_strResultFile;     // "" for none
    std::string m_strLogFile;        // "" for none
    // Any option at all: setup then reports every end by its own exit code.
    bool m_bAny = false;
};

// Parses the arguments into `options`. False with `error` describing the
// first misuse; what was read before and after it (/s, /f2) stays in
// `options`, so that the misuse can be reported the way the run asked for.
bool ParseSetupCommandLine(const std::string& arguments, CSetupOptions& options, std::string& error);

// The arguments of a whole command line as GetCommandLineA gives it: what
// follows the program name, quoted or not.
std::string ArgumentsOfCommandLine(const std::string& commandLine);

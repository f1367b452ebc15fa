#pragma once
// The launcher's command line, passed on to the staged installer as it
// stands. The launcher reads only what it needs itself: whether the run is
// silent (/s: no message box) and where the result file goes (/f2PATH),
// where its own failures are written in the installer's format (outcome,
// exit code, reason in one line).
#include <string>

struct CPassThrough {
    std::string m_strArguments;   // everything after the launcher's own name
    bool m_bSilent = false;
    std::string m_strResultFile;  // "" for none
};

// From the whole command line (GetCommandLineA).
CPassThrough ParsePassThrough(const std::string& commandLine);

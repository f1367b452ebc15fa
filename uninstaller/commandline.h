#pragma once
// The uninstaller's command lines. The installer registers
// "C:\WINDOWS\SYSTEM\VMUNST10.EXE C:\Program Files\APP\UNINSTAL.INF" as the
// product's UninstallString: neither path is quoted, and both may hold
// blanks. Windows starts the uninstaller with that string as its command
// line, so the program's path cannot be cut at the first blank, and the log's
// path is all the rest of the line. No Windows API.
#include <string>

struct CCommandLine {
    std::string m_strProgram;     // the program as the line names it, without quotes
    std::string m_strArgument;    // the rest: blanks around it and one pair of quotes removed
};

// Splits a command line whose program has the file name programFileName.
// The program is, in this order of preference:
//  - a quoted first word ("C:\Program Files\X\VMUNST10.EXE" ...);
//  - everything up to the first place where programFileName, or that name
//    without its extension, stands as a whole name (at the start or after a
//    "\", "/" or ":", followed by a blank, a quote or the end), letter case
//    ignored: C:\Program Files\X\VMUNST10.EXE C:\My App\UNINSTAL.INF;
//  - the first word.
// The argument may itself be quoted; a quoted argument ends at its closing quote.
CCommandLine SplitCommandLine(const std::string& line, const std::string& programFileName);

// For a registered UninstallString: TRUE when its program is the uninstaller
// (the file name ignores letter case), with the log's path.
bool ParseUninstallString(const std::string& uninstallString, std::string& logPath);

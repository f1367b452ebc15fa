#pragma once
// The process-wide path values and the platform's directories behind the
// "$name$" variables (see expansion.h for the expansion itself).
#include <windows.h>
#include <string>
#include "paths/expansion.h"

// Held values: each replaced whole by its setter, stored exactly as given.
void SetInstDir(const std::string& dir);
void SetSrcDir(const std::string& dir);
void SetTmpDir(const std::string& dir);
void SetUserName(const std::string& name);

// The owner of whatever the shell may show while it looks up a special
// folder. The application sets it at start-up to a function that names its
// main window (also for the worker threads, whose lookups belong to the same
// installation); without it, or while it returns null, there is no owner.
using ShellOwnerSource = HWND (*)();
void SetShellOwnerSource(ShellOwnerSource source);

// Platform values, fetched afresh at each call; "" when not available.
std::string GetProgramFilesDir();   // drive root of the Windows directory + "Program Files"
std::string GetWindowsDir();
std::string GetSystemDir();
std::string GetModulePath();        // full path of the running program
std::string GetSpecialFolderPath(int csidl);
std::string GetDesktopDir();
std::string GetStartMenuDir();
std::string GetStartUpDir();
std::string GetSendToDir();
std::string GetProgramsDir();

// The current values of all eleven variables.
class CProcessPathVars : public IPathVarSource {
public:
    std::string Value(PathVar v) override;
};

// Expands every path variable of s in place with the current values.
void ExpandPathVariables(std::string& s);

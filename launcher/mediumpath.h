#pragma once
// The launcher's path helpers. Paths are held in std::string, never cut to a
// buffer of 260 bytes: a Japanese path of fewer than 260 characters may well
// be longer than 260 bytes, and a path that is too long for the system is
// refused by the system call that uses it.
#include <windows.h>
#include <string>

// The Windows directory ("C:\WINDOWS"), or "" when it cannot be read.
std::string GetWindowsDir();
// The launcher's own full path.
std::string GetModulePath();

// The part of a path before its first backslash ("C:" of "C:\WINDOWS");
// the whole path when it has none.
std::string BeforeFirstBackslash(const std::string& path);
// The part of a path before its last backslash ("A:" of "A:\SETUP.EXE",
// "D:\DISK1" of "D:\DISK1\SETUP.EXE"); the whole path when it has none.
std::string BeforeLastBackslash(const std::string& path);
// "dir\name".
std::string JoinPath(const std::string& dir, const std::string& name);

// Whether path names an existing file (a directory is no file).
bool FileExists(const std::string& path);

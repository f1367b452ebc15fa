#pragma once
// File-system, user and shortcut helpers. None shows anything to the user;
// results are BOOL-like or a string, and callers decide what to report.
#include <windows.h>
#include <string>

bool IsDirectory(const std::string& path);
// An existing file (not a directory), whatever the length of its path.
bool FileExists(const std::string& path);
// Creates path and every missing parent; sa may be null (default security).
bool CreateDirectoryTree(const std::string& path, SECURITY_ATTRIBUTES* sa = nullptr);
// Deletes a directory with everything below it except names that begin with
// "."; FALSE when the directory itself could not be removed.
bool DeleteDirectoryTree(const std::string& dir);
std::string GetLoginUserName();     // "" when the platform cannot tell
std::string GetUserProfileDir();    // Windows directory + "\Profiles\" + login name
// Saves a shortcut to target with a description. COM must be initialised on
// the calling thread. TRUE means the link objects could be made, not that
// the file was written.
bool CreateShellLink(const std::string& linkPath, const std::string& description,
                     const std::string& target);

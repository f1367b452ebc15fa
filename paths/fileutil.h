#pragma once
// File-system, user and shortcut helpers. None shows anything to the user;
// results are BOOL-like or a string, and callers decide what to report.
#include <windows.h>
#include <functional>
#include <string>

// No path is cut to a buffer of fixed size: a path is refused only by the
// platform, when it is longer than the file functions take (on Windows NT
// and Wine: 260 characters, which may be more than 260 bytes).

bool IsDirectory(const std::string& path);
// An existing file (not a directory), at any path length the file functions
// take; also a file that another program holds open. A bare name (no drive, no directory) is looked
// up along the search path, beginning with the program's own directory.
bool FileExists(const std::string& path);
// Creates path and every missing parent, drive root excluded; sa may be null
// (default security). FALSE at the first directory that cannot be created;
// those made before it stay. A path of four bytes or fewer is taken whole.
bool CreateDirectoryTree(const std::string& path, SECURITY_ATTRIBUTES* sa = nullptr);
// The same, telling `created` of each directory it made, outermost first.
bool CreateDirectoryTree(const std::string& path, SECURITY_ATTRIBUTES* sa,
                         const std::function<void(const std::string&)>& created);
// Deletes a directory, with or without a trailing backslash, with everything
// below it except names that begin with "." and read-only files; FALSE when
// the directory itself could not be removed. An empty path and a drive root
// are refused (FALSE) without deleting anything.
bool DeleteDirectoryTree(const std::string& dir);
std::string GetLoginUserName();     // "" when the platform cannot tell
std::string GetUserProfileDir();    // Windows directory + "\Profiles\" + login name
// Saves a shortcut to target with a description. COM must be initialised on
// the calling thread. TRUE means the link objects could be made, not that
// the file was written.
bool CreateShellLink(const std::string& linkPath, const std::string& description,
                     const std::string& target);

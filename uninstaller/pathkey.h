#pragma once
// Paths as the uninstaller compares and protects them. The log holds paths as
// the installer expanded them; before the uninstaller decides anything about
// one (is it a drive root, the Windows directory, a shared file, the log
// itself?) it brings it into one form, so that "C:\WINDOWS\", "c:\windows",
// "C:/WINDOWS" and "C:\APP\..\WINDOWS" are all seen as the Windows directory.
// No Windows API: the scans step over double-byte characters (paths/mbcs.h).
#include <string>

#include "uninstaller/text.h"

// The path with '/' read as '\', repeated backslashes and "." removed, ".."
// applied, trailing dots and blanks of each name dropped (Windows ignores
// them), and no trailing backslash unless the path is a root ("C:\"). Letter
// case is kept. "" when ".." would climb above the root or a name is left
// empty, and for the device namespaces "\\?\" and "\\.\".
std::string NormalisePath(const std::string& path);

// NormalisePath with the single-byte letters upper-cased: equal keys name the
// same file for Windows' case-insensitive file systems. "" for "".
std::string PathKey(const std::string& path);

// Both paths have the same non-empty key.
bool SamePath(const std::string& a, const std::string& b);

// A full path: a drive with its root ("C:\...") or a UNC share
// ("\\server\share\..."). Drive-relative ("C:x"), root-relative ("\x") and
// relative paths depend on the current directory and are not full paths.
bool IsFullPath(const std::string& path);

// The root of a drive or of a share ("C:\", "C:", "\", "\\server\share").
bool IsRootPath(const std::string& path);

// The directory that holds a full path (normalised); "" for a root.
std::string ParentPath(const std::string& path);

// The name after the last backslash of the normalised path; "" for a root.
std::string LastName(const std::string& path);

// Number of names below the root of the normalised path ("C:\A\B" has 2).
int PathDepth(const std::string& path);

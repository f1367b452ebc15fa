#pragma once
// The build machine's file system as the vendor tools use it. Paths and
// names are in the host's own spelling (UTF-8 with "/" on Linux, the ANSI
// code page with "\" on Windows); hostio/codepage.h converts medium paths.
#include <cstdint>
#include <string>
#include <vector>

enum class HostKind { Missing, File, Directory, Other };

HostKind HostKindOf(const std::string& path);
// The size of a regular file; false when it is none or cannot be read.
bool HostFileSize(const std::string& path, uint64_t& size);
// The names in a directory, without "." and "..", in no particular order.
bool HostListDirectory(const std::string& path, std::vector<std::string>& names);
// Creates one directory; false when it exists already or cannot be made.
bool HostMakeDirectory(const std::string& path);
// Deletes a file or a directory with everything in it. True when nothing
// of it is left.
bool HostRemoveTree(const std::string& path);
// Renames a file or directory; the target must not exist.
bool HostRename(const std::string& from, const std::string& to);
// dir + separator + name.
std::string HostJoin(const std::string& dir, const std::string& name);
// A number that differs between processes running at once (for names of
// temporary directories).
unsigned long HostProcessId();

#pragma once
// Code page conversions of the vendor tools, which run on the build machine
// (Linux or Windows) while scripts and medium names are code page 932.
#include <string>

// UTF-8 text to code page 932; false when a character has no equivalent.
bool Utf8ToCp932(const std::string& utf8, std::string& cp932);
// Code page 932 text to UTF-8 (for a UTF-8 terminal); bytes that are not
// code page 932 come out as U+FFFD.
std::string Cp932ToUtf8(const std::string& cp932);
// True when the bytes are UTF-8 and hold at least one character beyond ASCII.
bool LooksLikeUtf8(const std::string& bytes);

// A medium path as the host's file system names it (separators, and on
// Linux the UTF-8 spelling of Japanese names).
std::string ToHostPath(const std::string& cp932Path);
// A name from the host's file system in code page 932; false when it has
// a character code page 932 does not.
bool HostNameToCp932(const std::string& hostName, std::string& cp932);
bool IsHostSeparator(char c);
extern const char kHostSeparator[];

// True when messages should be Japanese: the user's locale says so.
bool HostPrefersJapanese();
// Text for the console: UTF-8 on a UTF-8 Linux terminal, else as it is.
std::string ForConsole(const std::string& cp932);

#pragma once
// A setup script as the vendor keeps it: code page 932 (what the medium
// carries) or UTF-8 (with or without a byte-order mark), any line ends.
#include <string>

// Reads a script file and gives its text in code page 932, the bytes the
// installer will read. False with a message when the file cannot be read or
// its UTF-8 text holds a character code page 932 does not have.
bool ReadScriptSource(const std::string& path, std::string& cp932, std::string& problem);
// The same for text already in memory.
bool ScriptSourceToCp932(const std::string& bytes, std::string& cp932, std::string& problem);
